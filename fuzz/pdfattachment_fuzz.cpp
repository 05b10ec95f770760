// The way into a received file on any bytes: a PDF's attached XML taken out with qpdf under the size
// limit, then the XML read as whatever its root says. Never a crash, a hang or an exception; an XML
// taken out is never larger than the limit.

#include "incoming/pdfattachment.h"
#include "incoming/readreceived.h"
#include "readerinvariants.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    constexpr std::size_t kLimit = 1024 * 1024;
    const incoming::PdfXml attached = incoming::invoiceXmlOfPdf(bytes, kLimit);
    if (attached.xml && attached.xml->size() > kLimit)
        std::abort();
    if (!attached.xml)
        requireReason(attached.refusal);
    requireCoherent(incoming::readReceived(bytes));
    return 0;
}
