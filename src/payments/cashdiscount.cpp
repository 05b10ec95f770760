#include "payments/cashdiscount.h"

#include "payments/dunning.h"
#include "runtime/fieldchecks.h"
#include "state/companydata.h"

namespace {

constexpr std::int64_t kHundredPercent = 100 * 100;

bool blank(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

} // namespace

std::optional<money::Rate> discountPercentOf(std::string_view text) {
    const money::Reading reading = money::read(text, 4);
    // Two decimals at most: a third would be lost in the e-invoice's "PROZENT=2.00".
    if (!reading.found || !reading.whole || reading.overflow || reading.units % 100 != 0)
        return std::nullopt;
    const money::Rate percent{reading.units / 100};
    if (percent.units <= 0 || percent.units >= kHundredPercent)
        return std::nullopt;
    return percent;
}

std::optional<CashDiscount> cashDiscount() {
    const CompanyData& company = companyData();
    if (!company.present)
        return std::nullopt;
    const std::optional<money::Rate> percent = discountPercentOf(company.cashDiscountPercent);
    const std::optional<int> days = paymentDaysOf(company.cashDiscountDays);
    if (!percent || !days)
        return std::nullopt;
    return CashDiscount{*days, *percent};
}

money::Amount discountAmount(money::Amount due, money::Rate percent) {
    const __int128 product = static_cast<__int128>(due.units) * percent.units;
    const __int128 half = product < 0 ? -kHundredPercent / 2 : kHundredPercent / 2;
    return money::Amount{static_cast<std::int64_t>((product + half) / kHundredPercent)};
}

std::string cashDiscountSentence(DateValue invoiceDate, money::Amount due, const CashDiscount& discount) {
    return "Bei Zahlung bis " + formatDate("%dd.%mm.%yyyy", addDays(invoiceDate, discount.days)) + " " +
           money::formatDecimal(discount.percent.units, 2, 0, ',') + " % Skonto (" +
           money::formatAmount(discountAmount(due, discount.percent)) + " \x80)";
}

InvoiceTerms termsOfNewInvoice(DateValue invoiceDate, int paymentDays, money::Amount due) {
    InvoiceTerms terms;
    terms.invoiceDate = dayOf(invoiceDate);
    terms.dueDate = addDays(terms.invoiceDate, paymentDays);
    terms.due = due;
    if (const std::optional<CashDiscount> discount = cashDiscount()) {
        terms.discountUntil = addDays(terms.invoiceDate, discount->days);
        terms.discount = discountAmount(due, discount->percent);
    }
    return terms;
}

const char* receivableFieldsRefusal(std::string_view discountPercent, std::string_view discountDays,
                                    std::string_view dunningFee, std::string_view interestRate,
                                    std::string_view dunningDays) {
    if (!blank(discountPercent) && !discountPercentOf(discountPercent))
        return "Skonto % ist ung\xFCltig: eine Zahl \xFC"
               "ber 0 und unter 100 mit h\xF6"
               "chstens zwei Nachkommastellen (2 oder 2,5).";
    if (!blank(discountDays) && !paymentDaysOf(discountDays))
        return "Skonto Tage ist ung\xFCltig: eine ganze Zahl von 0 bis 365 Tagen.";
    if (blank(discountPercent) != blank(discountDays))
        return "Skonto % und Skonto Tage geh\xF6ren zusammen: bitte beide angeben oder beide leer lassen.";
    if (!blank(dunningFee) && !dunningFeeOf(dunningFee))
        return "Die Mahngeb\xFChr ist ung\xFCltig: ein Betrag in Euro ab 0 (5,00).";
    if (!blank(interestRate) && !interestRateOf(interestRate))
        return "Der Verzugszinssatz ist ung\xFCltig: ein Prozentsatz im Jahr von 0 bis 100 (9,12).";
    if (!paymentDaysOf(dunningDays))
        return "Das Zahlungsziel f\xFCr Mahnungen ist ung\xFCltig: eine ganze Zahl von 0 bis 365 Tagen.";
    return nullptr;
}
