// Daten.dat as anyone may have left it: the reader fills the customer and article lists and the
// counter, and what is saved from them must hold exactly those rows, read the plain way.

#include "fuzzsupport.h"

#include "datafiles/masterdatafile.h"
#include "runtime/lists.h"
#include "runtime/numbers.h"
#include "state/customeredit.h"
#include "state/customernumbers.h"
#include "state/invoicestate.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace {

// The saved file read the plain way, one CR LF line after the other, without the program's reader.
class SavedLines {
  public:
    SavedLines() {
        std::ifstream in("Daten.dat", std::ios::binary);
        bytes_.assign(std::istreambuf_iterator<char>(in), {});
    }
    /// The next line; false when no line ended by CR LF is left.
    bool next(std::string_view& line) {
        const std::size_t end = bytes_.find("\r\n", at_);
        if (end == std::string::npos)
            return false;
        line = std::string_view(bytes_).substr(at_, end - at_);
        at_ = end + 2;
        return true;
    }
    bool atEnd() const { return at_ == bytes_.size(); }

  private:
    std::string bytes_;
    std::size_t at_ = 0;
};

// A customer has 14 fields with a Steuerfall, 13 when its number is not its place, else 12 when one of
// the six e-invoice cells is set, else 6 as before.
int customerFields(int row) {
    if (!listCell(kCustomerList, row, kCustomerTaxCaseColumn).empty())
        return kCustomerTaxCaseColumn + 1;
    if (customerNumberAt(row) != std::to_string(row + 1))
        return kCustomerIdColumn + 1;
    for (int c = kCustomerEInvoiceColumn; c < kCustomerEInvoiceColumn + kCustomerEInvoiceColumns; ++c) {
        if (!listCell(kCustomerList, row, c).empty())
            return kCustomerEInvoiceColumn + kCustomerEInvoiceColumns;
    }
    return kCustomerEInvoiceColumn;
}

// An article has 7 fields when its rate, category or unit is set, else 4 as before.
int articleFields(int row) {
    for (int c = kArticleTaxColumn; c < kArticleTaxColumn + 3; ++c) {
        if (!listCell(kArticleList, row, c).empty())
            return kArticleTaxColumn + 3;
    }
    return kArticleTaxColumn;
}

// The saved file holds exactly what the lists and the counter hold: a count line before each block,
// records of exactly 6 (or 12, 13, 14) and 4 (or 7) fields cell by cell, the counter, and after it
// nothing but the highest customer number given when no customer holds it.
bool savedAsListed() {
    SavedLines saved;
    std::string_view line;
    for (const int list : {kCustomerList, kArticleList}) {
        const int rows = listRowCount(list);
        if (!saved.next(line) || line != std::to_string(rows))
            return false;
        for (int r = 0; r < rows; ++r) {
            if (!saved.next(line))
                return false;
            const int columns = list == kCustomerList ? customerFields(r) : articleFields(r);
            std::size_t start = 0;
            for (int c = 0; c < columns; ++c) {
                const std::size_t end = c + 1 < columns ? line.find('|', start) : line.size();
                if (end == std::string_view::npos || line.substr(start, end - start) != listCell(list, r, c))
                    return false;
                start = end + 1;
            }
        }
    }
    if (!saved.next(line) || line != std::to_string(invoiceState().invoiceCounter))
        return false;
    if (customerEdit().highestNumber > highestCustomerNumberHeld())
        return saved.next(line) && line == std::to_string(customerEdit().highestNumber) && saved.atEnd();
    return saved.atEnd();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    prepareFuzzing(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    writeInput("Daten.dat", data, size);
    freshLists();
    invoiceState().invoiceCounter = 0;
    resetCustomerEdit();
    loadMasterData();
    if (!saveMasterData() || !savedAsListed())
        std::abort();
    return 0;
}
