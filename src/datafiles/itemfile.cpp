#include "datafiles/itemfile.h"

#include "runtime/atomicsave.h"
#include "runtime/conversions.h"
#include "runtime/linefile.h"
#include "runtime/lists.h"
#include "runtime/numbers.h"
#include "state/invoicestate.h"

namespace {

constexpr std::int64_t kIsDirectory = -2;

} // namespace

std::string itemFileName(std::string_view number) {
    return std::string(kItemFolder) + "\\" + std::string(number) + ".txt";
}

bool writeItemFile() {
    const InvoiceState& invoice = invoiceState();
    // A failure to create the folder shows when the file is committed.
    if (fileSize(kItemFolder) != kIsDirectory)
        createDirectory(kItemFolder);
    // An older file of the same number (a counter that went back) is replaced whole.
    ReplacementFile file(itemFileName(formatInt(invoice.invoiceCounter)));
    file.writeLine(invoice.customerSalutation);
    file.writeLine(invoice.customerFullName);
    file.writeLine(invoice.customerAddition);
    file.writeLine(invoice.customerStreet);
    file.writeLine(invoice.customerTown);
    // Designation, unit price text, description; position, quantity and line total are not kept.
    for (int i = 0; i < listRowCount(kLinesList); ++i) {
        std::string line(listCell(kLinesList, i, 1));
        line.append(" ").append(listCell(kLinesList, i, 3)).append(" ").append(listCell(kLinesList, i, 2));
        file.writeLine(line);
    }
    file.writeLine(invoice.invoiceTotalText);
    return file.commit();
}
