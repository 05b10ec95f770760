#pragma once
// The new-invoice window (window 1): choosing the customer, deleting lines, creating the invoice.

inline constexpr int kLinesList = 19;

/// "Neu" on the invoices page (210): opens the new-invoice window.
void openNewInvoiceWindow();
/// Customer pick list (310), selection changed: takes the chosen customer.
void chooseCustomer();
/// "Eintrag Löschen" (301): removes the selected line, renumbers, recomputes the total.
void deleteSelectedLine();
/// "Rechnung erstellen" (311): numbers, prints and registers the invoice; closes the window.
void createInvoice();
/// "Abbruch" (312): discards the invoice and closes the window.
void cancelInvoice();
/// "Lieferschein erstellen" (313): prints the delivery note.
void printDeliveryNoteClicked();
