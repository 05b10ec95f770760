#include "payments/receivablechanges.h"

#include "payments/cashdiscount.h"
#include "payments/dunning.h"
#include "payments/receivables.h"
#include "state/companydata.h"
#include "state/invoicestate.h"

#include <algorithm>
#include <utility>

namespace {

// Writes the file with its lines changed by change; on failure the lines go back to what they were.
template <typename Change> bool changeAndSave(RecordFile& file, Change change) {
    std::vector<std::string> before = file.lines;
    change(file.lines);
    if (saveRecordFile(file))
        return true;
    file.lines = std::move(before);
    return false;
}

} // namespace

bool addPaymentRecord(std::string_view invoice, std::string_view date, money::Amount amount,
                      std::string_view remark) {
    const std::string line = paymentLine(invoice, date, amount, remark);
    return changeAndSave(receivables().payments,
                         [&](std::vector<std::string>& lines) { lines.push_back(line); });
}

std::vector<std::size_t> paymentsOf(std::string_view invoice) {
    std::vector<std::size_t> indexes;
    const std::vector<std::string>& lines = receivables().payments.lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (isRecordOf(lines[i], invoice))
            indexes.push_back(i);
    }
    return indexes;
}

bool removePaymentRecord(std::size_t index) {
    if (index >= receivables().payments.lines.size())
        return true;
    return changeAndSave(receivables().payments, [index](std::vector<std::string>& lines) {
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(index));
    });
}

bool rememberTerms(std::string_view invoice, const InvoiceTerms& terms) {
    const std::string line = termsLine(invoice, terms);
    return changeAndSave(receivables().terms, [&](std::vector<std::string>& lines) {
        std::erase_if(lines, [&](const std::string& old) { return isRecordOf(old, invoice); });
        lines.push_back(line);
    });
}

bool rememberRegisteredInvoice() {
    const InvoiceState& invoice = invoiceState();
    const std::optional<money::Amount> due = composedAmountDue();
    if (!companyData().present || !due)
        return true;
    const DateValue date = parseDate(invoice.invoiceDateText).value_or(currentDate());
    return rememberTerms(formatInt(invoice.invoiceCounter),
                         termsOfNewInvoice(date, invoice.paymentDays, *due));
}

bool rememberDunning(std::string_view invoice, int level, DateValue date) {
    const std::string line = dunningLine(invoice, level, date);
    return changeAndSave(receivables().dunning,
                         [&](std::vector<std::string>& lines) { lines.push_back(line); });
}

bool hasPayments(std::string_view invoice) {
    for (const std::string& line : receivables().payments.lines) {
        if (isRecordOf(line, invoice))
            return true;
    }
    return false;
}

bool forgetInvoice(std::string_view invoice) {
    Receivables& r = receivables();
    for (RecordFile* file : {&r.payments, &r.terms, &r.dunning}) {
        const bool holds = std::any_of(file->lines.begin(), file->lines.end(),
                                       [&](const std::string& line) { return isRecordOf(line, invoice); });
        const auto removeLines = [&](std::vector<std::string>& lines) {
            std::erase_if(lines, [&](const std::string& line) { return isRecordOf(line, invoice); });
        };
        if (holds && !changeAndSave(*file, removeLines))
            return false;
    }
    return true;
}
