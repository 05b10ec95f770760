// The Factur-X maker on any bytes as its page: it gives nothing or a PDF that qpdf reads back with
// the XML attached unchanged; it never crashes, hangs or throws.

#include "einvoice/facturx.h"

#include <cstdint>
#include <cstdlib>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string pdf(reinterpret_cast<const char*>(data), size);
    const std::string xml = "<rsm:CrossIndustryInvoice/>";
    const auto out = einvoice::makeFacturX(pdf, xml, {"Rechnung 1", "Firma", 0});
    if (!out)
        return 0;
    QPDF result;
    result.setSuppressWarnings(true);
    result.processMemoryFile("result", out->data(), out->size());
    auto file = QPDFEmbeddedFileDocumentHelper(result).getEmbeddedFile("factur-x.xml");
    if (!file)
        std::abort();
    const auto stream = file->getEmbeddedFileStream().getStreamData();
    if (std::string(reinterpret_cast<const char*>(stream->getBuffer()), stream->getSize()) != xml)
        std::abort();
    return 0;
}
