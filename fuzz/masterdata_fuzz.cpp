// Daten.dat as anyone may have left it: the reader fills the customer and article lists and the
// counter, and what is saved from them must hold exactly those rows, read the plain way.

#include "fuzzprogram.h"

#include "datafiles/masterdatafile.h"
#include "invoicing/invoicestate.h"
#include "runtime/toolkit.h"
#include "shell/mainwindow.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// The counts, the cells row by row and the counter, as the lists hold them.
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

std::vector<std::string> split(const std::string& text, const std::string& separator) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string::npos;
         start = at + separator.size())
        pieces.push_back(text.substr(start, at - start));
    pieces.push_back(text.substr(start));
    return pieces;
}

// The same list as listCells from the saved file: every line ended by CR LF, a count line before each
// block, records of exactly 6 and 4 fields, the counter last. Empty when the file breaks the form.
std::vector<std::string> savedCells() {
    std::ifstream in("Daten.dat", std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    std::vector<std::string> lines = split(bytes, "\r\n");
    if (lines.back() != "")
        return {};
    lines.pop_back();
    std::vector<std::string> cells;
    std::size_t at = 0;
    for (const std::size_t fields : {6u, 4u}) {
        if (at >= lines.size())
            return {};
        const std::size_t count = std::stoul(lines[at]);
        cells.push_back(lines[at++]);
        for (std::size_t r = 0; r < count; ++r, ++at) {
            const std::vector<std::string> record =
                at < lines.size() ? split(lines[at], "|") : std::vector<std::string>{};
            if (record.size() != fields)
                return {};
            cells.insert(cells.end(), record.begin(), record.end());
        }
    }
    if (at + 1 != lines.size())
        return {};
    cells.push_back(lines[at]);
    return cells;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    startProgramForFuzzing(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    writeInput("Daten.dat", data, size);
    emptyLists();
    invoiceState().invoiceCounter = 0;
    loadMasterData();
    if (!saveMasterData() || savedCells() != listCells())
        std::abort();
    return 0;
}
