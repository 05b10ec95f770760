#include "state/paymentterms.h"

#include "state/companydata.h"

#include <algorithm>

namespace {

constexpr std::string_view kDays = "{Tage}";
constexpr std::string_view kDate = "{Datum}";
// What a new Firma.ini held before the default named "{Tage}".
constexpr std::string_view kEarlierDefault = "Zahlbar innerhalb von 14 Tagen ohne Abzug.";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool hasPlaceholder(std::string_view terms) {
    return terms.find(kDays) != std::string_view::npos || terms.find(kDate) != std::string_view::npos;
}

// "Tag", "Tage", "Tagen" at `at`, in either case of the first letter; "Werktagen" is another count.
bool daysWordAt(std::string_view terms, std::size_t at) {
    const std::string_view word = terms.substr(at, 3);
    return word == "Tag" || word == "tag";
}

} // namespace

std::string filledPaymentTerms(std::string_view terms, int days, DateValue due) {
    if (terms == kEarlierDefault)
        terms = kDefaultPaymentTerms;
    std::string filled;
    for (std::size_t i = 0; i < terms.size();) {
        if (terms.substr(i, kDays.size()) == kDays) {
            filled += std::to_string(days);
            i += kDays.size();
        } else if (terms.substr(i, kDate.size()) == kDate) {
            filled += formatDate("%dd.%mm.%yyyy", due);
            i += kDate.size();
        } else {
            filled += terms[i++];
        }
    }
    return filled;
}

bool termsNameOtherDays(std::string_view terms, int days) {
    if (terms == kEarlierDefault || hasPlaceholder(terms))
        return false;
    bool namesDays = false;
    std::size_t i = 0;
    while (i < terms.size()) {
        if (!isDigit(terms[i])) {
            ++i;
            continue;
        }
        // A whole number, blanks, then the word; a number beyond a year of days stays beyond it.
        long number = 0;
        for (; i < terms.size() && isDigit(terms[i]); ++i)
            number = std::min(number * 10 + (terms[i] - '0'), 100000L);
        std::size_t word = i;
        while (word < terms.size() && terms[word] == ' ')
            ++word;
        if (daysWordAt(terms, word)) {
            if (number == days)
                return false;
            namesDays = true;
        }
    }
    return namesDays;
}
