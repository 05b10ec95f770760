// An invoice's line record as anyone may have left it: the reader gives one line per record line,
// none holding a "|" or a line break, each with a category and a unit.

#include "fuzzsupport.h"

#include "datafiles/invoicelines.h"

#include <cstdlib>
#include <sys/stat.h>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    prepareFuzzing(argc, argv);
    mkdir("Rechnungen", 0755);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    writeInput("Rechnungen/7-Zeilen.txt", data, size);
    const InvoiceLines read = readInvoiceLines("7");
    if (!read.recorded || read.lines.size() > size)
        std::abort();
    for (const InvoiceLine& line : read.lines) {
        for (const std::string* text : {&line.designation, &line.description, &line.category, &line.unit}) {
            if (text->find_first_of(std::string_view("|\r\n", 3)) != std::string::npos)
                std::abort();
        }
        if (line.category.empty() || line.unit.empty())
            std::abort();
    }
    return 0;
}
