#include "runtime/fieldchecks.h"

#include <algorithm>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

bool isLetter(char c) {
    return isUpper(c) || (c >= 'a' && c <= 'z');
}

bool allDigits(std::string_view s) {
    for (const char c : s) {
        if (!isDigit(c))
            return false;
    }
    return true;
}

// Letters count as two digits (A = 10 ... Z = 35, either case), as in the IBAN.
int mod97Step(int remainder, char c) {
    if (isDigit(c))
        return (remainder * 10 + (c - '0')) % 97;
    const char upper = isUpper(c) ? c : static_cast<char>(c - 'a' + 'A');
    return (remainder * 100 + (upper - 'A' + 10)) % 97;
}

// The IBAN's check: the first four characters moved to the end, every letter as two digits
// (A = 10 ... Z = 35), the number taken modulo 97 must be 1. Lower-case letters count as upper-case.
bool validIban(std::string_view typed) {
    std::string iban;
    for (const char c : typed) {
        if (c == ' ')
            continue;
        if (!isDigit(c) && !isLetter(c))
            return false;
        iban += isUpper(c) || isDigit(c) ? c : static_cast<char>(c - 'a' + 'A');
    }
    if (iban.size() < 15 || iban.size() > 34 || !isUpper(iban[0]) || !isUpper(iban[1]) || !isDigit(iban[2]) ||
        !isDigit(iban[3]))
        return false;
    // Every German IBAN has 22 characters; a digit lost or doubled there is caught before the sum.
    if (iban.starts_with("DE") && iban.size() != 22)
        return false;
    int remainder = 0;
    for (const char c : iban.substr(4) + iban.substr(0, 4))
        remainder = mod97Step(remainder, c);
    return remainder == 1;
}

// Two upper-case letters and up to twelve upper-case letters or digits; a German one is "DE" and nine
// digits.
bool validVatId(std::string_view id) {
    if (id.size() < 3 || id.size() > 14 || !isUpper(id[0]) || !isUpper(id[1]))
        return false;
    const std::string_view number = id.substr(2);
    if (id.starts_with("DE"))
        return number.size() == 9 && allDigits(number);
    for (const char c : number) {
        if (!isDigit(c) && !isUpper(c))
            return false;
    }
    return true;
}

// Grob- and Feinadressierung (the second optional), then two check digits; the number of all of them
// taken modulo 97 is 1 (ISO 7064 mod 97-10). A value of another shape is some other buyer reference.
bool validLeitwegId(std::string_view typed) {
    const std::size_t first = typed.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return true;
    const std::string_view id = typed.substr(first, typed.find_last_not_of(' ') - first + 1);
    const std::size_t lastDash = id.rfind('-');
    if (lastDash == std::string_view::npos || std::count(id.begin(), id.end(), '-') > 2)
        return true;
    const std::string_view check = id.substr(lastDash + 1);
    if (check.size() != 2 || !allDigits(check))
        return true;
    std::string parts;
    for (std::size_t at = 0; at <= lastDash;) {
        const std::size_t dash = id.find('-', at);
        const std::string_view part = id.substr(at, dash - at);
        if (part.empty() ||
            !std::all_of(part.begin(), part.end(), [](char c) { return isDigit(c) || isLetter(c); }))
            return true;
        parts += part;
        at = dash + 1;
    }
    int remainder = 0;
    for (const char c : parts + std::string(check))
        remainder = mod97Step(remainder, c);
    return remainder == 1;
}

bool validEmail(std::string_view email) {
    const std::size_t at = email.find('@');
    if (at == std::string_view::npos || at == 0 || email.find('@', at + 1) != std::string_view::npos)
        return false;
    for (const char c : email) {
        if (c == ' ')
            return false;
    }
    // A dot after the "@", with text on both of its sides.
    const std::size_t dot = email.find('.', at + 1);
    return dot != std::string_view::npos && dot > at + 1 && email.find_last_of('.') + 1 < email.size();
}

} // namespace

bool isBlankValue(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

std::string vatIdAsStored(std::string_view typed) {
    std::string id(typed);
    std::erase(id, ' ');
    return id;
}

std::string upperCaseCode(std::string_view text) {
    std::string code(text);
    for (char& c : code) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return code;
}

std::optional<int> paymentDaysOf(std::string_view text) {
    if (text.empty() || text.size() > 3 || !allDigits(text))
        return std::nullopt;
    int days = 0;
    for (const char c : text)
        days = days * 10 + (c - '0');
    if (days > 365)
        return std::nullopt;
    return days;
}

bool passesRule(FieldRule rule, std::string_view text, std::string_view country) {
    switch (rule) {
    case FieldRule::Iban:
        return text.empty() || validIban(text);
    case FieldRule::VatId:
        return text.empty() || validVatId(text);
    case FieldRule::Postcode:
        return text.empty() || country != "DE" || (text.size() == 5 && allDigits(text));
    case FieldRule::Email:
        return text.empty() || validEmail(text);
    case FieldRule::CountryCode:
        return text.size() == 2 && isLetter(text[0]) && isLetter(text[1]);
    case FieldRule::PaymentDays:
        return paymentDaysOf(text).has_value();
    case FieldRule::LeitwegId:
        return validLeitwegId(text);
    }
    return false;
}

const char* refusalMessage(FieldRule rule) {
    switch (rule) {
    case FieldRule::Iban:
        return "Die IBAN ist ung\xFCltig: die Pr\xFC"
               "fziffern stimmen nicht (Beispiel: DE89 3704 0044 0532 0130 00).";
    case FieldRule::VatId:
        return "Die USt-IdNr. ist ung\xFCltig: zwei Gro\xDF"
               "buchstaben und die Nummer, in Deutschland DE und 9 Ziffern (DE123456789).";
    case FieldRule::Postcode:
        return "Die PLZ ist ung\xFCltig: eine deutsche Postleitzahl hat 5 Ziffern.";
    case FieldRule::Email:
        return "Die E-Mail-Adresse ist ung\xFCltig: ein @ und danach ein Punkt (name@beispiel.de).";
    case FieldRule::CountryCode:
        return "Das Land ist ung\xFCltig: ein L\xE4ndercode aus zwei Buchstaben (DE, AT, FR ...).";
    case FieldRule::PaymentDays:
        return "Das Zahlungsziel ist ung\xFCltig: eine ganze Zahl von 0 bis 365 Tagen.";
    case FieldRule::LeitwegId:
        return "Die Leitweg-ID ist ung\xFCltig: die Pr\xFC"
               "fziffern stimmen nicht (Beispiel: 04011000-1234512345-06).";
    }
    return "";
}
