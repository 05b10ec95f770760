// ReData.dat as anyone may have left it: the reader fills the invoice list with the lines whose
// first field is not empty, and the rewrite without one invoice keeps every other line.

#include "fuzzprogram.h"

#include "datafiles/registerfile.h"
#include "runtime/toolkit.h"
#include "shell/mainwindow.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    startProgramForFuzzing(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    writeInput("ReData.dat", data, size);
    emptyLists();
    loadRegister();
    highestRegisteredNumber();
    const int rows = rowCount(kInvoiceList);
    if (rows > 0) {
        const int r = static_cast<int>(size % static_cast<std::size_t>(rows));
        const std::string number = getCell(kInvoiceList, r, 0);
        if (!rewriteRegister(r, number))
            std::abort();
        emptyLists();
        loadRegister();
        // One invoice fewer; a number that stands twice loses only one of its lines.
        if (rowCount(kInvoiceList) != rows - 1)
            std::abort();
    }
    return 0;
}
