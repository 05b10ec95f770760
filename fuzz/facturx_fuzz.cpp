// The Factur-X maker and the attachment reader on any bytes as a PDF: the reader gives nothing or the
// attachment, and the maker nothing or a PDF whose attachment reads back as the XML unchanged; neither
// crashes, hangs or throws.

#include "einvoice/facturx.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string pdf(reinterpret_cast<const char*>(data), size);
    einvoice::attachedXml(pdf);
    const std::string xml = "<rsm:CrossIndustryInvoice/>";
    const std::string chain(64, 'a');
    const auto out = einvoice::makeFacturX(pdf, xml, {"Rechnung 1", "Firma", 0, chain});
    if (out && einvoice::attachedXml(*out) != xml)
        std::abort();
    return 0;
}
