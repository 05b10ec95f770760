#pragma once
// The invoice printout: the page frame, the invoice number, the lines of the new-invoice window at
// net prices over as many pages as they need, and net amount, tax and invoice amount.

#include "printing/printjob.h"

#include <cstdint>
#include <string>

/// What a cancellation or credit note prints instead of and besides an invoice's title.
struct CorrectionPrint {
    /// "Stornorechnung Nr.:" or "Gutschrift Nr.:".
    std::string label;
    /// "zur Rechnung Nr. <m> vom <Datum>", right of the number.
    std::string reference;
    /// A credit note's reason, printed below the totals; empty for none.
    std::string reason;
    /// The print queue's name of the job.
    std::string jobName;
};

/// Prints the invoice being created. Cancelled or refused (by the device, for a page too): printedFlag
/// stays as it was. Printed: every page was drawn, the job is ended and printedFlag becomes 1.
PrintResult printInvoice();

/// Draws every page of the invoice onto the open print job (beginPrintout or beginPrintoutOn), which
/// stays open. False when the device refused a page.
bool drawInvoice();

/// Prints the offer `number` from the new-invoice window's lines in the invoice's layout: "Angebot Nr.:"
/// as its title, "Gültig bis" (offerState) where an invoice has its payment terms, no GiroCode and no
/// cash discount. printedFlag stays as it was.
PrintResult printOffer(std::int32_t number);

/// Draws every page of that offer onto the open print job. False when the device refused a page.
bool drawOffer(std::int32_t number);

/// The invoice state's lines as a cancellation or credit note: the same pages under the correction's
/// title and reference, without payment terms, GiroCode or cash discount.
bool drawCorrection(const CorrectionPrint& correction);
/// drawCorrection through the print dialog; printedFlag stays as it was.
PrintResult printCorrection(const CorrectionPrint& correction);
