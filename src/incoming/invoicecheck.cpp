#include "incoming/invoicecheck.h"

#include <algorithm>

namespace incoming {

namespace {

using einvoice::Document;

const Decimal kZero{0, 0};
const Decimal kHundred{100, 0};
// A line's net amount may differ this much from what its quantity and price give (rounding).
const Decimal kLineTolerance{2, 2};
// A tax amount may differ by a cent from its basis times its rate, as rounding rules differ.
const Decimal kTaxTolerance{1, 2};

std::string amountText(std::optional<Decimal> d) {
    return d ? germanText(*d, 2) : "-";
}

std::string linePrefix(int line) {
    return line > 0 ? "Position " + std::to_string(line) + ": " : std::string();
}

// A running sum that stays empty once it leaves the range.
struct Sum {
    std::optional<Decimal> value = Decimal{};
    void add(std::optional<Decimal> d, bool negate = false) {
        if (value && d)
            value = negate ? minus(*value, *d) : plus(*value, *d);
    }
};

// A VAT category with its rate, as lines, allowances and the breakdown name it; no rate counts as 0.
struct TaxKey {
    std::string category;
    Decimal rate;
    bool operator==(const TaxKey& other) const {
        return category == other.category && compare(rate, other.rate) == std::optional<int>(0);
    }
    std::string label() const { return category + " " + germanText(rate, 0) + " %"; }
};

class Checker {
  public:
    explicit Checker(const ReceivedInvoice& invoice) : doc_(invoice.document), fig_(invoice.figures) {
        found_ = invoice.readingFindings;
    }

    std::vector<Finding> run() {
        mandatoryFields();
        lines();
        documentSums();
        vatBreakdown();
        totals();
        return std::move(found_);
    }

  private:
    void note(int bt, int line, std::string text) { found_.push_back({bt, line, std::move(text)}); }

    // A field that is missing; not noted again when the reader noted it as unreadable.
    void require(bool present, int bt, const char* name, int line = 0) {
        const bool noted = std::any_of(found_.begin(), found_.end(),
                                       [&](const Finding& f) { return f.bt == bt && f.line == line; });
        if (!present && !noted)
            note(bt, line, linePrefix(line) + "BT-" + std::to_string(bt) + " (" + name + ") fehlt.");
    }

    void mandatoryFields() {
        require(!doc_.number.empty(), 1, "Rechnungsnummer");
        require(fig_.issueDate, 2, "Rechnungsdatum");
        require(!doc_.typeCode.empty(), 3, "Rechnungsart");
        require(!doc_.currencyCode.empty(), 5, "W\xE4hrung");
        require(!doc_.seller.name.empty(), 27, "Name des Verk\xE4ufers");
        require(!doc_.buyer.name.empty(), 44, "Name des K\xE4ufers");
        if (doc_.lines.empty())
            note(0, 0, "Die Rechnung hat keine Position (BG-25).");
        for (std::size_t i = 0; i < doc_.lines.size(); ++i) {
            const int line = static_cast<int>(i) + 1;
            require(!doc_.lines[i].lineId.empty(), 126, "Positionsnummer", line);
            require(fig_.lines[i].quantity.has_value(), 129, "Menge", line);
            require(fig_.lines[i].netAmount.has_value(), 131, "Nettobetrag", line);
            require(!doc_.lines[i].name.empty(), 153, "Artikelname", line);
        }
        require(fig_.lineTotal.has_value(), 106, "Summe der Positionen");
        require(fig_.taxBasis.has_value(), 109, "Gesamtbetrag ohne USt.");
        require(fig_.grandTotal.has_value(), 112, "Gesamtbetrag mit USt.");
        require(fig_.amountDue.has_value(), 115, "Zahlbetrag");
    }

