#include "money/money.h"

#include <algorithm>
#include <limits>

namespace money {

namespace {

// Products of two 64-bit values and their sums fit in 128 bits; results are narrowed back with a check.
using Wide = __int128;

// 10^18 is the largest power of ten an int64 holds.
constexpr int kMaxDecimals = 18;

constexpr std::int64_t pow10(int n) {
    std::int64_t p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// n / d rounded half away from zero, the same way for both signs; d > 0.
Wide divideRounded(Wide n, Wide d) {
    const Wide quotient = n / d;
    const Wide remainder = n % d;
    if (2 * (remainder < 0 ? -remainder : remainder) >= d)
        return quotient + (n < 0 ? -1 : 1);
    return quotient;
}

std::optional<std::int64_t> narrow(Wide value) {
    if (value < std::numeric_limits<std::int64_t>::min() || value > std::numeric_limits<std::int64_t>::max())
        return std::nullopt;
    return static_cast<std::int64_t>(value);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isSeparator(char c) {
    return c == '.' || c == ',';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The decimals lineAmount drops: a quantity's three and a price's four, less the amount's two.
constexpr int kLineShift = Quantity::kDecimals + Price::kDecimals - Amount::kDecimals;
// 100 % in rate units: tax = net × rate / kHundredPercent.
constexpr Wide kHundredPercent = Wide{100} * pow10(Rate::kDecimals);
// Magnitudes above 2^63 overflow either sign.
constexpr Wide kLimit = Wide{1} << 63;
constexpr auto npos = std::string_view::npos;

// Where a number ends and which of its separators, if any, is the decimal one.
struct Extent {
    std::size_t end = npos;
    std::size_t point = npos;
    bool found = false;
};

// A single "." after one to three digits that do not begin with 0, followed by exactly three digits,
// groups thousands the German way: "1.000" is one thousand, "12.5" and "0.125" are decimals.
bool dotGroups(std::string_view text, std::size_t begin, std::size_t dot) {
    const std::size_t lead = dot - begin;
    std::size_t trail = 0;
    while (dot + 1 + trail < text.size() && isDigit(text[dot + 1 + trail]))
        ++trail;
    return lead >= 1 && lead <= 3 && text[begin] != '0' && trail == 3;
}

// The number starting at begin: digits, and separators with a digit after them. A separator with none
// after it ends the number; it is taken along ("5,") but has no say in which separator is the decimal one.
Extent extentOf(std::string_view text, std::size_t begin) {
    Extent extent;
    std::size_t lastDot = npos;
    std::size_t lastComma = npos;
    int separators = 0;
    std::size_t i = begin;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            extent.found = true;
        } else if (isSeparator(c) && i + 1 < text.size() && isDigit(text[i + 1])) {
            (c == '.' ? lastDot : lastComma) = i;
            ++separators;
        } else {
            if (isSeparator(c) && extent.found)
                ++i;
            break;
        }
    }
    extent.end = i;
    if (lastDot != npos && lastComma != npos)
        extent.point = std::max(lastDot, lastComma);
    else if (separators == 1 && !(lastDot != npos && dotGroups(text, begin, lastDot)))
        extent.point = std::min(lastDot, lastComma);
    return extent;
}

// The digits from begin to extent.end in units of 10^-decimals, rounded half away from zero; rounded
// tells whether a dropped digit was not 0. A whole part beyond 2^63 overflows whatever follows, so it
// stops growing there.
Wide magnitudeOf(std::string_view text, std::size_t begin, const Extent& extent, int decimals,
                 bool& rounded) {
    Wide whole = 0;
    Wide fraction = 0;
    int fractionDigits = 0;
    bool roundUp = false;
    bool afterPoint = false;
    for (std::size_t k = begin; k < extent.end; ++k) {
        afterPoint = afterPoint || k == extent.point;
        if (!isDigit(text[k]))
            continue;
        const int digit = text[k] - '0';
        if (!afterPoint) {
            whole = std::min(whole * 10 + digit, kLimit + 1);
        } else if (fractionDigits < decimals) {
            fraction = fraction * 10 + digit;
            ++fractionDigits;
        } else {
            // The first dropped digit decides.
            if (fractionDigits == decimals)
                roundUp = digit >= 5;
            fractionDigits = decimals + 1;
            rounded = rounded || digit != 0;
        }
    }
    const int missing = decimals - std::min(fractionDigits, decimals);
    return whole * pow10(decimals) + fraction * pow10(missing) + (roundUp ? 1 : 0);
}

} // namespace

Reading read(std::string_view text, int decimals) {
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    const Extent extent = extentOf(text, i);
    if (!extent.found)
        return Reading{};

    Reading reading;
    const Wide magnitude = magnitudeOf(text, i, extent, decimals, reading.rounded);
    reading.found = true;
    reading.overflow = magnitude > (negative ? kLimit : kLimit - 1);
    if (!reading.overflow)
        reading.units = static_cast<std::int64_t>(negative ? -magnitude : magnitude);
    i = extent.end;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    reading.whole = i == text.size();
    return reading;
}

std::optional<Amount> lineAmount(Quantity quantity, Price price) {
    const Wide product = static_cast<Wide>(quantity.units) * price.units;
    if (const auto cents = narrow(divideRounded(product, pow10(kLineShift))))
        return Amount{*cents};
    return std::nullopt;
}

std::optional<Amount> add(Amount a, Amount b) {
    if (const auto cents = narrow(static_cast<Wide>(a.units) + b.units))
        return Amount{*cents};
    return std::nullopt;
}

std::optional<Amount> netOfGross(Amount gross, Rate rate) {
    if (rate.units <= -kHundredPercent)
        return std::nullopt;
    const Wide net =
        divideRounded(static_cast<Wide>(gross.units) * kHundredPercent, kHundredPercent + rate.units);
    if (const auto cents = narrow(net))
        return Amount{*cents};
    return std::nullopt;
}

std::optional<Totals> totalsOf(Amount lineSum, Rate rate, bool pricesGross) {
    if (rate.units <= -kHundredPercent)
        return std::nullopt;
    if (pricesGross) {
        const auto net = netOfGross(lineSum, rate);
        const auto tax = net ? narrow(static_cast<Wide>(lineSum.units) - net->units) : std::nullopt;
        if (!tax)
            return std::nullopt;
        return Totals{*net, Amount{*tax}, lineSum};
    }
    const auto tax = narrow(divideRounded(static_cast<Wide>(lineSum.units) * rate.units, kHundredPercent));
    const auto gross = tax ? add(lineSum, Amount{*tax}) : std::nullopt;
    if (!gross)
        return std::nullopt;
    return Totals{lineSum, Amount{*tax}, *gross};
}

std::string formatDecimal(std::int64_t units, int decimals, int minDecimals, char point) {
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    // Unsigned, so that the lowest value keeps its magnitude.
    const std::uint64_t magnitude =
        units < 0 ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
    const auto scale = static_cast<std::uint64_t>(pow10(decimals));
    std::string text = units < 0 ? "-" : "";
    text += std::to_string(magnitude / scale);

    std::string fraction = decimals > 0 ? std::to_string(magnitude % scale) : "";
    fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
    const auto keep = static_cast<std::size_t>(std::max(minDecimals, 0));
    while (fraction.size() > keep && fraction.back() == '0')
        fraction.pop_back();
    fraction.resize(std::max(fraction.size(), keep), '0');
    if (!fraction.empty())
        text += point + fraction;
    return text;
}

std::string formatAmount(Amount amount) {
    return formatDecimal(amount.units, Amount::kDecimals, Amount::kDecimals, ',');
}

std::string formatQuantity(Quantity quantity) {
    return formatDecimal(quantity.units, Quantity::kDecimals, 0, ',');
}

std::string priceColumnText(std::string_view typed) {
    const auto separators =
        std::count(typed.begin(), typed.end(), '.') + std::count(typed.begin(), typed.end(), ',');
    std::string text(typed);
    // A "." that groups thousands stays, as in "1.234,56".
    std::size_t begin = typed.find_first_not_of(" \t");
    if (begin != npos && (typed[begin] == '-' || typed[begin] == '+'))
        ++begin;
    const std::size_t dot = typed.find('.');
    if (separators == 1 && !(dot != npos && begin < dot && dotGroups(typed, begin, dot)))
        std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

} // namespace money
