#include "datafiles/invoicelines.h"

#include "datafiles/itemfile.h"
#include "runtime/atomicsave.h"
#include "runtime/conversions.h"
#include "runtime/linefile.h"
#include "runtime/lists.h"
#include "runtime/numbers.h"
#include "runtime/recordtext.h"
#include "state/companydata.h"
#include "state/invoicestate.h"
#include "state/linetax.h"
#include "state/ratesplit.h"
#include "state/settings.h"

namespace {

constexpr int kFile = 0;
constexpr int kFields = 8;
// The item file's five address lines come before its invoice lines.
constexpr int kAddressLines = 5;

std::string_view fieldAt(std::string_view line, int index) {
    for (int i = 0; i < index; ++i) {
        const std::size_t bar = line.find('|');
        if (bar == std::string_view::npos)
            return {};
        line.remove_prefix(bar + 1);
    }
    return line.substr(0, line.find('|'));
}

InvoiceLine recordedLine(std::string_view text) {
    InvoiceLine line;
    line.designation = fieldAt(text, 0);
    line.description = fieldAt(text, 1);
    line.quantity = money::parse<money::Quantity>(fieldAt(text, 2));
    line.unitPrice = money::parse<money::Price>(fieldAt(text, 3));
    line.amount = money::parse<money::Amount>(fieldAt(text, 4));
    line.rate = money::parse<money::Rate>(fieldAt(text, 5));
    // Empty fields keep the defaults S and C62.
    if (const std::string_view category = fieldAt(text, 6); !category.empty())
        line.category = category;
    if (const std::string_view unit = fieldAt(text, 7); !unit.empty())
        line.unit = unit;
    return line;
}

// What an item file tells of the lines: their texts, between the address and the total.
InvoiceLines itemFileLines(std::string_view folder, std::string_view number) {
    InvoiceLines result;
    if (!isItemFileNumber(number) || openForReading(kFile, itemFileName(folder, number)) == 0)
        return result;
    std::vector<std::string> texts;
    while (atEnd(kFile) == 0)
        texts.push_back(readLine(kFile));
    closeFile(kFile);
    for (std::size_t i = kAddressLines; i + 1 < texts.size(); ++i) {
        InvoiceLine line;
        line.designation = texts[i].substr(0, texts[i].find('|'));
        result.lines.push_back(std::move(line));
    }
    return result;
}

} // namespace

std::string invoiceLinesName(std::string_view number) {
    return invoiceLinesName(kItemFolder, number);
}

std::string invoiceLinesName(std::string_view folder, std::string_view number) {
    return std::string(folder) + "\\" + std::string(number) + "-Zeilen.txt";
}

bool invoiceLinesNeeded() {
    if (companyData().present)
        return true;
    for (int r = 0; r < listRowCount(kLinesList); ++r) {
        for (int c = kLineTaxColumn; c < kLineTaxColumn + 3; ++c) {
            if (!listCell(kLinesList, r, c).empty())
                return true;
        }
    }
    return false;
}

bool writeInvoiceLines() {
    return writeInvoiceLines(kItemFolder, invoiceState().invoiceCounter);
}

bool writeInvoiceLines(std::string_view folder, std::int32_t number) {
    const bool smallBusiness = companyData().present && companyData().smallBusiness;
    const std::vector<TaxedAmount> taxed = taxedLines(money::parse<money::Rate>(settings().taxRate),
                                                      smallBusiness, invoiceState().customerTaxCase);
    ReplacementFile file(invoiceLinesName(folder, formatInt(number)));
    for (int r = 0; r < listRowCount(kLinesList); ++r) {
        const std::string unit(listCell(kLinesList, r, kLineTaxColumn + 2));
        const std::string fields[kFields] = {
            std::string(listCell(kLinesList, r, 1)),
            std::string(listCell(kLinesList, r, 2)),
            std::string(listCell(kLinesList, r, 4)),
            std::string(listCell(kLinesList, r, 3)),
            std::string(listCell(kLinesList, r, 5)),
            money::formatDecimal(taxed[r].rate.units, money::Rate::kDecimals, 0, ','),
            taxed[r].category,
            unit.empty() ? "C62" : unit,
        };
        std::string line;
        for (int f = 0; f < kFields; ++f)
            line.append(f > 0 ? "|" : "").append(fieldText(fields[f]));
        file.writeLine(line);
    }
    return file.commit();
}

InvoiceLines readInvoiceLines(std::string_view number) {
    return readInvoiceLines(kItemFolder, number);
}

InvoiceLines readInvoiceLines(std::string_view folder, std::string_view number) {
    if (!isItemFileNumber(number) || openForReading(kFile, invoiceLinesName(folder, number)) == 0)
        return itemFileLines(folder, number);
    InvoiceLines result;
    result.recorded = true;
    while (atEnd(kFile) == 0)
        result.lines.push_back(recordedLine(readLine(kFile)));
    closeFile(kFile);
    return result;
}
