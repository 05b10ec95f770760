#pragma once
// The parts the invoice and the delivery note share between the letterhead and the footer: the
// title with its number, the column titles and the common cells of each line.

#include "runtime/numbers.h"

#include <cstdint>
#include <string_view>

/// Draws the title label and number in the invoice text size and the rule under them.
void drawTitleBlock(std::string_view label, std::int32_t number);

/// Draws the column titles in the other text size and the rule under them; the price columns only
/// when withPrices.
void drawColumnTitles(bool withPrices);

/// Selects the invoice text size for line row (0-based), draws its position, designation,
/// description and quantity, and returns the row's y in millimetres.
float drawLineRow(int row);
