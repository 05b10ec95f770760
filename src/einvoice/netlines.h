#pragma once
// Gross-price invoices as an e-invoice needs them: the XML carries net prices and net line amounts
// that add up to the invoice's net total.

#include "einvoice/document.h"

#include <vector>

namespace einvoice {

/// Turns lines whose unit prices and amounts are gross into net ones at rate: each price and line
/// amount divided by (100 + rate) / 100 and rounded (prices to four places, amounts to cents), then
/// the line amounts evened out by single cents, largest lines first, until they add up to net (the
/// invoice's net total as the money rules compute it from the gross sum). False, lines unchanged,
/// when the rate is -100 % or below or the amounts cannot be made to add up.
bool convertGrossLines(std::vector<Line>& lines, money::Rate rate, money::Amount net);

} // namespace einvoice
