#pragma once
// What company data add to the printouts: the Leistungsdatum and the VAT id in the letterhead, the
// payment terms above the footer, and the totals of a small business, which charges no VAT.

#include "money/money.h"

#include <optional>
#include <string_view>

/// Draws the VAT id under the tax number (when there is one) and the Leistungsdatum under "Kd-Nr.:"
/// (when one was taken), in the other text size. A page must be open.
void drawCompanyLetterheadLines();

/// Where "Seite k von m" ends on page 1: usualEnd, or further left with company data, whose
/// Leistungsdatum takes the right of that line.
float firstPageNumberEnd(float usualEnd);

/// Draws the payment terms and "Zahlbar bis <invoice date + Zahlungsziel>" on one line above the
/// footer; the terms end with "…" where they would reach the double rule. A page must be open.
void drawPaymentTerms();

/// Draws the small business's totals below the rows of the last page: "Rechnungsbetrag" with the sum
/// of the lines (none when it left the range of amounts) and its double rule, and from noteX the note
/// that no VAT is charged.
void drawSmallBusinessTotals(const std::optional<money::Amount>& sum, float noteX = 25,
                             std::string_view label = "Rechnungsbetrag");
