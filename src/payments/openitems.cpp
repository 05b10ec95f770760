#include "payments/openitems.h"

#include "payments/recordfile.h"
#include "state/companydata.h"
#include "state/corrections.h"
#include "state/invoicestate.h"
#include "state/ratesplit.h"
#include "state/settings.h"

namespace {

constexpr DateValue kSecondsPerDay = 24 * 60 * 60;

// An amount the file holds as a whole number; nullopt for anything else.
std::optional<money::Amount> amountField(std::string_view text) {
    const money::Reading reading = money::read(text, money::Amount::kDecimals);
    if (!reading.found || !reading.whole || reading.overflow)
        return std::nullopt;
    return money::Amount{reading.units};
}

// a - b; nullopt when it leaves the range of amounts.
std::optional<money::Amount> minus(money::Amount a, money::Amount b) {
    money::Amount difference;
    if (__builtin_sub_overflow(a.units, b.units, &difference.units))
        return std::nullopt;
    return difference;
}

std::string dateText(DateValue date) {
    return formatDate("%dd.%mm.%yyyy", date);
}

} // namespace

std::optional<InvoiceTerms> termsOf(std::string_view line) {
    const std::optional<DateValue> invoiceDate = parseDate(recordField(line, 2));
    const std::optional<money::Amount> due = amountField(recordField(line, 4));
    if (!invoiceDate || !due)
        return std::nullopt;
    InvoiceTerms terms;
    terms.invoiceDate = *invoiceDate;
    terms.dueDate = parseDate(recordField(line, 3));
    terms.due = *due;
    const std::optional<money::Amount> discount = amountField(recordField(line, 6));
    terms.discountUntil = discount ? parseDate(recordField(line, 5)) : std::nullopt;
    if (terms.discountUntil)
        terms.discount = *discount;
    return terms;
}

std::string termsLine(std::string_view invoice, const InvoiceTerms& terms) {
    const std::string dueDate = terms.dueDate ? dateText(*terms.dueDate) : "";
    const std::string until = terms.discountUntil ? dateText(*terms.discountUntil) : "";
    const std::string discount = terms.discountUntil ? money::formatAmount(terms.discount) : "";
    return recordLine(
        {invoice, dateText(terms.invoiceDate), dueDate, money::formatAmount(terms.due), until, discount});
}

PaymentRecord paymentOf(std::string_view line) {
    return {recordField(line, 1), recordField(line, 2),
            amountField(recordField(line, 3)).value_or(money::Amount{})};
}

std::string paymentLine(std::string_view invoice, std::string_view date, money::Amount amount,
                        std::string_view remark) {
    return recordLine({invoice, date, money::formatAmount(amount), remark});
}

bool addPayment(PaidSoFar& paid, const PaymentRecord& payment, const std::optional<InvoiceTerms>& terms) {
    const std::optional<money::Amount> total = money::add(paid.total, payment.amount);
    // The date matters only for a discount.
    std::optional<DateValue> date;
    if (terms && terms->discountUntil)
        date = parseDate(payment.date);
    const bool early = date && *date <= *terms->discountUntil;
    const std::optional<money::Amount> inPeriod =
        early ? money::add(paid.inDiscountPeriod, payment.amount) : paid.inDiscountPeriod;
    if (!total || !inPeriod)
        return false;
    paid = {*total, *inPeriod};
    return true;
}

OpenItem openItemOf(const std::optional<InvoiceTerms>& terms, std::optional<money::Amount> dueWithoutTerms,
                    const PaidSoFar& paid, DateValue today, bool cancelled) {
    OpenItem item;
    item.paid = paid.total;
    item.dueDate = terms ? terms->dueDate : std::nullopt;
    item.due = terms ? std::optional(terms->due) : dueWithoutTerms;
    if (!item.due)
        return item;
    const std::optional<money::Amount> discounted =
        terms && terms->discountUntil ? minus(*item.due, terms->discount) : std::nullopt;
    if (cancelled || (discounted && paid.inDiscountPeriod >= *discounted))
        item.open = money::Amount{};
    else
        item.open = minus(*item.due, paid.total);
    if (!item.open)
        return item;
    if (item.open->units <= 0)
        item.state = PaymentState::Paid;
    else if (item.dueDate && dayOf(today) > *item.dueDate)
        item.state = PaymentState::Overdue;
    return item;
}

DueRule dueRule() {
    return {invoicesWithoutTax(), money::parse<money::Rate>(settings().taxRate), settings().pricesGross == 1};
}

std::optional<money::Amount> amountDueOf(money::Amount lineSum, const DueRule& rule) {
    if (rule.withoutTax)
        return lineSum;
    const std::optional<money::Totals> totals = money::totalsOf(lineSum, rule.rate, rule.pricesGross);
    return totals ? std::optional(totals->gross) : std::nullopt;
}

std::optional<money::Amount> composedAmountDue() {
    const DueRule rule = dueRule();
    const std::optional<RateSplit> split =
        splitByRate(taxedLines(rule.rate, rule.withoutTax, invoiceState().customerTaxCase), rule.pricesGross);
    return split ? std::optional(split->totals.gross) : std::nullopt;
}

bool countsAsCancelled(std::string_view invoice) {
    // A cancelled invoice and its cancellation add up to zero: neither is owed.
    const Correction* own = correctionNumbered(invoice);
    return cancellationOf(invoice) != nullptr || (own && own->kind == CorrectionKind::Cancellation);
}

DateValue dayOf(DateValue date) {
    const DateValue rest = ((date % kSecondsPerDay) + kSecondsPerDay) % kSecondsPerDay;
    return date - rest;
}

int daysBetween(DateValue from, DateValue to) {
    return static_cast<int>((dayOf(to) - dayOf(from)) / kSecondsPerDay);
}

std::string_view stateText(PaymentState state) {
    switch (state) {
    case PaymentState::Paid:
        return "bezahlt";
    case PaymentState::Overdue:
        return "\xFC"
               "berf\xE4llig";
    case PaymentState::Open:
        break;
    }
    return "offen";
}
