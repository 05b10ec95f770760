#pragma once
// What an invoice offers for paying it, in the free area left of the totals on its last page: the
// GiroCode a banking app scans (with an IBAN in the company data) and the cash discount (with "Skonto
// %" and "Skonto Tage"). Without them the page stays as it was.

#include "money/money.h"

#include <string_view>

/// Where the invoice's texts in the free area begin: x 25, or beside the GiroCode when there is one.
float freeAreaLeft(bool withGiroCode);

/// Draws the GiroCode for paying due for the invoice, 20 × 20 mm at x 25 below the rule at 220, with
/// "Bezahlen per Banking-App" beside it. False, drawing nothing, when there is nothing to pay to
/// (no IBAN) or due is no amount a transfer can carry (a credit).
bool drawGiroCode(std::string_view invoice, money::Amount due);

/// Draws "Bei Zahlung bis <date> <p> % Skonto (<amount> €)" one line above the payment terms from x,
/// when the company data offer a cash discount.
void drawCashDiscountLine(money::Amount due, float x);
