#include "einvoice/preflight.h"

#include "einvoice/cleantext.h"
#include "runtime/wohnort.h"

#include <cstdlib>

namespace einvoice {

namespace {

// ISO 3166-1 alpha-2 as the rules accept it (with 1A for Kosovo and XI for Northern Ireland).
constexpr std::string_view kCountryCodes =
    " 1A AD AE AF AG AI AL AM AN AO AQ AR AS AT AU AW AX AZ BA BB BD BE BF BG BH BI BL BJ BM BN BO BQ BR "
    "BS BT BV BW BY BZ CA CC CD CF CG CH CI CK CL CM CN CO CR CU CV CW CX CY CZ DE DJ DK DM DO DZ EC EE "
    "EG EH ER ES ET FI FJ FK FM FO FR GA GB GD GE GF GG GH GI GL GM GN GP GQ GR GS GT GU GW GY HK HM HN "
    "HR HT HU ID IE IL IM IN IO IQ IR IS IT JE JM JO JP KE KG KH KI KM KN KP KR KW KY KZ LA LB LC LI LK "
    "LR LS LT LU LV LY MA MC MD ME MF MG MH MK ML MM MN MO MP MQ MR MS MT MU MV MW MX MY MZ NA NC NE NF "
    "NG NI NL NO NP NR NU NZ OM PA PE PF PG PH PK PL PM PN PR PS PT PW PY QA RE RO RS RU RW SA SB SC SD "
    "SE SG SH SI SJ SK SL SM SN SO SR ST SV SX SY SZ TC TD TF TG TH TJ TK TL TM TN TO TR TT TV TW TZ UA "
    "UG UM US UY UZ VA VC VE VG VI VN VU WF WS XI YE YT ZA ZM ZW ";

// A VAT id begins with a country code; Greece writes EL there.
bool hasCountryPrefix(std::string_view vatId) {
    const QString id = cleanText(vatId);
    if (id.size() < 3)
        return false;
    const std::string prefix = id.left(2).toStdString();
    return prefix == "EL" || isCountryCode(prefix);
}

// The tax the rules expect within one euro either way: |tax| against |net| × rate / 100.
bool taxFitsRate(money::Amount net, money::Amount tax, money::Rate rate) {
    const __int128 expected = static_cast<__int128>(std::llabs(net.units)) * rate.units; // cents / 10^4
    const __int128 given = static_cast<__int128>(std::llabs(tax.units)) * 10000;
    const __int128 diff = given > expected ? given - expected : expected - given;
    return diff <= static_cast<__int128>(100) * 10000;
}

// Each entry's tax fits its rate (none outside S), its basis is the sum of its lines, and the entries
// add up to the totals.
bool breakdownAddsUp(const Document& doc) {
    money::Amount basis;
    money::Amount tax;
    for (const VatBreakdown& b : doc.vatBreakdown) {
        money::Amount lines;
        for (const Line& line : doc.lines) {
            if (line.categoryCode == b.categoryCode && line.rate == b.rate)
                lines = money::add(lines, line.netAmount).value_or(money::Amount{-1});
        }
        const bool taxOk = b.categoryCode == "S" ? b.rate.units >= 0 && taxFitsRate(b.basis, b.tax, b.rate)
                                                 : b.tax.units == 0;
        const auto nextBasis = money::add(basis, b.basis);
        const auto nextTax = money::add(tax, b.tax);
        if (lines != b.basis || !taxOk || !nextBasis || !nextTax)
            return false;
        basis = *nextBasis;
        tax = *nextTax;
    }
    return basis == doc.totals.net && tax == doc.totals.tax;
}

bool has(const Document& doc, std::string_view category) {
    for (const VatBreakdown& b : doc.vatBreakdown) {
        if (b.categoryCode == category)
            return true;
    }
    return false;
}

bool amountsAddUp(const Document& doc) {
    money::Amount sum;
    for (const Line& line : doc.lines) {
        const auto next = money::add(sum, line.netAmount);
        if (!next)
            return false;
        sum = *next;
    }
    const money::Totals& t = doc.totals;
    const auto gross = money::add(t.net, t.tax);
    if (sum != t.net || !gross || *gross != t.gross)
        return false;
    if (!doc.vatBreakdown.empty())
        return breakdownAddsUp(doc);
    if (categoryOf(doc) != VatCategory::Standard)
        return t.tax.units == 0;
    // A negative rate has its own reason.
    return doc.rate.units < 0 || taxFitsRate(t.net, t.tax, doc.rate);
}

} // namespace

std::string placeDifference(std::string_view wohnort, const Buyer& buyer) {
    // A Wohnort without a postcode in front is all town.
    const WohnortPlace paper = placeOfWohnort(wohnort);
    const QString town = cleanText(paper.postcode.empty() ? wohnort : std::string_view(paper.town));
    if (town.isEmpty() || isBlank(buyer.city))
        return {};
    if (cleanText(buyer.city) == town &&
        (paper.postcode.empty() || cleanText(buyer.postcode) == cleanText(paper.postcode)))
        return {};
    return "PLZ und Ort der E-Rechnung (" + buyer.postcode + " " + buyer.city + ") weichen vom Wohnort (" +
           std::string(wohnort) + ") ab";
}

bool isCountryCode(std::string_view code) {
    if (code.size() != 2)
        return false;
    for (std::size_t i = 1; i + 2 < kCountryCodes.size(); i += 3) {
        if (kCountryCodes.substr(i, 2) == code)
            return true;
    }
    return false;
}

std::vector<std::string> missingFor(const Document& doc, Profile profile) {
    std::vector<std::string> reasons;
    const auto require = [&](bool ok, const char* reason) {
        if (!ok)
            reasons.emplace_back(reason);
    };
    const auto country = [&](std::string_view code, const char* missing, const char* notACode) {
        if (isBlank(code))
            reasons.emplace_back(missing);
        else
            require(isCountryCode(cleanText(code).toStdString()), notACode);
    };
    const bool xrechnung = profile == Profile::XRechnung;
    const Seller& s = doc.seller;
    const Buyer& b = doc.buyer;

    require(!isBlank(doc.number), "Rechnungsnummer fehlt");
    require(!isBlank(s.name), "Firmenname fehlt");
    require(!isBlank(s.street), "Stra\xDF"
                                "e der Firma fehlt");
    require(!isBlank(s.postcode), "PLZ der Firma fehlt");
    require(!isBlank(s.city), "Ort der Firma fehlt");
    country(s.countryCode, "Land der Firma fehlt", "Land der Firma ist kein L\xE4nderkennzeichen (z. B. DE)");
    require(!isBlank(s.taxNumber) || !isBlank(s.vatId), "Steuernummer oder USt-IdNr. der Firma fehlt");
    require(isBlank(s.vatId) || hasCountryPrefix(s.vatId),
            "USt-IdNr. der Firma beginnt nicht mit einem L\xE4nderkennzeichen");
    if (xrechnung) {
        require(!isBlank(s.contactName), "Ansprechpartner der Firma fehlt");
        require(!isBlank(s.telephone), "Telefon der Firma fehlt");
        require(!isBlank(s.email), "E-Mail der Firma fehlt");
        require(!isBlank(s.iban), "IBAN der Firma fehlt");
        require(!cleanText(doc.paymentTerms).startsWith(u'#'), "Zahlungsbedingungen beginnen mit \"#\"");
    }

    require(!isBlank(b.name), "Name des Kunden fehlt");
    require(!isBlank(b.postcode), "PLZ des Kunden fehlt");
    require(!isBlank(b.city), "Ort des Kunden fehlt");
    country(b.countryCode, "Land des Kunden fehlt",
            "Land des Kunden ist kein L\xE4nderkennzeichen (z. B. DE)");
    require(isBlank(b.vatId) || hasCountryPrefix(b.vatId),
            "USt-IdNr. des Kunden beginnt nicht mit einem L\xE4nderkennzeichen");
    if (xrechnung) {
        require(!isBlank(b.reference), "Leitweg-ID des Kunden fehlt");
        require(!isBlank(b.email), "E-Mail des Kunden fehlt");
    }

    require(!doc.lines.empty(), "keine Rechnungsposition");
    for (std::size_t i = 0; i < doc.lines.size(); ++i) {
        if (isBlank(doc.lines[i].name))
            reasons.push_back("Position " + std::to_string(i + 1) + " ohne Bezeichnung");
    }
    require(doc.smallBusiness || doc.rate.units >= 0, "Steuersatz unter 0 %");
    // Reverse charge and intra-community supplies name both VAT ids; an export names the seller's.
    if (has(doc, "AE") || has(doc, "K")) {
        require(!isBlank(b.vatId), "USt-IdNr. des Kunden fehlt");
        require(!isBlank(s.vatId), "USt-IdNr. der Firma fehlt");
    } else if (has(doc, "G")) {
        require(!isBlank(s.vatId), "USt-IdNr. der Firma fehlt");
    }
    // What is not subject to VAT stands on an invoice of its own, without VAT ids.
    if (has(doc, "O"))
        require(doc.vatBreakdown.size() == 1 && isBlank(s.vatId) && isBlank(b.vatId),
                "Nicht steuerbare Positionen nur allein und ohne USt-IdNr.");
    require(amountsAddUp(doc), "Rechnungsbetr\xE4ge passen nicht zusammen");
    require(doc.totals.gross.units <= 0 || doc.dueDate || !isBlank(doc.paymentTerms), "Zahlungsziel fehlt");
    return reasons;
}

} // namespace einvoice
