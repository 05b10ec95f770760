#pragma once
// The invoice printout: the page frame, the invoice number, the lines of the new-invoice window at
// net prices over as many pages as they need, and net amount, tax and invoice amount.

#include "printing/printjob.h"

/// Prints the invoice being created. Cancelled or refused (by the device, for a page too): printedFlag
/// stays as it was. Printed: every page was drawn, the job is ended and printedFlag becomes 1.
PrintResult printInvoice();

/// Draws every page of the invoice onto the open print job (beginPrintout or beginPrintoutOn), which
/// stays open. False when the device refused a page.
bool drawInvoice();