    // net × base = quantity × price - (allowances - charges) × base, within the tolerance × base.
    void lines() {
        for (std::size_t i = 0; i < fig_.lines.size(); ++i) {
            const LineFigures& l = fig_.lines[i];
            const int line = static_cast<int>(i) + 1;
            if (!l.quantity || !l.price || !l.netAmount)
                continue;
            const Decimal base = l.baseQuantity.value_or(Decimal{1, 0});
            if (compare(base, kZero).value_or(0) <= 0) {
                note(149, line,
                     linePrefix(line) + "BT-149 (Basismenge) ist nicht gr\xF6\xDF"
                                        "er als 0.");
                continue;
            }
            Sum adjustments;
            for (const Decimal& a : l.allowances)
                adjustments.add(a, true);
            for (const Decimal& c : l.charges)
                adjustments.add(c);
            const std::optional<Decimal> gross = times(*l.quantity, *l.price);
            const std::optional<Decimal> adjusted =
                gross && adjustments.value ? times(*adjustments.value, base) : std::nullopt;
            const std::optional<Decimal> expectedTimesBase =
                adjusted ? plus(*gross, *adjusted) : std::nullopt;
            const std::optional<Decimal> statedTimesBase = times(*l.netAmount, base);
            const std::optional<Decimal> tolerance = times(kLineTolerance, base);
            if (!expectedTimesBase || !statedTimesBase || !tolerance) {
                note(131, line,
                     linePrefix(line) +
                         "BT-131 (Nettobetrag) kann nicht nachgerechnet werden, die Zahlen sind zu gro\xDF.");
                continue;
            }
            if (within(*statedTimesBase, *expectedTimesBase, *tolerance))
                continue;
            const std::string how = l.allowances.empty() && l.charges.empty()
                                        ? "Menge \xD7 Preis / Basismenge"
                                        : "Menge \xD7 Preis / Basismenge mit Nachl\xE4ssen und Zuschl\xE4gen";
            note(131, line,
                 linePrefix(line) + "BT-131 (Nettobetrag) ist " + amountText(l.netAmount) + ", " + how +
                     " ergibt " + amountText(divided(*expectedTimesBase, base, 2)) + ".");
        }
    }

    // stated against computed rounded to cents, within tolerance. An absent stated value counts as
    // zero, and is mentioned only when computed is not.
    void compareSum(int bt, const char* name, std::optional<Decimal> stated, const Sum& computed,
                    const char* how, Decimal tolerance = kZero) {
        if (!computed.value)
            return;
        const Decimal expected = rounded(*computed.value, 2);
        if (within(stated.value_or(kZero), expected, tolerance))
            return;
        note(bt, 0,
             "BT-" + std::to_string(bt) + " (" + name + ") " +
                 (stated ? "ist " + amountText(stated) : "fehlt") + ", " + how + " ergibt " +
                 amountText(expected) + ".");
    }

    void documentSums() {
        Sum lines;
        for (const LineFigures& l : fig_.lines)
            lines.add(l.netAmount);
        if (fig_.lineTotal)
            compareSum(106, "Summe der Positionen", fig_.lineTotal, lines,
                       "die Summe der Nettobetr\xE4ge (BT-131)");
        Sum allowances;
        Sum charges;
        for (const AllowanceFigures& a : fig_.allowancesCharges)
            (a.charge ? charges : allowances).add(a.amount);
        compareSum(107, "Summe der Nachl\xE4sse", fig_.allowanceTotal, allowances,
                   "die Summe der Nachl\xE4sse (BT-92)");
        compareSum(108, "Summe der Zuschl\xE4ge", fig_.chargeTotal, charges,
                   "die Summe der Zuschl\xE4ge (BT-99)");
        if (!fig_.lineTotal || !fig_.taxBasis)
            return;
        Sum net;
        net.add(fig_.lineTotal);
        net.add(fig_.allowanceTotal.value_or(kZero), true);
        net.add(fig_.chargeTotal.value_or(kZero));
        compareSum(109, "Gesamtbetrag ohne USt.", fig_.taxBasis, net, "BT-106 - BT-107 + BT-108");
    }

