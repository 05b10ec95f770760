#pragma once
// The new-invoice window (window 1): choosing the customer, deleting lines, creating the invoice.

#include "runtime/numbers.h"

/// What "Rechnung erstellen" did with the invoice.
enum class InvoiceOutcome {
    /// The print dialog was cancelled: the number is used up, nothing is registered.
    NotPrinted,
    /// Printed, listed, and its item file, register line and master data written.
    Registered,
    /// Printed and listed, but at least one of the three files could not be written.
    SavedIncompletely,
    /// The printer refused the document: no number used, nothing registered, the window stays open.
    Refused,
    /// The settings' tax rate is refused (isValidTaxRate): nothing printed, no number used.
    RateRefused,
    /// The Leistungsdatum or the Zahlungsziel is refused: nothing printed, no number used.
    FieldRefused,
    /// No valid e-invoice could be made and the user went back to the window: nothing printed, no
    /// number used.
    KeptForEInvoice,
};

/// "Neu" on the invoices page (210): opens the new-invoice window.
void openNewInvoiceWindow();
/// Customer pick list (310), selection changed: takes the chosen customer.
void chooseCustomer();
/// "Eintrag Löschen" (301): removes the selected line, renumbers, recomputes the total.
void deleteSelectedLine();
/// "Rechnung erstellen" (311): numbers, prints and registers the invoice; closes the window unless
/// the printer refused the invoice or the tax rate is refused.
void createInvoice();
/// The steps of "Rechnung erstellen", with what became of the invoice. Tells the user once when a
/// file could not be written.
InvoiceOutcome createAndRegisterInvoice();
/// "Abbruch" (312): discards the invoice and closes the window.
void cancelInvoice();
/// "Lieferschein erstellen" (313): prints the delivery note; says so when the printer refuses it or
/// the Leistungsdatum is refused.
void printDeliveryNoteClicked();
