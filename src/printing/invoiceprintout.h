#pragma once
// The invoice printout: the page frame, the invoice number, the lines of the new-invoice window at
// net prices over as many pages as they need, and net amount, tax and invoice amount.

/// Prints the invoice being created. False when the print dialog was cancelled: then nothing is
/// printed and printedFlag stays as it was. Otherwise the pages are drawn and the job is ended;
/// printedFlag becomes 1 when every page was drawn.
bool printInvoice();

/// Draws every page of the invoice onto the open print job (beginPrintout or beginPrintoutOn), which
/// stays open. False when the device refused a page.
bool drawInvoice();