    void vatBreakdown() {
        std::vector<TaxKey> keys;
        for (std::size_t i = 0; i < doc_.vatBreakdown.size(); ++i)
            keys.push_back({doc_.vatBreakdown[i].categoryCode, fig_.vat[i].rate.value_or(kZero)});
        std::vector<Sum> bases(keys.size());
        std::vector<TaxKey> unmatched;
        const auto book = [&](const TaxKey& key, std::optional<Decimal> amount, bool negate) {
            const auto at = std::find(keys.begin(), keys.end(), key);
            if (at != keys.end())
                bases[static_cast<std::size_t>(at - keys.begin())].add(amount, negate);
            else if (std::find(unmatched.begin(), unmatched.end(), key) == unmatched.end())
                unmatched.push_back(key);
        };
        for (std::size_t i = 0; i < doc_.lines.size(); ++i)
            book({doc_.lines[i].categoryCode, fig_.lines[i].rate.value_or(kZero)}, fig_.lines[i].netAmount,
                 false);
        for (std::size_t i = 0; i < doc_.allowancesCharges.size(); ++i) {
            const AllowanceFigures& a = fig_.allowancesCharges[i];
            book({doc_.allowancesCharges[i].categoryCode, a.rate.value_or(kZero)}, a.amount, !a.charge);
        }
        for (const TaxKey& key : unmatched)
            note(118, 0,
                 "BT-118 (Umsatzsteuer " + key.label() +
                     ") wird berechnet, fehlt aber in der Aufschl\xFCsselung (BG-23).");
        for (std::size_t i = 0; i < keys.size(); ++i)
            compareBasis(i, keys[i], bases[i]);
    }

    void compareBasis(std::size_t i, const TaxKey& key, const Sum& base) {
        const VatFigures& v = fig_.vat[i];
        const std::string label = key.label();
        const std::string basisName = "Bemessungsgrundlage " + label;
        compareSum(116, basisName.c_str(), v.basis, base,
                   "die Summe ihrer Positionen, Nachl\xE4sse und Zuschl\xE4ge");
        if (!v.basis)
            return;
        Sum tax;
        tax.value = times(*v.basis, key.rate);
        if (tax.value)
            tax.value = divided(*tax.value, kHundred, 2);
        const std::string taxName = "Steuerbetrag " + label;
        const std::string how = germanText(key.rate, 0) + " % von BT-116";
        compareSum(117, taxName.c_str(), v.tax, tax, how.c_str(), kTaxTolerance);
    }

    void totals() {
        if (!doc_.vatBreakdown.empty()) {
            Sum taxes;
            for (const VatFigures& v : fig_.vat)
                taxes.add(v.tax);
            compareSum(110, "Summe der USt.", fig_.taxTotal, taxes,
                       "die Summe der Steuerbetr\xE4ge (BT-117)");
        }
        if (fig_.taxBasis && fig_.grandTotal) {
            Sum gross;
            gross.add(fig_.taxBasis);
            gross.add(fig_.taxTotal.value_or(kZero));
            compareSum(112, "Gesamtbetrag mit USt.", fig_.grandTotal, gross, "BT-109 + BT-110");
        }
        if (fig_.grandTotal && fig_.amountDue) {
            Sum due;
            due.add(fig_.grandTotal);
            due.add(fig_.prepaid.value_or(kZero), true);
            due.add(fig_.rounding.value_or(kZero));
            compareSum(115, "Zahlbetrag", fig_.amountDue, due, "BT-112 - BT-113 + BT-114");
        }
    }

    const Document& doc_;
    const Figures& fig_;
    std::vector<Finding> found_;
};

} // namespace

std::vector<Finding> checkInvoice(const ReceivedInvoice& invoice) {
    return Checker(invoice).run();
}

std::string checkHeadline(const std::vector<Finding>& findings) {
    const std::string head = "Rechnerisch gepr\xFC"
                             "ft: ";
    if (findings.empty())
        return head + "in Ordnung";
    return head + std::to_string(findings.size()) + (findings.size() == 1 ? " Befund" : " Befunde");
}

} // namespace incoming
