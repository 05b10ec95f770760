#include "state/taxrate.h"

#include "money/money.h"

namespace {

/// 100 % in the units of a rate, hundredths of a percent.
constexpr std::int64_t kHundredPercent = 100'00;

void dropTrailingBlanks(std::string_view& text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
}

} // namespace

bool isValidTaxRate(std::string_view rate) {
    dropTrailingBlanks(rate);
    if (rate.empty())
        return true;
    if (rate.back() == '%') {
        rate.remove_suffix(1);
        dropTrailingBlanks(rate);
    }
    const money::Reading reading = money::read(rate, money::Rate::kDecimals);
    // A rate is printed as typed: more places than it is computed with would print another rate.
    return reading.found && reading.whole && !reading.overflow && !reading.rounded && reading.units >= 0 &&
           reading.units <= kHundredPercent;
}
