#pragma once
// The invoice line dialog (window 2, owned by the new-invoice window).

#include <cstdint>
#include <string>
#include <string_view>

/// "Neuer Eintrag" (300): opens the line dialog.
void openLineDialog();
/// Article pick list (5000), a row highlighted or double-clicked: shows the article's price.
void takeArticle();
/// "OK" (5100): adds the line of the highlighted article at the price in the field and closes the
/// dialog; without an article, quantity or price it says so and stays open.
void addLineClicked();

/// The line total of a quantity and a price text: the price read with "," as well as "." for the
/// point, multiplied by the quantity and rounded once to single precision.
float lineTotalOf(std::int32_t quantity, std::string_view priceText);
