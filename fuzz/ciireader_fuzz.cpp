// The CII reader on any bytes: the XML tree under its limits, every element read as CII whatever the
// root is, then the check and the view. It never crashes, hangs or throws, and what it gives holds
// together: the figures beside each line, allowance and VAT rate, a reason for every refusal.

#include "incoming/ciireader.h"
#include "incoming/invoicecheck.h"
#include "incoming/invoiceview.h"
#include "readerinvariants.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const incoming::XmlReading reading =
        incoming::readXmlTree(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!reading.tree) {
        requireReason(reading.refusal);
        return 0;
    }
    requireCoherent(incoming::readCii(*reading.tree));
    return 0;
}
