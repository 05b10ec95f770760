#pragma once
// The new-invoice window (window 1): choosing the customer, deleting lines, creating the invoice.

#include "money/money.h"
#include "printing/printjob.h"
#include "runtime/numbers.h"

#include <functional>
#include <optional>

/// What "Rechnung erstellen" did with the invoice.
enum class InvoiceOutcome {
    /// The print dialog was cancelled: the number is given back, the window keeps customer and lines.
    NotPrinted,
    /// Printed, listed, and its item file, register line, terms (with company data) and master data
    /// written.
    Registered,
    /// Printed and listed, but at least one of those files could not be written.
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
    /// No customer was chosen in this window: nothing printed, no number used.
    NoCustomer,
    /// The invoice has no lines and the user would not create it so.
    Declined,
    /// The line sum or a total leaves the 64-bit range: nothing printed, no number used.
    TooLarge,
};

/// "Neu" on the invoices page (210): opens the new-invoice window, with no customer chosen. Another
/// dialog opened under its number while it holds lines asks first; "Nein" keeps it.
void openNewInvoiceWindow();
/// "Neu" on the offers page (230): the same window as "Neues Angebot", with "Angebot erstellen" and
/// "Gültig bis" in place of "Rechnung erstellen" and the delivery note.
void openNewOfferWindow();
/// openNewInvoiceWindow, telling whether the window was opened (the user may keep the one before).
bool openInvoiceComposer();
/// False, with the user told, when no customer was chosen in this window.
bool customerChosen();
/// The sum of the lines when it and the totals the printout will show stay within 64 bits; else
/// nullopt, with the user told. Checked before a number is given.
std::optional<money::Amount> countableLineSum();
/// Customer pick list (310), selection changed: takes the chosen customer.
void chooseCustomer();
/// Makes customer row r (0-based) the invoice's customer, as a click on its pick does.
void takeCustomerRow(int r);
/// Row `row` of the customer list was deleted: while the window is open its pick list loses the row
/// too, so that pick row r stays customer row r. A customer chosen below it moves up, keeping its number;
/// the chosen customer itself is no longer chosen, and the user is told.
void customerRowDeleted(int row);
/// "Eintrag LÃ¶schen" (301): removes the selected line, renumbers, recomputes the total.
void deleteSelectedLine();
/// "Rechnung erstellen" (311): numbers, prints and registers the invoice and closes the window; the
/// window stays when there is nothing to print it for or it was not printed.
void createInvoice();
/// The steps of "Rechnung erstellen", with what became of the invoice. Tells the user once when a
/// file could not be written. print puts the numbered invoice on paper (the print dialog's job unless
/// given); a recurring run draws onto its one job, or prints nothing.
InvoiceOutcome createAndRegisterInvoice(const std::function<PrintResult()>& print = {});
/// The sum of the lines' amounts as the lines list shows them (read back exactly, since they were
/// formatted from cents); nullopt when it leaves the 64-bit range.
std::optional<money::Amount> sumOfLines();
/// Shows net, tax and gross of the lines at the settings' rate and price mode beside the line buttons
/// (a small business's sum alone); nothing while the sum is out of range.
void showRunningTotal();
/// "Abbruch" (312): discards the invoice and closes the window; asks first when it holds lines.
void cancelInvoice();
/// "Lieferschein erstellen" (313): prints the delivery note for the chosen customer; says so when
/// there is none, the Leistungsdatum is refused or the printer refuses it.
void printDeliveryNoteClicked();
