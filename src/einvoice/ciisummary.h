#pragma once
// What "Archiv prüfen" reads back from an archived CII XML: the invoice number and the totals, as the
// file states them. The file may be anything by now, so the reader trusts nothing in it.

#include <optional>
#include <string>
#include <string_view>

namespace einvoice {

/// The texts of an invoice's number and totals, as they stand in the XML.
struct CiiSummary {
    /// BT-1, ExchangedDocument/ID.
    std::string number;
    /// BT-106, the sum of the line amounts ("16668.44").
    std::string lineTotal;
    /// BT-112, the total with tax.
    std::string grandTotal;
    /// BT-72, the date of the supply as written ("20261201"); empty when the file names none.
    std::string deliveryDate;
};

/// The summary of a CII invoice; nullopt when xml is not a well-formed CrossIndustryInvoice with a
/// number, is larger than 64 MB or nests deeper than 64 elements. No DTD, no external entity is read.
std::optional<CiiSummary> readCiiSummary(std::string_view xml);

} // namespace einvoice
