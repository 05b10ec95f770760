// AngData.dat as anyone may have left it: every row the reader lists has a known status and the
// highest number is the one the list shows; written back and read again, the list is the same.

#include "fuzzsupport.h"

#include "datafiles/offerfile.h"
#include "runtime/conversions.h"
#include "runtime/lists.h"
#include "runtime/numbers.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

std::vector<std::string> listedRows() {
    std::vector<std::string> rows;
    for (int r = 0; r < listRowCount(kOfferList); ++r) {
        std::string row;
        for (int c = 0; c < kOfferColumns; ++c)
            row.append(listCell(kOfferList, r, c)).append("|");
        rows.push_back(row);
    }
    return rows;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    prepareFuzzing(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    writeInput("AngData.dat", data, size);
    freshLists();
    const OfferLoad load = loadOffers();
    std::optional<std::int32_t> listed;
    for (int r = 0; r < listRowCount(kOfferList); ++r) {
        const std::int32_t number = parseInt(listCell(kOfferList, r, 0));
        listed = std::max(listed.value_or(number), number);
        if (knownStatus(listCell(kOfferList, r, kOfferStatusColumn)) !=
            listCell(kOfferList, r, kOfferStatusColumn))
            std::abort();
    }
    if (!load.whole || load.highest != listed)
        std::abort();
    // The register the list writes reads back as the same list.
    const std::vector<std::string> before = listedRows();
    if (!saveOffers())
        std::abort();
    freshLists();
    loadOffers();
    if (listedRows() != before)
        std::abort();
    return 0;
}
