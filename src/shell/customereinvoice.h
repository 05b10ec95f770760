#pragma once
// A customer's e-invoice data: e-mail address, Leitweg-ID, VAT id, postcode, town and country, kept
// in the hidden cells of the customer's row.

/// "E-Rechnung" (103): opens the e-invoice dialog (window 1) for the selected customer; without a
/// selection only a message. Postcode and town are taken from "Wohnort" while the customer has none.
void customerEInvoiceClicked();
/// "OK" of the e-invoice dialog (8100): checks the fields (a refused one is named, the dialog stays),
/// then writes the six values into the customer's row and closes the dialog.
void customerEInvoiceOkClicked();
