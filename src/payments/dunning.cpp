#include "payments/dunning.h"

#include "payments/receivables.h"
#include "runtime/fieldchecks.h"
#include "state/companydata.h"

namespace {

constexpr std::int64_t kHundredPercent = 100 * 100;
constexpr int kDefaultDunningDays = 10;

std::optional<std::int64_t> wholeUnits(std::string_view text, int decimals) {
    const money::Reading reading = money::read(text, decimals);
    if (!reading.found || !reading.whole || reading.overflow || reading.units < 0)
        return std::nullopt;
    return reading.units;
}

} // namespace

std::string_view dunningTitle(int level) {
    switch (level) {
    case 1:
        return "Zahlungserinnerung";
    case 2:
        return "1. Mahnung";
    case 3:
        return "2. Mahnung";
    default:
        return "";
    }
}

std::optional<money::Amount> dunningFeeOf(std::string_view text) {
    const std::optional<std::int64_t> units = wholeUnits(text, money::Amount::kDecimals);
    return units ? std::optional(money::Amount{*units}) : std::nullopt;
}

std::optional<money::Rate> interestRateOf(std::string_view text) {
    const std::optional<std::int64_t> units = wholeUnits(text, money::Rate::kDecimals);
    if (!units || *units > kHundredPercent)
        return std::nullopt;
    return money::Rate{*units};
}

std::optional<money::Amount> interestOf(money::Amount open, money::Rate ratePerYear, int days) {
    // Cents × hundredths of a percent × days, over 100 % × 365 days: 128 bits hold every product.
    const __int128 product = static_cast<__int128>(open.units) * ratePerYear.units * days;
    const __int128 divisor = static_cast<__int128>(kHundredPercent) * 365;
    const __int128 half = product < 0 ? -divisor / 2 : divisor / 2;
    const __int128 cents = (product + half) / divisor;
    if (cents > INT64_MAX || cents < INT64_MIN)
        return std::nullopt;
    return money::Amount{static_cast<std::int64_t>(cents)};
}

LastDunning lastDunningOf(std::string_view invoice) {
    LastDunning last;
    for (const std::string& line : receivables().dunning.lines) {
        if (!isRecordOf(line, invoice))
            continue;
        const int level = parseInt(recordField(line, 2));
        if (level >= last.level) {
            last.level = level;
            last.date = parseDate(recordField(line, 3));
        }
    }
    return last;
}

std::string dunningLine(std::string_view invoice, int level, DateValue date) {
    return recordLine({invoice, formatInt(level), formatDate("%dd.%mm.%yyyy", date)});
}

NextLetter nextDunningLetter(std::string_view invoice, const OpenItem& item,
                             const std::optional<InvoiceTerms>& terms, DateValue today) {
    if (item.state == PaymentState::Paid)
        return {std::nullopt, NoLetter::Paid};
    if (!terms || !item.dueDate || !item.open || !item.due)
        return {std::nullopt, NoLetter::NoDueDate};
    if (item.state != PaymentState::Overdue)
        return {std::nullopt, NoLetter::NotOverdue};
    const LastDunning last = lastDunningOf(invoice);
    if (last.level >= kHighestDunningLevel)
        return {std::nullopt, NoLetter::LastLevelSent};
    DunningLetter letter;
    letter.level = std::max(last.level, 0) + 1;
    letter.invoice = std::string(invoice);
    letter.invoiceDate = terms->invoiceDate;
    letter.dueDate = *item.dueDate;
    letter.due = *item.due;
    letter.paid = item.paid;
    letter.open = *item.open;
    letter.previousDate = last.level > 0 ? last.date : std::nullopt;
    letter.daysOverdue = daysBetween(*item.dueDate, today);
    const CompanyData& company = companyData();
    if (letter.level >= 2) {
        // A fee or rate of 0 is none: no line says so.
        letter.fee = dunningFeeOf(company.dunningFee);
        if (letter.fee && letter.fee->units == 0)
            letter.fee.reset();
        letter.interestRate = interestRateOf(company.interestRate);
        if (letter.interestRate && letter.interestRate->units == 0)
            letter.interestRate.reset();
        if (letter.interestRate) {
            letter.interest = interestOf(letter.open, *letter.interestRate, letter.daysOverdue);
            if (!letter.interest)
                return {std::nullopt, NoLetter::TooLarge};
        }
    }
    std::optional<money::Amount> total = money::add(letter.open, letter.fee.value_or(money::Amount{}));
    if (total)
        total = money::add(*total, letter.interest.value_or(money::Amount{}));
    if (!total)
        return {std::nullopt, NoLetter::TooLarge};
    letter.total = *total;
    letter.deadline = addDays(dayOf(today), paymentDaysOf(company.dunningDays).value_or(kDefaultDunningDays));
    return {letter, NoLetter::NotOverdue};
}
