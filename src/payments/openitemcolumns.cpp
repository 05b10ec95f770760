#include "payments/openitemcolumns.h"

#include "payments/receivables.h"
#include "runtime/listmodel.h"
#include "runtime/lists.h"
#include "runtime/numbers.h"

#include <unordered_map>
#include <vector>

namespace {

// The register's columns the open items are computed from.
constexpr int kNumberColumn = 0;
constexpr int kAmountColumn = 3;

enum Cell { kDueDate, kPaid, kOpen, kState };

// Values by invoice number. A number as the program writes it (digits, no leading zero) is keyed by its
// value, which hashes fast and keeps neighbouring numbers together; any other text by itself.
template <typename T> class ByInvoice {
  public:
    T& operator[](std::string_view invoice) {
        if (const std::optional<std::int64_t> key = keyOf(invoice))
            return numbers_[*key];
        return texts_[std::string(invoice)];
    }
    const T* find(std::string_view invoice) const {
        if (const std::optional<std::int64_t> key = keyOf(invoice)) {
            const auto it = numbers_.find(*key);
            return it == numbers_.end() ? nullptr : &it->second;
        }
        const auto it = texts_.find(std::string(invoice));
        return it == texts_.end() ? nullptr : &it->second;
    }
    void reserve(std::size_t count) { numbers_.reserve(count); }

  private:
    static std::optional<std::int64_t> keyOf(std::string_view text) {
        const bool negative = text.starts_with('-');
        const std::string_view digits = text.substr(negative ? 1 : 0);
        if (digits.empty() || digits.size() > 18 || (digits.size() > 1 && digits.front() == '0') ||
            (negative && digits == "0"))
            return std::nullopt;
        std::int64_t value = 0;
        for (const char c : digits) {
            if (c < '0' || c > '9')
                return std::nullopt;
            value = value * 10 + (c - '0');
        }
        return negative ? -value : value;
    }

    std::unordered_map<std::int64_t, T> numbers_;
    std::unordered_map<std::string, T> texts_;
};

// The terms of every invoice in Forderungen.dat; a later line of an invoice counts over an earlier one.
ByInvoice<InvoiceTerms> termsByInvoice() {
    ByInvoice<InvoiceTerms> byInvoice;
    byInvoice.reserve(receivables().terms.lines.size());
    for (const std::string& line : receivables().terms.lines) {
        if (const std::optional<InvoiceTerms> terms = termsOf(line))
            byInvoice[recordField(line, 1)] = *terms;
    }
    return byInvoice;
}

std::optional<InvoiceTerms> termsIn(const ByInvoice<InvoiceTerms>& terms, std::string_view invoice) {
    const InvoiceTerms* found = terms.find(invoice);
    return found ? std::optional(*found) : std::nullopt;
}

ByInvoice<PaidSoFar> paidByInvoice(const ByInvoice<InvoiceTerms>& terms) {
    ByInvoice<PaidSoFar> byInvoice;
    byInvoice.reserve(receivables().payments.lines.size());
    for (const std::string& line : receivables().payments.lines) {
        const PaymentRecord payment = paymentOf(line);
        addPayment(byInvoice[payment.invoice], payment, termsIn(terms, payment.invoice));
    }
    return byInvoice;
}

std::optional<money::Amount> registeredAmountDue(std::string_view amount, const DueRule& rule) {
    const money::Reading sum = money::read(amount, money::Amount::kDecimals);
    return sum.overflow ? std::nullopt : amountDueOf(money::Amount{sum.units}, rule);
}

std::array<std::string, kOpenItemColumns.size()> cellsOf(const OpenItem& item) {
    const auto amount = [](const std::optional<money::Amount>& a) {
        return a ? money::formatAmount(*a) : "";
    };
    return {item.dueDate ? formatDate("%dd.%mm.%yyyy", *item.dueDate) : "", money::formatAmount(item.paid),
            amount(item.open), std::string(stateText(item.state))};
}

void setCells(ListModel& list, int row, const OpenItem& item) {
    const int first = receivables().firstColumn;
    if (first >= 0)
        list.setCellTexts(row, first, cellsOf(item));
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
    const std::optional<money::Amount> due =
        terms ? std::nullopt : registeredAmountDue(listCell(kInvoiceList, row, kAmountColumn), dueRule());
    return openItemOf(terms, due, paid, currentDate(), countsAsCancelled(invoice));
}

void fillOpenItemColumns() {
    ListModel* const list = findList(kInvoiceList);
    if (!list)
        return;
    const ByInvoice<InvoiceTerms> terms = termsByInvoice();
    const ByInvoice<PaidSoFar> paid = paidByInvoice(terms);
    const DateValue today = currentDate();
    const DueRule rule = dueRule();
    for (int row = 0; row < list->rows(); ++row) {
        // The item is computed before the row changes: the cells are views into the list.
        const std::string_view invoice = list->cell(row, kNumberColumn);
        const std::optional<InvoiceTerms> invoiceTerms = termsIn(terms, invoice);
        const std::optional<money::Amount> due =
            invoiceTerms ? std::nullopt : registeredAmountDue(list->cell(row, kAmountColumn), rule);
        const PaidSoFar* paidSoFar = paid.find(invoice);
        const OpenItem item = openItemOf(invoiceTerms, due, paidSoFar ? *paidSoFar : PaidSoFar{}, today,
                                         countsAsCancelled(invoice));
        setCells(*list, row, item);
    }
}

void fillOpenItemRow(int row) {
    ListModel* const list = findList(kInvoiceList);
    if (list && row >= 0 && row < list->rows())
        setCells(*list, row, openItemOfRow(row));
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
