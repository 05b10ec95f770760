#pragma once
// The invoice line dialog (window 2, owned by the new-invoice window).

/// "Neuer Eintrag" (300): opens the line dialog.
void openLineDialog();
/// Article pick list (5000), double click: takes the article and shows its price.
void takeArticle();
/// "OK" (5100): adds the line to the invoice and closes the dialog.
void addLineClicked();
