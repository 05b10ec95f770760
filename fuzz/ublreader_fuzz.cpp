// The UBL reader on any bytes, as the CII reader's target does: every tree read as an Invoice or, by
// the input's first byte, a CreditNote, whatever its root; then the check and the view.

#include "incoming/ublreader.h"
#include "readerinvariants.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    incoming::XmlReading reading =
        incoming::readXmlTree(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!reading.tree) {
        requireReason(reading.refusal);
        return 0;
    }
    // The root's name decides between invoice and credit note; the fuzzer may try either.
    if (size > 0 && (data[0] & 1) == 0)
        reading.tree->root.name = "CreditNote";
    requireCoherent(incoming::readUbl(*reading.tree));
    return 0;
}
