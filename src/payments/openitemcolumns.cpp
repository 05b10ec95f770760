#include "payments/openitemcolumns.h"

#include "payments/receivables.h"
#include "runtime/lists.h"
#include "runtime/numbers.h"

#include <unordered_map>
#include <vector>

namespace {

// The register's columns the open items are computed from.
constexpr int kNumberColumn = 0;
constexpr int kAmountColumn = 3;

enum Cell { kDueDate, kPaid, kOpen, kState };

using TermsByInvoice = std::unordered_map<std::string_view, InvoiceTerms>;
using PaidByInvoice = std::unordered_map<std::string_view, PaidSoFar>;

// The terms of every invoice in Forderungen.dat; a later line of an invoice counts over an earlier one.
TermsByInvoice termsByInvoice() {
    TermsByInvoice byInvoice;
    for (const std::string& line : receivables().terms.lines) {
        if (const std::optional<InvoiceTerms> terms = termsOf(line))
            byInvoice.insert_or_assign(recordField(line, 1), *terms);
    }
    return byInvoice;
}

std::optional<InvoiceTerms> termsIn(const TermsByInvoice& terms, std::string_view invoice) {
    const auto it = terms.find(invoice);
    return it == terms.end() ? std::nullopt : std::optional(it->second);
}

PaidByInvoice paidByInvoice(const TermsByInvoice& terms) {
    PaidByInvoice byInvoice;
    for (const std::string& line : receivables().payments.lines) {
        const PaymentRecord payment = paymentOf(line);
        addPayment(byInvoice[payment.invoice], payment, termsIn(terms, payment.invoice));
    }
    return byInvoice;
}

std::optional<money::Amount> registeredAmountDue(int row) {
    const money::Reading sum =
        money::read(listCell(kInvoiceList, row, kAmountColumn), money::Amount::kDecimals);
    return sum.overflow ? std::nullopt : amountDueOf(money::Amount{sum.units});
}

std::array<std::string, kOpenItemColumns.size()> cellsOf(const OpenItem& item) {
    const auto amount = [](const std::optional<money::Amount>& a) {
        return a ? money::formatAmount(*a) : "";
    };
    return {item.dueDate ? formatDate("%dd.%mm.%yyyy", *item.dueDate) : "", money::formatAmount(item.paid),
            amount(item.open), std::string(stateText(item.state))};
}

void setCells(int row, const OpenItem& item) {
    const int first = receivables().firstColumn;
    if (first < 0)
        return;
    const auto cells = cellsOf(item);
    listSetCells(kInvoiceList, row, first, cells);
}

} // namespace

int openAmountColumn() {
    const int first = receivables().firstColumn;
    return first < 0 ? -1 : first + kOpen;
}

std::optional<InvoiceTerms> termsOfInvoice(std::string_view invoice) {
    std::optional<InvoiceTerms> terms;
    for (const std::string& line : receivables().terms.lines) {
        if (!isRecordOf(line, invoice))
            continue;
        if (std::optional<InvoiceTerms> read = termsOf(line))
            terms = read;
    }
    return terms;
}

OpenItem openItemOfRow(int row) {
    if (row < 0 || row >= listRowCount(kInvoiceList))
        return {};
    const std::string invoice(listCell(kInvoiceList, row, kNumberColumn));
    const std::optional<InvoiceTerms> terms = termsOfInvoice(invoice);
    PaidSoFar paid;
    for (const std::string& line : receivables().payments.lines) {
        if (isRecordOf(line, invoice))
            addPayment(paid, paymentOf(line), terms);
    }
    return openItemOf(terms, registeredAmountDue(row), paid, currentDate(), countsAsCancelled(invoice));
}

void fillOpenItemColumns() {
    const TermsByInvoice terms = termsByInvoice();
    const PaidByInvoice paid = paidByInvoice(terms);
    const DateValue today = currentDate();
    const int rows = listRowCount(kInvoiceList);
    for (int row = 0; row < rows; ++row) {
        // The cell is copied: it is a view into the list, which the row's new cells change.
        const std::string invoice(listCell(kInvoiceList, row, kNumberColumn));
        const auto paidIt = paid.find(invoice);
        const OpenItem item = openItemOf(termsIn(terms, invoice), registeredAmountDue(row),
                                         paidIt == paid.end() ? PaidSoFar{} : paidIt->second, today,
                                         countsAsCancelled(invoice));
        setCells(row, item);
    }
}

void fillOpenItemRow(int row) {
    if (row >= 0 && row < listRowCount(kInvoiceList))
        setCells(row, openItemOfRow(row));
}

int invoiceRow(std::string_view invoice, int hint) {
    if (hint >= 0 && hint < listRowCount(kInvoiceList) &&
        listCell(kInvoiceList, hint, kNumberColumn) == invoice)
        return hint;
    for (int row = 0; row < listRowCount(kInvoiceList); ++row) {
        if (listCell(kInvoiceList, row, kNumberColumn) == invoice)
            return row;
    }
    return -1;
}

std::string overdueNotice() {
    const int first = receivables().firstColumn;
    if (first < 0)
        return {};
    int count = 0;
    std::optional<money::Amount> sum = money::Amount{};
    for (int row = 0; row < listRowCount(kInvoiceList); ++row) {
        if (listCell(kInvoiceList, row, first + kState) != stateText(PaymentState::Overdue))
            continue;
        ++count;
        if (sum)
            sum = money::add(*sum, money::parse<money::Amount>(listCell(kInvoiceList, row, first + kOpen)));
    }
    if (count == 0)
        return {};
    const std::string amount = sum ? " (" + groupedAmount(*sum) + " \x80)" : "";
    return count == 1 ? "1 Rechnung ist \xFC"
                        "berf\xE4llig" +
                            amount + "."
                      : std::to_string(count) +
                            " Rechnungen sind \xFC"
                            "berf\xE4llig" +
                            amount + ".";
}

std::string groupedAmount(money::Amount amount) {
    const std::string plain = money::formatAmount(amount);
    const std::size_t comma = plain.find(',');
    const std::size_t digitsFrom = plain.starts_with('-') ? 1 : 0;
    std::string grouped = plain.substr(comma);
    for (std::size_t i = comma, n = 0; i > digitsFrom; --i, ++n) {
        if (n > 0 && n % 3 == 0)
            grouped.insert(grouped.begin(), '.');
        grouped.insert(grouped.begin(), plain[i - 1]);
    }
    return plain.substr(0, digitsFrom) + grouped;
}
