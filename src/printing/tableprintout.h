#pragma once
// A document of line rows over as many pages as the rows need. The invoice and the delivery note
// differ only in their title, their price columns and what closes the last page.

#include "money/money.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

struct TablePrintout {
    std::string_view label;
    std::int32_t number = 0;
    /// A line right of the title on page 1 ("zur Rechnung Nr. 7 vom 01.02.2026"); empty for none.
    std::string_view reference;
    /// The texts of a row's unit price and amount columns. Without them the table has no price
    /// columns and no carried sums.
    std::function<std::string(int row)> priceText;
    std::function<std::string(int row)> amountText;
    /// Draws what closes the document below the rows of the last page, given where that page's rows
    /// must end and the sum of the amounts printed in the rows (nullopt when it left the 64-bit
    /// range). False when the closing cannot be drawn.
    std::function<bool(float pageEnd, std::optional<money::Amount> printedSum)> drawClosing;
    /// The last page's rows must end above this, or the closing gets a page of its own; 0 when the
    /// closing needs no room of its own.
    float closingTop = 0;
};

/// Draws every page of the document onto the open print job: the letterhead on page 1, the head of
/// the following pages, the rows, the carried sums, the closing and the footer on every page. False
/// when the device refused a page or the closing could not be drawn.
bool drawTablePrintout(const TablePrintout& document);
