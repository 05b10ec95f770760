#include "datafiles/registerfile.h"

#include "money/money.h"
#include "runtime/atomicsave.h"
#include "runtime/conversions.h"
#include "runtime/linefile.h"
#include "runtime/lists.h"
#include "runtime/numbers.h"
#include "runtime/recordtext.h"
#include "state/companydata.h"
#include "state/invoicestate.h"
#include "state/settings.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kFile = 0;

// The lines of the register, empty ones included, each with CR LF, kept end to end in one buffer
// that becomes the new register's content once a line is added or cut out: a register of 100 000
// invoices then costs a few allocations and one copy instead of several per line.
class RegisterLines {
  public:
    void reserve(std::int64_t bytes) {
        text_.reserve(static_cast<std::size_t>(std::max<std::int64_t>(bytes, 0)));
    }
    void add(std::string_view line) {
        text_ += line;
        text_ += "\r\n";
        ends_.push_back(text_.size());
    }
    std::size_t size() const { return ends_.size(); }
    /// Line i without its line end.
    std::string_view operator[](std::size_t i) const {
        const std::size_t begin = beginOf(i);
        return std::string_view(text_).substr(begin, ends_[i] - begin - 2);
    }
    /// Cuts line i out.
    void remove(std::size_t i) {
        const std::size_t length = ends_[i] - beginOf(i);
        text_.erase(beginOf(i), length);
        ends_.erase(ends_.begin() + static_cast<std::ptrdiff_t>(i));
        for (std::size_t j = i; j < ends_.size(); ++j)
            ends_[j] -= length;
    }
    /// Every line, each ended by CR LF.
    std::string_view content() const { return text_; }

  private:
    std::size_t beginOf(std::size_t i) const { return i == 0 ? 0 : ends_[i - 1]; }

    std::string text_;
    std::vector<std::size_t> ends_;
};

// Reads every line of the register, however many there are; false when it cannot be opened.
bool readAllLines(RegisterLines& lines) {
    if (openForReading(kFile, kRegisterName) == 0)
        return false;
    // Room for the whole file and a line end after a last line that has none.
    lines.reserve(fileLength(kFile) + 2);
    while (atEnd(kFile) == 0)
        lines.add(readLine(kFile));
    // A read error looks like the end of the file; writing back what was read would lose the rest.
    const bool whole = fileReadOk(kFile);
    closeFile(kFile);
    return whole;
}

bool holdsInvoice(std::string_view line, std::string_view number) {
    return fieldOf(line, 1, "|") == number;
}

// The index of the line that belongs to invoice `number`: line r when its first field is that
// number, else the first line that holds it; -1 when none does. Lines that gave no row at load
// (empty, or beginning with "|") shift the file against the list, so r alone can name another
// invoice's line.
std::ptrdiff_t lineOfInvoice(const RegisterLines& lines, int r, std::string_view number) {
    if (number.empty())
        return -1;
    if (r >= 0 && static_cast<std::size_t>(r) < lines.size() &&
        holdsInvoice(lines[static_cast<std::size_t>(r)], number))
        return r;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (holdsInvoice(lines[i], number))
            return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
}

bool isAmount(std::string_view text) {
    const money::Reading reading = money::read(text, money::Amount::kDecimals);
    return reading.found && reading.whole && !reading.overflow;
}

// A line's five fields and its gross total, as the list's row: the sixth field when it holds an
// amount (the invoice was issued with it), else what the printout computed.
std::string rowWithGross(std::string_view line) {
    const std::string_view sixth = fieldView(line, 6, '|');
    if (isAmount(sixth))
        return std::string(line);
    std::string row;
    for (int field = 1; field <= 5; ++field)
        row.append(fieldView(line, field, '|')).append("|");
    row.append(registerGross(fieldView(line, 4, '|')));
    return row;
}

} // namespace

std::string registerGross(std::string_view amountText) {
    if (!isAmount(amountText))
        return {};
    const money::Amount amount{money::read(amountText, money::Amount::kDecimals).units};
    if (invoicesWithoutTax())
        return money::formatAmount(amount);
    const Settings& s = settings();
    const auto totals = money::totalsOf(amount, money::parse<money::Rate>(s.taxRate), s.pricesGross == 1);
    return totals ? money::formatAmount(totals->gross) : std::string();
}

RegisterLoad loadRegister() {
    RegisterLoad load;
    if (openForReading(kFile, kRegisterName) == 0)
        return load;
    while (atEnd(kFile) == 0) {
        const std::string line = readLine(kFile);
        // Empty lines and lines beginning with "|" name no invoice. The list has one column per field.
        if (line.empty() || line.front() == '|')
            continue;
        listAddRow(kInvoiceList, -1, rowWithGross(line), '|');
        const std::int32_t number = parseInt(fieldView(line, 1, '|'));
        load.highest = std::max(load.highest.value_or(number), number);
    }
    load.whole = fileReadOk(kFile);
    closeFile(kFile);
    if (!load.whole)
        protectFromReplacement(kRegisterName);
    return load;
}

bool appendRegisterLine() {
    const InvoiceState& invoice = invoiceState();
    const std::string date = formatDate("%dd.%mm.%yyyy", issueDateOrNow(invoice));
    RegisterLines lines;
    if (fileSize(kRegisterName) != -1 && !readAllLines(lines))
        return false;
    std::string line = formatInt(invoice.invoiceCounter) + "|" + fieldText(invoice.customerLastName) + "|" +
                       fieldText(invoice.customerNumberText) + "|" + fieldText(invoice.invoiceTotalText) +
                       "|" + date;
    // An earlier installation reads the first five fields; a folder without company data keeps them alone.
    if (companyData().present)
        line.append("|").append(registerGross(invoice.invoiceTotalText));
    lines.add(line);
    // The register is written anew with the line at its end rather than appended to: a disk that
    // fills up in the middle of the line would leave half a line, and the next line glued to it.
    // The replacement is on the disk when it returns, before Daten.dat records the new counter.
    ReplacementFile replacement(kRegisterName);
    replacement.writeText(lines.content());
    return replacement.commit();
}

bool rewriteRegister(int r, std::string_view number) {
    // Without a register there is no line to remove.
    if (fileSize(kRegisterName) == -1)
        return true;
    RegisterLines lines;
    if (!readAllLines(lines))
        return false;
    const std::ptrdiff_t drop = lineOfInvoice(lines, r, number);
    if (drop < 0)
        return true;
    // Written under another name first and renamed, so a failure keeps the old register whole.
    ReplacementFile replacement(kRegisterName);
    lines.remove(static_cast<std::size_t>(drop));
    replacement.writeText(lines.content());
    return replacement.commit();
}
