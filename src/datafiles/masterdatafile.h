#pragma once
// Daten.dat: the customers, the articles and the invoice counter.
//
// Line 1 holds the number of customers, one line per customer follows (six fields joined by "|", the
// six e-invoice fields after them when the customer has any, its number after those where it is not the
// customer's place or a Steuerfall follows, and the Steuerfall after it when set), then the number of
// articles and one line per article (four fields, and USt-Satz, Steuerkategorie and Einheit after them
// when the article has any), and the invoice counter; last, only once the customer with the highest
// number was deleted, that number. Every line ends with CR LF, the last one included. An earlier
// installation reads the first six fields of a customer.

#include <string_view>

inline constexpr std::string_view kMasterDataName = "Daten.dat";

/// Fills the empty customer and article lists and the invoice counter from Daten.dat. A missing file
/// leaves them empty and 0; a count larger than the lines that follow reads only the lines there are.
/// False when a read failed before the end: the lists hold only a part, and Daten.dat is protected
/// from every replacement in this run.
bool loadMasterData();
/// Replaces Daten.dat with the two lists and the counter; "|", CR, LF and NUL in a cell become blanks.
/// False when it could not be written (the old file stays as it was).
bool saveMasterData();
