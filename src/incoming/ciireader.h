#pragma once
// UN/CEFACT Cross Industry Invoice (CII D16B) as XRechnung CII and as the XML of Factur-X / ZUGFeRD
// in every profile: what maps onto EN 16931 is read, other elements are passed over.

#include "incoming/receivedinvoice.h"
#include "incoming/xmltree.h"

namespace incoming {

/// The namespace of the root element rsm:CrossIndustryInvoice.
inline constexpr std::string_view kCiiNamespace =
    "urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100";

/// The invoice of a tree whose root is a CrossIndustryInvoice; refused when it lacks the document
/// header or the trade transaction, without which nothing of an invoice is there.
ReadResult readCii(const XmlTree& tree);

} // namespace incoming
