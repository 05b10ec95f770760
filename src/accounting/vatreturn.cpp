#include "accounting/vatreturn.h"

#include "accounting/accounts.h"

namespace accounting {

namespace {

enum Figure : std::size_t { kKz81, kKz86, kKz41, kKz21, kKz43, kOther, kFigures };

std::vector<VatFigure> emptyFigures() {
    return {
        {"81", "Steuerpflichtige Ums\xE4tze zum Steuersatz von 19 %", true, {}, {}, {}},
        {"86", "Steuerpflichtige Ums\xE4tze zum Steuersatz von 7 %", true, {}, {}, {}},
        {"41", "Innergemeinschaftliche Lieferungen an Abnehmer mit USt-IdNr.", false, {}, {}, {}},
        {"21",
         "Nicht steuerbare sonstige Leistungen im \xFC"
         "brigen Gemeinschaftsgebiet",
         false,
         {},
         {},
         {}},
        {"43", "Weitere steuerfreie Ums\xE4tze mit Vorsteuerabzug (z. B. Ausfuhren)", false, {}, {}, {}},
        {"", "Nicht in diesen Kennzahlen", true, {}, {}, {}},
    };
}

Figure figureOf(const TaxPart& part) {
    const std::optional<RevenueCase> c = revenueCaseOf(part.category, part.rate);
    if (!c)
        return kOther;
    switch (*c) {
    case RevenueCase::Standard19:
        return kKz81;
    case RevenueCase::Reduced7:
        return kKz86;
    case RevenueCase::IntraCommunity:
        return kKz41;
    case RevenueCase::ReverseCharge:
        return kKz21;
    case RevenueCase::Export:
        return kKz43;
    default:
        return kOther;
    }
}

} // namespace

std::vector<VatFigure> vatFigures(const std::vector<InvoiceRecord>& invoices, const Period& period,
                                  bool* inRange) {
    std::vector<VatFigure> figures = emptyFigures();
    bool fits = true;
    for (const InvoiceRecord& invoice : invoices) {
        if (!period.contains(invoice.date))
            continue;
        for (const TaxPart& part : invoice.parts) {
            VatFigure& figure = figures[figureOf(part)];
            // One entry per invoice and figure, even where an invoice has two parts in one figure.
            if (figure.entries.empty() || figure.entries.back().number != invoice.number ||
                figure.entries.back().date != invoice.date)
                figure.entries.push_back({invoice.number, invoice.date, invoice.customerName, {}, {}});
            VatEntry& entry = figure.entries.back();
            for (auto [sum, value] : {std::pair{&entry.net, part.net}, std::pair{&entry.tax, part.tax},
                                      std::pair{&figure.net, part.net}, std::pair{&figure.tax, part.tax}}) {
                const std::optional<money::Amount> added = money::add(*sum, value);
                fits = fits && added.has_value();
                *sum = added.value_or(*sum);
            }
        }
    }
    if (inRange)
        *inRange = fits;
    return figures;
}

std::string wholeEuros(money::Amount amount) {
    return std::to_string(amount.units / 100);
}

} // namespace accounting
