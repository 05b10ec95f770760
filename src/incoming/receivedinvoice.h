#pragma once
// A received e-invoice as the readers give it: the document as the program shows and prints it, and
// beside it every number exactly as the file writes it, which is what the check computes with.

#include "einvoice/document.h"
#include "incoming/decimal.h"

#include <optional>
#include <string>
#include <vector>

namespace incoming {

/// What the check (or the reader) found wrong, with the business term it concerns.
struct Finding {
    /// The BT number of EN 16931 (131 for BT-131); 0 for none.
    int bt = 0;
    /// The line it concerns, from 1 in the order of the invoice; 0 for the document.
    int line = 0;
    /// A German sentence, Windows-1252, that names the BT number.
    std::string text;
};

/// The numbers of a line as written; nullopt for one that is missing or no number.
struct LineFigures {
    std::optional<Decimal> quantity;
    std::optional<Decimal> price;
    std::optional<Decimal> baseQuantity;
    std::optional<Decimal> netAmount;
    std::optional<Decimal> rate;
    std::vector<Decimal> allowances;
    std::vector<Decimal> charges;
};

/// A document-level allowance or charge as written.
struct AllowanceFigures {
    bool charge = false;
    std::optional<Decimal> amount;
    std::optional<Decimal> rate;
};

/// One rate of the VAT breakdown as written.
struct VatFigures {
    std::optional<Decimal> rate;
    std::optional<Decimal> basis;
    std::optional<Decimal> tax;
};

struct Figures {
    /// In the order of document.lines, allowancesCharges and vatBreakdown.
    std::vector<LineFigures> lines;
    std::vector<AllowanceFigures> allowancesCharges;
    std::vector<VatFigures> vat;
    /// BT-106, 107, 108, 109, 110, 112, 113, 114 and 115.
    std::optional<Decimal> lineTotal;
    std::optional<Decimal> allowanceTotal;
    std::optional<Decimal> chargeTotal;
    std::optional<Decimal> taxBasis;
    std::optional<Decimal> taxTotal;
    std::optional<Decimal> grandTotal;
    std::optional<Decimal> prepaid;
    std::optional<Decimal> rounding;
    std::optional<Decimal> amountDue;
    /// Whether the issue date (BT-2) was there and a date.
    bool issueDate = false;
};

/// The syntax the invoice came in.
enum class Syntax { Cii, Ubl };

struct ReceivedInvoice {
    einvoice::Document document;
    Figures figures;
    Syntax syntax = Syntax::Cii;
    /// Whether it came out of a PDF.
    bool fromPdf = false;
    /// What the reader found it could not take: a value that is no number or no date.
    std::vector<Finding> readingFindings;
};

/// A received invoice, or why the file is none.
struct ReadResult {
    std::optional<ReceivedInvoice> invoice;
    /// A German phrase completing "Die Datei ist keine lesbare E-Rechnung: <Grund>.", Windows-1252.
    std::string refusal;
};

} // namespace incoming
