// Daten.dat as anyone may have left it: the reader fills the customer and article lists and the
// counter. A file read back and saved again must read back the same once more.

#include "fuzzprogram.h"

#include "datafiles/masterdatafile.h"
#include "invoicing/invoicestate.h"
#include "runtime/toolkit.h"
#include "shell/mainwindow.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> listCells() {
    std::vector<std::string> cells;
    for (const auto& [list, columns] : {std::pair{kCustomerList, 6}, std::pair{kArticleList, 4}}) {
        cells.push_back(std::to_string(rowCount(list)));
        for (int r = 0; r < rowCount(list); ++r)
            for (int c = 0; c < columns; ++c)
                cells.push_back(getCell(list, r, c));
    }
    cells.push_back(std::to_string(invoiceState().invoiceCounter));
    return cells;
}

void load() {
    emptyLists();
    invoiceState().invoiceCounter = 0;
    loadMasterData();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    startProgramForFuzzing(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    writeInput("Daten.dat", data, size);
    load();
    const std::vector<std::string> first = listCells();
    if (!saveMasterData())
        std::abort();
    load();
    if (listCells() != first)
        std::abort();
    return 0;
}
