#pragma once
// Correcting an issued invoice: a cancellation (Stornorechnung) or a credit note (Gutschrift) under
// the next number, with the original's customer and lines at negated amounts. It is printed as an
// invoice is, registered (item file, line record, register row, Korrekturen.dat) and, with company
// data, archived as an e-invoice of type 381 naming the original.

#include <string>
#include <string_view>
#include <vector>

#include "datafiles/invoicelines.h"
#include "state/corrections.h"

/// How making a correction ended.
enum class CorrectionOutcome {
    /// Printed and every file written.
    Issued,
    /// Printed and registered, but a file is missing; the user was told which.
    SavedIncompletely,
    /// Refused before a number was used; the user was told why.
    Refused,
    /// The question or the print dialog was declined: no number used.
    NotPrinted,
};

/// What the user asked for.
struct CorrectionRequest {
    CorrectionKind kind = CorrectionKind::Cancellation;
    /// The register row (0-based) of the invoice to correct.
    int row = -1;
    /// A credit note's lines (amounts positive, as the original's) and reason; a cancellation takes
    /// the original's lines whole.
    std::vector<InvoiceLine> lines;
    std::string reason;
};

/// Why the invoice of register row `row` cannot be corrected by a correction of `kind` with lines
/// (a credit note's, amounts positive); "" when it can.
std::string correctionRefusal(int row, CorrectionKind kind, const std::vector<InvoiceLine>& lines);

/// The lines a correction of the invoice `number` starts from: its line record, or, without one, one
/// line of its register total (registerTotal) at the options' rate.
std::vector<InvoiceLine> correctableLines(std::string_view number, std::string_view registerTotal);

/// Issues the correction: prints it through the print dialog, registers it and archives its
/// e-invoice with company data.
CorrectionOutcome issueCorrection(const CorrectionRequest& request);

/// "Stornieren" on the invoices page (212): asks, then cancels the selected invoice.
void cancelSelectedInvoice();
