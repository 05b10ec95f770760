#pragma once
// Deleting an invoice from the invoices page.

/// "Löschen" on the invoices page (211): asks, then deletes the selected invoice's item file, its row
/// and its register line, and tells the user the outcome.
void deleteSelectedInvoice();
