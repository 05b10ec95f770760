#pragma once
// The VAT return's figures of a period in a window of their own (41): one row per figure with its base
// in whole euros and its tax, then the invoices behind each figure; "Drucken" prints them through the
// print dialog.

#include "accounting/records.h"

/// Opens the window with the figures of the period.
void openVatWindow(const accounting::Period& period);
/// "Drucken" (17011): the list as shown, titled with the period.
void printVatClicked();
/// "Schließen" (17012).
void closeVatWindow();
