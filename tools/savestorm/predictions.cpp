#include "predictions.h"

#include "invoicing/linedialog.h"
#include "runtime/conversions.h"
#include "runtime/numbers.h"
#include "shell/mainwindow.h"
#include "state/invoicestate.h"
#include "state/settings.h"
#include "toolkit/toolkit.h"

namespace {

void appendLine(std::string& out, std::string_view line) {
    out.append(line);
    out.append("\r\n");
}

void appendRecords(std::string& out, int list, int fields) {
    const int rows = rowCount(list);
    appendLine(out, formatInt(rows));
    for (int r = 0; r < rows; ++r) {
        std::string line;
        for (int c = 0; c < fields; ++c) {
            if (c > 0)
                line += '|';
            line += getCell(list, r, c);
        }
        appendLine(out, line);
    }
}

void appendFooter(std::string& out, const FooterLines& lines) {
    for (const std::string& line : lines)
        appendLine(out, line);
}

} // namespace

std::string masterDataBytes(std::int32_t counter) {
    std::string out;
    appendRecords(out, kCustomerList, 6);
    appendRecords(out, kArticleList, 4);
    appendLine(out, formatInt(counter));
    return out;
}

std::string settingsBytes(const Settings& s) {
    std::string out;
    appendLine(out, s.logoLine1);
    appendLine(out, s.logoLine2);
    appendLine(out, formatInt(s.logoSize));
    appendLine(out, s.companyAddress);
    appendLine(out, formatInt(s.companyAddressSize));
    appendLine(out, formatInt(s.customerAddressSize));
    appendLine(out, formatInt(s.invoiceTextSize));
    appendLine(out, formatInt(s.otherTextSize));
    appendFooter(out, s.footerLines1);
    appendFooter(out, s.footerLines2);
    appendFooter(out, s.footerLines3);
    appendFooter(out, s.footerLines4);
    appendLine(out, s.taxNumber);
    appendLine(out, s.taxRate);
    out += formatInt(s.pricesGross);
    return out;
}

std::string itemFileBytes() {
    const InvoiceState& invoice = invoiceState();
    std::string out;
    for (const std::string* field :
         {&invoice.customerSalutation, &invoice.customerFullName, &invoice.customerAddition,
          &invoice.customerStreet, &invoice.customerTown})
        appendLine(out, *field);
    for (int i = 0; i < rowCount(kLinesList); ++i)
        appendLine(out, getCell(kLinesList, i, 1) + " " + getCell(kLinesList, i, 3) + " " +
                            getCell(kLinesList, i, 2));
    appendLine(out, money::formatAmount(invoice.invoiceTotal));
    return out;
}

std::string registerLineBytes(std::int32_t number) {
    const InvoiceState& invoice = invoiceState();
    std::string line = formatInt(number) + "|" + getCell(kCustomerList, invoice.customerIndex, 1) + "|" +
                       invoice.customerNumberText + "|" + money::formatAmount(invoice.invoiceTotal) + "|" +
                       formatDate("%dd.%mm.%yyyy", currentDate());
    line += "\r\n";
    return line;
}

std::string registerWithout(std::string_view bytes, std::string_view number) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find("\r\n", start);
        end = end == std::string_view::npos ? bytes.size() : end + 2;
        const std::string_view line = bytes.substr(start, end - start);
        if (fieldOf(line.substr(0, line.find('\r')), 1, "|") == number)
            return std::string(bytes.substr(0, start)) + std::string(bytes.substr(end));
        start = end;
    }
    return std::string(bytes);
}
