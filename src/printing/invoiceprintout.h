#pragma once
// The invoice printout: one page with the page frame, the invoice number, the lines of the
// new-invoice window at net prices, and net amount, tax and invoice amount.

#include "printing/printjob.h"

/// Prints the invoice being created. Cancelled or refused: nothing is printed and printedFlag stays
/// as it was. Otherwise the page is drawn, printedFlag becomes 1 and the job is ended.
PrintResult printInvoice();
