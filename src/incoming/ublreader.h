#pragma once
// OASIS UBL 2.1 Invoice and CreditNote, as XRechnung UBL and Peppol BIS write them.

#include "incoming/receivedinvoice.h"
#include "incoming/xmltree.h"

namespace incoming {

inline constexpr std::string_view kUblInvoiceNamespace =
    "urn:oasis:names:specification:ubl:schema:xsd:Invoice-2";
inline constexpr std::string_view kUblCreditNoteNamespace =
    "urn:oasis:names:specification:ubl:schema:xsd:CreditNote-2";

/// The invoice of a tree whose root is a UBL Invoice or CreditNote.
ReadResult readUbl(const XmlTree& tree);

} // namespace incoming
