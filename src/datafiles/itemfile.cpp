#include "datafiles/itemfile.h"

#include "runtime/atomicsave.h"
#include "runtime/conversions.h"
#include "runtime/linefile.h"
#include "runtime/lists.h"
#include "runtime/numbers.h"
#include "runtime/recordtext.h"
#include "state/invoicestate.h"

#include <algorithm>

namespace {

constexpr std::int64_t kIsDirectory = -2;
constexpr int kFile = 0;

} // namespace

bool isItemFileNumber(std::string_view number) {
    if (number.starts_with('-'))
        number.remove_prefix(1);
    return !number.empty() &&
           std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string itemFileName(std::string_view number) {
    return itemFileName(kItemFolder, number);
}

std::string itemFileName(std::string_view folder, std::string_view number) {
    return std::string(folder) + "\\" + std::string(number) + ".txt";
}

bool writeItemFile() {
    return writeItemFile(kItemFolder, invoiceState().invoiceCounter);
}

bool writeItemFile(std::string_view folder, std::int32_t number) {
    const InvoiceState& invoice = invoiceState();
    // A failure to create the folder shows when the file is committed.
    if (fileSize(folder) != kIsDirectory)
        createDirectory(folder);
    // An older file of the same number (a counter that went back) is replaced whole.
    ReplacementFile file(itemFileName(folder, formatInt(number)));
    // One value per line: a line break inside a text would make two.
    for (const std::string* text :
         {&invoice.customerSalutation, &invoice.customerFullName, &invoice.customerAddition,
          &invoice.customerStreet, &invoice.customerTown})
        file.writeLine(lineText(*text));
    // Designation, unit price text, description; position, quantity and line total are not kept. A line
    // with its own rate, category or unit has the three after "|" signs, which no text holds.
    for (int i = 0; i < listRowCount(kLinesList); ++i) {
        std::string line(listCell(kLinesList, i, 1));
        line.append(" ").append(listCell(kLinesList, i, 3)).append(" ").append(listCell(kLinesList, i, 2));
        std::string tax;
        for (int c = kLineTaxColumn; c < kLineTaxColumn + 3; ++c)
            tax.append("|").append(fieldText(listCell(kLinesList, i, c)));
        if (tax.size() > 3)
            line += tax;
        file.writeLine(lineText(line));
    }
    file.writeLine(lineText(invoice.invoiceTotalText));
    return file.commit();
}

std::array<std::string, 5> itemFileAddress(std::string_view number) {
    std::array<std::string, 5> address;
    if (!isItemFileNumber(number) || openForReading(kFile, itemFileName(number)) == 0)
        return address;
    for (std::string& line : address) {
        if (atEnd(kFile) != 0)
            break;
        line = readLine(kFile);
    }
    closeFile(kFile);
    return address;
}
