// Zahlungen.dat, Forderungen.dat and Mahnungen.dat as anyone may have left them (the first byte picks
// the file): the reader keeps every line it took, writing them and reading again gives the same
// lines, and the invoice list's receivables columns computed for all rows at once agree with those
// of each row alone.

#include "fuzzsupport.h"

#include "payments/openitemcolumns.h"
#include "payments/receivables.h"
#include "runtime/listmodel.h"
#include "runtime/lists.h"
#include "runtime/numbers.h"

#include <cstdlib>
#include <set>
#include <string>

namespace {

constexpr std::size_t kMostRows = 16;

RecordFile& fileOf(std::uint8_t pick) {
    Receivables& r = receivables();
    return pick % 3 == 0 ? r.payments : pick % 3 == 1 ? r.terms : r.dunning;
}

// An invoice row for each invoice number the lines name (the first few), so that every computation
// meets them.
void listInvoices(const RecordFile& file) {
    ListModel* invoices = findList(kInvoiceList);
    receivables().firstColumn = invoices->columns();
    for (std::size_t c = 0; c < kOpenItemColumns.size(); ++c)
        invoices->insertColumnAt(invoices->columns(), "");
    std::set<std::string> numbers;
    for (const std::string& line : file.lines) {
        if (numbers.size() < kMostRows && numbers.insert(std::string(recordField(line, 1))).second)
            listAddRow(kInvoiceList, -1, std::string(recordField(line, 1)) + "|Kunde|1|12,50|01.12.2026",
                       '|');
    }
}

std::vector<std::string> rowCells(int row) {
    std::vector<std::string> cells;
    for (std::size_t c = 0; c < kOpenItemColumns.size(); ++c)
        cells.emplace_back(listCell(kInvoiceList, row, receivables().firstColumn + static_cast<int>(c)));
    return cells;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    prepareFuzzing(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    resetReceivables();
    RecordFile& file = fileOf(data[0]);
    writeInput(file.name, data + 1, size - 1);
    if (!loadRecordFile(file))
        std::abort();
    for (const std::string& line : file.lines) {
        if (line.empty() || line.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
            std::abort();
    }
    const std::vector<std::string> read = file.lines;
    if (!saveRecordFile(file) || !loadRecordFile(file) || file.lines != read)
        std::abort();
    // The writer's form of the terms reads back as the same terms.
    for (const std::string& line : receivables().terms.lines) {
        const std::optional<InvoiceTerms> terms = termsOf(line);
        const std::optional<InvoiceTerms> again = terms ? termsOf(termsLine("1", *terms)) : std::nullopt;
        if (terms && (!again || again->due != terms->due || again->dueDate != terms->dueDate ||
                      again->discountUntil != terms->discountUntil || again->discount != terms->discount))
            std::abort();
    }
    freshLists();
    listInvoices(file);
    fillOpenItemColumns();
    for (int row = 0; row < listRowCount(kInvoiceList); ++row) {
        const std::vector<std::string> all = rowCells(row);
        fillOpenItemRow(row);
        if (rowCells(row) != all)
            std::abort();
    }
    overdueNotice();
    return 0;
}
