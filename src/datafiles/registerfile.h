#pragma once
// ReData.dat: the invoice register, one line per invoice in creation order.

/// Fills the invoice list from ReData.dat.
void loadRegister();
