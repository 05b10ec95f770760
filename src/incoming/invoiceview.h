#pragma once
// A received invoice as a person reads it, in German: the window and its printout show the same
// rows. Texts are Windows-1252.

#include "incoming/receivedinvoice.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace incoming {

/// The columns of the lines table.
inline constexpr std::array<const char*, 8> kLineColumns = {"Pos.",    "Bezeichnung", "Beschreibung", "Menge",
                                                            "Einheit", "Einzelpreis", "Nettobetrag",  "USt."};

using LineRow = std::array<std::string, kLineColumns.size()>;

struct InvoiceView {
    /// "E-Rechnung <number> von <seller>".
    std::string title;
    /// The check's result line, then each finding.
    std::string headline;
    std::vector<std::string> findings;
    /// Label and value, in the order of the invoice: the document, seller and buyer, references,
    /// allowances and charges, the VAT breakdown, the totals, payment, notes and attachments. Rows
    /// without a value are left out.
    std::vector<std::pair<std::string, std::string>> details;
    std::vector<LineRow> lines;
};

/// The view of an invoice and the findings of its check.
InvoiceView viewOf(const ReceivedInvoice& invoice, const std::vector<Finding>& findings);

/// "E-Rechnung <number> von <seller>".
std::string invoiceTitle(const einvoice::Document& doc);

} // namespace incoming
