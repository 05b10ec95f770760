// Korrekturen.dat as anyone may have left it: the reader keeps the lines that name a correction, and
// writing one more keeps every line it read and adds exactly one.

#include "fuzzsupport.h"

#include "datafiles/correctionfile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    prepareFuzzing(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    writeInput("Korrekturen.dat", data, size);
    if (!loadCorrections())
        std::abort();
    const std::size_t read = corrections().size();
    for (const Correction& c : corrections()) {
        if (!parseCorrection(c.number +
                             (c.kind == CorrectionKind::Cancellation ? "|Storno|" : "|Gutschrift|") +
                             c.original))
            std::abort();
    }
    const Correction added{"999999", CorrectionKind::CreditNote, "1", "01.01.2026", "a|b\r\nc"};
    if (!appendCorrection(added) || !loadCorrections() || corrections().size() != read + 1 ||
        corrections().back().reason != "a b  c")
        std::abort();
    return 0;
}
