// ReData.dat as anyone may have left it: the reader fills the invoice list with the lines whose
// first field is not empty, and the rewrite without one invoice keeps every other line.

#include "fuzzsupport.h"

#include "datafiles/registerfile.h"
#include "runtime/conversions.h"
#include "runtime/lists.h"
#include "runtime/numbers.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>

namespace {

// Lines of the rewritten register that name an invoice, read the plain way: each line ends with
// CR LF, and a line names an invoice when its first field is not empty. -1 when the form is broken.
int invoicesInRegister() {
    std::ifstream in("ReData.dat", std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    int invoices = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos)
            return -1;
        const std::string line = bytes.substr(start, end - start);
        if (line.find_first_of("\r\n", 0) != std::string::npos)
            return -1;
        invoices += fieldOf(line, 1, "|").empty() ? 0 : 1;
        start = end + 2;
    }
    return invoices;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    prepareFuzzing(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    writeInput("ReData.dat", data, size);
    freshLists();
    const RegisterLoad load = loadRegister();
    const int rows = listRowCount(kInvoiceList);
    // The number start-up raises the counter to is the highest one the list shows; none without rows.
    std::optional<std::int32_t> listed;
    for (int i = 0; i < rows; ++i) {
        const std::int32_t number = parseInt(listCell(kInvoiceList, i, 0));
        listed = std::max(listed.value_or(number), number);
    }
    if (!load.whole || load.highest != listed)
        std::abort();
    if (rows > 0) {
        const int r = static_cast<int>(size % static_cast<std::size_t>(rows));
        // One invoice fewer; a number that stands twice loses only one of its lines.
        if (!rewriteRegister(r, listCell(kInvoiceList, r, 0)) || invoicesInRegister() != rows - 1)
            std::abort();
    }
    return 0;
}
