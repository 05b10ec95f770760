#pragma once
// The parts the invoice and the delivery note share between the letterhead and the footer: the
// title with its number, the page number, the column titles and the common cells of each line.

#include "runtime/numbers.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// Draws the title label and number in the invoice text size, the reference right of them (none when
/// empty) and the rule under them.
void drawTitleBlock(std::string_view label, std::int32_t number, std::string_view reference = {});

/// The head of every page after the first: the title label and number with the page number at the
/// right, the customer's name line and a rule under them, in the invoice text size.
void drawFollowingPageHead(std::string_view label, std::int32_t number, int page, int pages);

/// "Seite <page + 1> von <pages>" in the invoice text size, ending at the table's right edge.
void drawPageNumber(float y, int page, int pages);

/// Draws the column titles at y in the other text size and the rule under them; the price columns
/// only when withPrices.
void drawColumnTitles(float y, bool withPrices);

/// The designation and description of a line as printed: one text each, or the lines they wrap
/// onto within their columns.
struct RowTexts {
    std::vector<std::string> designation;
    std::vector<std::string> description;
    /// How many lines the row takes down the page.
    int lines() const;
};

/// Selects the invoice text size and fits the designation and description of line row into their
/// columns, on at most maxLines lines each.
RowTexts fitRowTexts(int row, int maxLines);

/// Selects the invoice text size and draws line row (0-based) at y: its position, the lines of its
/// designation and description lineStep apart, and its quantity.
void drawLineRow(int row, const RowTexts& texts, float y, float lineStep);
