#include "state/linetax.h"

#include "state/taxrate.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<NamedCode, 10> kUnits = {{
    {"C62", "St\xFC"
            "ck"},
    {"HUR", "Std."},
    {"DAY", "Tag"},
    {"KGM", "kg"},
    {"MTR", "m"},
    {"MTK", "m\xB2"},
    {"LTR", "l"},
    {"KMT", "km"},
    {"SET", "Satz"},
    {"LS", "pauschal"},
}};

constexpr std::array<NamedCode, 7> kCategories = {{
    {"S", "Normal besteuert"},
    {"Z", "Nullsatz"},
    {"E", "Steuerbefreit"},
    {"AE", "Reverse Charge"},
    {"K", "Innergemeinschaftliche Lieferung"},
    {"G", "Ausfuhr (Drittland)"},
    {"O", "Nicht steuerbar"},
}};

const NamedCode* find(std::span<const NamedCode> codes, std::string_view code) {
    const auto it =
        std::find_if(codes.begin(), codes.end(), [&](const NamedCode& c) { return code == c.code; });
    return it == codes.end() ? nullptr : &*it;
}

money::Rate rateOf(std::string_view text) {
    if (const auto percent = text.find('%'); percent != std::string_view::npos)
        text = text.substr(0, percent);
    return money::parse<money::Rate>(text);
}

bool isBlankText(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

} // namespace

std::span<const NamedCode> lineUnits() {
    return kUnits;
}

std::span<const NamedCode> taxCategories() {
    return kCategories;
}

std::string unitName(std::string_view code) {
    const NamedCode* unit = find(kUnits, code);
    return unit ? unit->name : std::string();
}

std::string pickChoices(std::span<const NamedCode> codes) {
    std::string choices;
    for (const NamedCode& c : codes)
        choices.append("\n").append(c.name);
    return choices;
}

std::string codeAtPick(std::span<const NamedCode> codes, int i) {
    return i >= 1 && static_cast<std::size_t>(i) <= codes.size() ? codes[i - 1].code : std::string();
}

int pickOfCode(std::span<const NamedCode> codes, std::string_view code) {
    const NamedCode* found = find(codes, code);
    return found ? static_cast<int>(found - codes.data()) + 1 : 0;
}

LineTax effectiveTax(std::string_view rate, std::string_view category, std::string_view unit,
                     money::Rate optionsRate) {
    LineTax tax;
    tax.category = std::string(category);
    // Categories other than S charge no VAT, whatever rate a line names.
    const bool untaxed = !category.empty() && category != "S";
    tax.rate = untaxed ? money::Rate{} : isBlankText(rate) ? optionsRate : rateOf(rate);
    if (tax.category.empty())
        // Moved in whole: GCC 12 warns falsely (-Wrestrict) on assigning the literal.
        tax.category = std::string(tax.rate.units == 0 ? "Z" : "S");
    tax.unit = unit.empty() ? "C62" : std::string(unit);
    return tax;
}

std::string lineTaxRefusal(std::string_view rate, std::string_view category, std::string_view unit) {
    if (!isValidTaxRate(rate))
        return std::string(kTaxRateRefusal);
    if (!category.empty() && !find(kCategories, category))
        return "Die Steuerkategorie \x84" + std::string(category) + "\x93 ist unbekannt.";
    if (!unit.empty() && !find(kUnits, unit))
        return "Die Einheit \x84" + std::string(unit) + "\x93 ist unbekannt.";
    const bool untaxed = !category.empty() && category != "S";
    if (untaxed && rateOf(rate).units != 0)
        return "Diese Steuerkategorie verlangt den Steuersatz 0.";
    if (category == "S" && !isBlankText(rate) && rateOf(rate).units == 0)
        return "Ein Steuersatz von 0 % geh\xF6rt zur Kategorie Nullsatz.";
    return {};
}

ExemptionNote exemptionNote(std::string_view category) {
    if (category == "E")
        return {"Steuerfreier Umsatz", ""};
    if (category == "AE")
        return {"Steuerschuldnerschaft des Leistungsempf\xE4ngers (Reverse Charge)", "VATEX-EU-AE"};
    if (category == "K")
        return {"Steuerfreie innergemeinschaftliche Lieferung (\xA7 4 Nr. 1b UStG)", "VATEX-EU-IC"};
    if (category == "G")
        return {"Steuerfreie Ausfuhrlieferung (\xA7 4 Nr. 1a UStG)", "VATEX-EU-G"};
    if (category == "O")
        return {"Nicht steuerbarer Umsatz", "VATEX-EU-O"};
    return {};
}
