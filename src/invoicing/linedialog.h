#pragma once
// The invoice line dialog (window 2, owned by the new-invoice window).

/// "Neuer Eintrag" (300): opens the line dialog.
void openLineDialog();
/// Article pick list (5000), a row highlighted or double-clicked: shows the article's price.
void takeArticle();
/// "OK" (5100): adds the line of the highlighted article at the price in the field, its amount
/// quantity × price in cents, and closes the dialog; without an article, quantity or price, or with
/// an amount too large to count, it says so and stays open.
void addLineClicked();
