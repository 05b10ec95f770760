#include "incoming/decimal.h"

#include <algorithm>

namespace incoming {

namespace {

using Int = __int128;

// Every value keeps |units| below 10^38, which leaves room in 128 bits for the checks below.
constexpr int kMaxPower = 38;

constexpr Int power10(int k) {
    Int p = 1;
    for (int i = 0; i < k; ++i)
        p *= 10;
    return p;
}

constexpr Int kLimit = power10(kMaxPower);

Int magnitude(Int v) {
    return v < 0 ? -v : v;
}

std::optional<Int> product(Int a, Int b) {
    if (a != 0 && magnitude(b) > (kLimit - 1) / magnitude(a))
        return std::nullopt;
    return a * b;
}

std::optional<Int> sum(Int a, Int b) {
    const Int s = a + b; // both below 10^38: no overflow in 128 bits
    if (magnitude(s) >= kLimit)
        return std::nullopt;
    return s;
}

// units brought to a larger scale.
std::optional<Int> atScale(Decimal d, int scale) {
    if (scale - d.scale > kMaxPower)
        return d.units == 0 ? std::optional<Int>(0) : std::nullopt;
    return product(d.units, power10(scale - d.scale));
}

// The same value with trailing zeros after the point dropped.
Decimal normalised(Decimal d) {
    while (d.scale > 0 && d.units % 10 == 0) {
        d.units /= 10;
        --d.scale;
    }
    return d;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

std::optional<Decimal> parseDecimal(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const auto allDigits = [](std::string_view s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (whole.size() + fraction.size() == 0 || !allDigits(whole) || !allDigits(fraction))
        return std::nullopt;
    while (!whole.empty() && whole.front() == '0')
        whole.remove_prefix(1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.remove_suffix(1);
    if (static_cast<int>(whole.size() + fraction.size()) > kMaxDigits)
        return std::nullopt;
    Decimal d;
    for (const char c : whole)
        d.units = d.units * 10 + (c - '0');
    for (const char c : fraction)
        d.units = d.units * 10 + (c - '0');
    d.scale = static_cast<int>(fraction.size());
    if (negative)
        d.units = -d.units;
    return d;
}

std::optional<Decimal> plus(Decimal a, Decimal b) {
    const int scale = std::max(a.scale, b.scale);
    const std::optional<Int> x = atScale(a, scale);
    const std::optional<Int> y = atScale(b, scale);
    if (!x || !y)
        return std::nullopt;
    const std::optional<Int> s = sum(*x, *y);
    if (!s)
        return std::nullopt;
    return normalised({*s, scale});
}

std::optional<Decimal> minus(Decimal a, Decimal b) {
    return plus(a, {-b.units, b.scale});
}

std::optional<Decimal> times(Decimal a, Decimal b) {
    const std::optional<Int> p = product(a.units, b.units);
    if (!p)
        return std::nullopt;
    Decimal d = normalised({*p, a.scale + b.scale});
    // A scale beyond what a value can hold digits for is only zeros: round it off.
    return d.scale > kMaxPower ? rounded(d, kMaxPower) : d;
}

std::optional<Decimal> divided(Decimal a, Decimal b, int places) {
    // a / b in units of 10^-places: a.units × 10^(b.scale + places - a.scale) / b.units.
    places = std::clamp(places, 0, kMaxDigits);
    if (b.units == 0)
        return std::nullopt;
    const int shift = b.scale + places - a.scale;
    std::optional<Int> numerator = a.units;
    Int denominator = b.units;
    if (shift >= 0) {
        if (shift > kMaxPower)
            return std::nullopt;
        numerator = product(a.units, power10(shift));
    } else {
        if (-shift > kMaxPower)
            return Decimal{0, 0};
        const std::optional<Int> scaled = product(b.units, power10(-shift));
        if (!scaled)
            return Decimal{0, 0};
        denominator = *scaled;
    }
    if (!numerator)
        return std::nullopt;
    Int quotient = *numerator / denominator;
    const Int rest = magnitude(*numerator % denominator);
    if (rest >= magnitude(denominator) - rest)
        quotient += (*numerator < 0) != (denominator < 0) ? -1 : 1;
    return normalised({quotient, places});
}

Decimal rounded(Decimal value, int places) {
    places = std::max(places, 0);
    if (value.scale <= places)
        return value;
    if (value.scale - places > kMaxPower)
        return {0, 0};
    const Int divisor = power10(value.scale - places);
    Int quotient = value.units / divisor;
    const Int rest = magnitude(value.units % divisor);
    if (rest >= divisor - rest)
        quotient += value.units < 0 ? -1 : 1;
    return normalised({quotient, places});
}

std::optional<int> compare(Decimal a, Decimal b) {
    const std::optional<Decimal> d = minus(a, b);
    if (!d)
        return std::nullopt;
    return d->units < 0 ? -1 : (d->units > 0 ? 1 : 0);
}

bool within(Decimal a, Decimal b, Decimal tolerance) {
    const std::optional<Decimal> d = minus(a, b);
    if (!d)
        return false;
    const std::optional<int> c = compare({magnitude(d->units), d->scale}, tolerance);
    return c && *c <= 0;
}

std::optional<long long> unitsAt(Decimal value, int decimals) {
    const Decimal r = rounded(value, decimals);
    const std::optional<Int> units = atScale(r, std::max(decimals, 0));
    const Int max = static_cast<Int>(0x7FFFFFFFFFFFFFFFLL);
    if (!units || *units > max || *units < -max - 1)
        return std::nullopt;
    return static_cast<long long>(*units);
}

std::string germanText(Decimal value, int minDecimals) {
    value = normalised(value);
    Int rest = magnitude(value.units);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(rest % 10)));
        rest /= 10;
    } while (rest != 0);
    const int decimals = std::max(value.scale, minDecimals);
    digits.append(static_cast<std::size_t>(decimals - value.scale), '0');
    if (static_cast<int>(digits.size()) <= decimals)
        digits.insert(0, static_cast<std::size_t>(decimals + 1) - digits.size(), '0');
    std::string text = value.units < 0 ? "-" : "";
    text += digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
    if (decimals > 0) {
        text += ',';
        text += digits.substr(digits.size() - static_cast<std::size_t>(decimals));
    }
    return text;
}

} // namespace incoming
