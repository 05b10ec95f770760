#pragma once
// Daten.dat: the customers, the articles and the invoice counter.

/// Fills the empty customer and article lists and the invoice counter from Daten.dat.
void loadMasterData();
/// Replaces Daten.dat with the two lists and the counter. False when it could not be written (the old
/// file stays as it was).
bool saveMasterData();
