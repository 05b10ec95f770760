#include "einvoice/sellerfooter.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace einvoice {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isAlnum(char c) {
    return isDigit(c) || isLetter(c);
}
char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string withoutBlanksUpper(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c != ' ' && c != '\t')
            out += upper(c);
    }
    return out;
}

std::string digitsOf(std::string_view text) {
    std::string out;
    std::copy_if(text.begin(), text.end(), std::back_inserter(out), isDigit);
    return out;
}

std::size_t alnumRun(std::string_view line, std::size_t at) {
    std::size_t end = at;
    while (end < line.size() && isAlnum(line[end]))
        ++end;
    return end - at;
}

// The ways the IBAN starting at `at` may end: whole, or after each group of four (the word after a
// last full group may belong to the text, not to the IBAN). Empty where no IBAN starts.
std::vector<std::string> ibanReadings(std::string_view line, std::size_t at) {
    std::vector<std::string> readings;
    if (at + 4 > line.size() || (at > 0 && isAlnum(line[at - 1])) || !isLetter(line[at]) ||
        !isLetter(line[at + 1]) || !isDigit(line[at + 2]) || !isDigit(line[at + 3]))
        return readings;
    std::string iban;
    for (std::size_t group = at;;) {
        const std::size_t length = alnumRun(line, group);
        for (std::size_t i = group; i < group + length; ++i)
            iban += upper(line[i]);
        if (iban.size() > 34)
            break;
        if (iban.size() >= 15)
            readings.push_back(iban);
        const std::size_t end = group + length;
        if (length != 4 || end + 1 >= line.size() || line[end] != ' ' || !isAlnum(line[end + 1]))
            break;
        group = end + 1;
    }
    return readings;
}

bool namesOtherIban(std::string_view line, const std::string& iban) {
    for (std::size_t at = 0; at < line.size(); ++at) {
        const std::vector<std::string> readings = ibanReadings(line, at);
        if (!readings.empty() && std::find(readings.begin(), readings.end(), iban) == readings.end())
            return true;
    }
    return false;
}

// Digits, "/" and blanks from `at`, as long as they go on.
std::string_view numberRun(std::string_view line, std::size_t at) {
    std::size_t end = at;
    while (end < line.size() && (isDigit(line[end]) || line[end] == '/' || line[end] == ' '))
        ++end;
    return line.substr(at, end - at);
}

// Digit groups joined by "/" (blanks allowed around it) from `at`; the count of "/" and the digits.
std::pair<int, std::string> slashRun(std::string_view line, std::size_t at) {
    int slashes = 0;
    std::string digits;
    for (std::size_t i = at;;) {
        while (i < line.size() && isDigit(line[i]))
            digits += line[i++];
        std::size_t next = i;
        while (next < line.size() && line[next] == ' ')
            ++next;
        if (next >= line.size() || line[next] != '/')
            return {slashes, digits};
        ++next;
        while (next < line.size() && line[next] == ' ')
            ++next;
        if (next >= line.size() || !isDigit(line[next]))
            return {slashes, digits};
        ++slashes;
        i = next;
    }
}

// Tax numbers in the line, as their digits: groups joined by "/" ("12/345/67890"), or what follows a
// label ("St.-Nr.: 012 345 67890").
std::vector<std::string> taxNumbersIn(std::string_view line) {
    static const std::string_view kLabels[] = {"steuernummer", "steuer-nr", "st.-nr",
                                               "st.nr",        "st-nr",     "stnr"};
    std::string lower(line);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    std::vector<std::string> numbers;
    for (std::size_t at = 0; at < line.size(); ++at) {
        if (isDigit(line[at]) && (at == 0 || (!isAlnum(line[at - 1]) && line[at - 1] != '/'))) {
            const auto [slashes, digits] = slashRun(line, at);
            if (slashes >= 2 && digits.size() >= 10)
                numbers.push_back(digits);
        }
        for (const std::string_view label : kLabels) {
            if (std::string_view(lower).substr(at, label.size()) != label)
                continue;
            std::size_t value = at + label.size();
            while (value < line.size() && (line[value] == '.' || line[value] == ':' || line[value] == ' '))
                ++value;
            const std::string digits = digitsOf(numberRun(line, value));
            if (digits.size() >= 10)
                numbers.push_back(digits);
            break;
        }
    }
    return numbers;
}

} // namespace

std::vector<std::string> footerDisagreements(const std::vector<std::string>& footerLines,
                                             const Seller& seller) {
    const std::string iban = withoutBlanksUpper(seller.iban);
    const std::string taxNumber = digitsOf(seller.taxNumber);
    bool otherIban = false;
    bool otherTaxNumber = false;
    for (const std::string& line : footerLines) {
        otherIban = otherIban || (!iban.empty() && namesOtherIban(line, iban));
        if (taxNumber.empty())
            continue;
        for (const std::string& number : taxNumbersIn(line))
            otherTaxNumber = otherTaxNumber || number != taxNumber;
    }
    std::vector<std::string> reasons;
    if (otherIban)
        reasons.emplace_back("Die Fu\xDFzeile nennt eine andere IBAN als die Firmendaten");
    if (otherTaxNumber)
        reasons.emplace_back("Die Fu\xDFzeile nennt eine andere Steuernummer als die Firmendaten");
    return reasons;
}

} // namespace einvoice
