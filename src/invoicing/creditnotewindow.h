#pragma once
// "Gutschrift" on the invoices page: a window with the selected invoice's customer and lines, where
// lines can be removed and their quantity and price lowered, and the reason is asked for.

/// "Gutschrift" (213): opens the window for the selected invoice, or tells why not.
void openCreditNoteWindow();
/// A row of the window's lines was selected: its Menge and Einzelpreis go into the fields.
void creditLineChosen();
/// "Ändern": the selected line takes the typed Menge and Einzelpreis, neither above the invoice's.
void changeCreditLine();
/// "Eintrag Löschen": the selected line is not credited.
void deleteCreditLine();
/// "Gutschrift erstellen": issues the credit note of the listed lines; the window closes once it is.
void createCreditNote();
/// "Abbruch".
void closeCreditNoteWindow();
