#pragma once
// A customer's e-invoice data: e-mail address, Leitweg-ID, VAT id, postcode, town and country, kept
// in the hidden cells of the customer's row.

#include <span>
#include <string>
#include <string_view>

/// "E-Rechnung" (103): opens the e-invoice dialog (window 1) for the selected customer; without a
/// selection only a message. Postcode and town are taken from "Wohnort" while the customer has none.
void customerEInvoiceClicked();
/// "OK" of the change-customer dialog is to give the row of these cells (shown and hidden) the Wohnort
/// wohnort: a postcode and town that the old Wohnort gave follow the new one (nothing left of the
/// e-invoice data empties them all); typed other ones, and none, stay.
void placeFollowsWohnort(std::span<std::string> cells, std::string_view wohnort);
/// "OK" of the e-invoice dialog (8100): checks the fields (a refused one is named, the dialog stays),
/// then writes the six values into the customer's row and closes the dialog.
void customerEInvoiceOkClicked();
