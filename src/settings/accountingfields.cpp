#include "settings/accountingfields.h"

#include "runtime/conversions.h"

#include <algorithm>

const std::array<const char*, kAccountFields> kAccountCaptions = {
    "Erl\xF6se 19 %",   "Erl\xF6se 7 %",     "Erl\xF6se 0 %",
    "Kleinunternehmer", "Reverse Charge EU", "Innergem. Lieferung",
    "Ausfuhr",          "Nicht steuerbar",   "Bank",
};

std::optional<std::int64_t> numberIn(std::string_view text, std::int64_t lowest, std::int64_t highest) {
    if (text.empty() || text.size() > 18 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text)
        value = value * 10 + (c - '0');
    if (value < lowest || value > highest)
        return std::nullopt;
    return value;
}

std::optional<DayOfYear> dayOfYear(std::string_view text) {
    // A year without 29 February tells whether every year has the day.
    if (text.size() != 6 || text.back() != '.' || !parseDate(std::string(text) + "2025"))
        return std::nullopt;
    return DayOfYear{static_cast<int>(*numberIn(text.substr(0, 2), 1, 31)),
                     static_cast<int>(*numberIn(text.substr(3, 2), 1, 12))};
}

std::string accountingRefusal(const CompanyData& c) {
    if (!c.adviserNumber.empty() && !numberIn(c.adviserNumber, 1001, 9999999))
        return "Die Beraternummer muss eine Zahl von 1001 bis 9999999 sein.";
    if (!c.clientNumber.empty() && !numberIn(c.clientNumber, 1, 99999))
        return "Die Mandantennummer muss eine Zahl von 1 bis 99999 sein.";
    if (c.chart != "SKR03" && c.chart != "SKR04")
        return "Der Kontenrahmen muss SKR03 oder SKR04 sein.";
    if (!dayOfYear(c.fiscalYearStart))
        return "\"Wirtschaftsjahr beginnt\" muss ein Tag in der Form TT.MM. sein (z. B. 01.01.).";
    const std::optional<std::int64_t> length = numberIn(c.accountLength, 4, 8);
    if (!length)
        return "Die Sachkontenl\xE4nge muss eine Zahl von 4 bis 8 sein.";
    if (c.debtors != "Sammelkonto" && c.debtors != "je Kunde")
        return "Debitoren muss \"Sammelkonto\" oder \"je Kunde\" sein.";
    for (std::size_t i = 0; i < kAccountFields; ++i) {
        // An account has at most as many digits as the Sachkontenlänge.
        if (!c.accounts[i].empty() && (c.accounts[i].size() > static_cast<std::size_t>(*length) ||
                                       !numberIn(c.accounts[i], 1, 99999999)))
            return std::string("Das Konto \"") + kAccountCaptions[i] + "\" muss eine Zahl mit h\xF6" +
                   "chstens " + std::to_string(*length) + " Ziffern sein.";
    }
    return {};
}
