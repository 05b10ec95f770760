#include "runtime/conversions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Narrows a double to the nearest float, with out-of-range values going to infinity as IEEE rounding
// does, without relying on an out-of-range conversion.
float nearestFloat(double d) {
    // Half an ulp above the largest float: from here on the nearest float is infinity.
    constexpr double kOverflow = 0x1.ffffffp127;
    constexpr float kMax = std::numeric_limits<float>::max();
    if (std::fabs(d) >= kOverflow)
        return d < 0 ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity();
    if (std::fabs(d) > static_cast<double>(kMax))
        return d < 0 ? -kMax : kMax;
    return static_cast<float>(d);
}

} // namespace

std::string formatInt(std::int32_t v) {
    std::array<char, 16> buf{};
    const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), v);
    return std::string(buf.data(), result.ptr);
}

std::int32_t nextNumber(std::int32_t v) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v) + 1u);
}

std::int32_t parseInt(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < s.size() && s[i] == '-') {
        negative = true;
        ++i;
    } else if (i < s.size() && s[i] == '+') {
        ++i;
    }
    // Unsigned arithmetic wraps without undefined behaviour; the result is the same bit pattern.
    std::uint32_t value = 0;
    for (; i < s.size() && isDigit(s[i]); ++i)
        value = value * 10u + static_cast<std::uint32_t>(s[i] - '0');
    if (negative)
        value = 0u - value;
    return static_cast<std::int32_t>(value);
}

std::string formatFloat(float x, int decimals) {
    const std::size_t n = decimals < 0 ? 6 : static_cast<std::size_t>(decimals);
    const double value = x; // exact widening
    if (!std::isfinite(value))
        return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");

    // A float has at most 149 binary fraction digits, so 149 decimals show its exact value; the digits
    // behind the kept ones then decide the rounding on their own, without a second rounding.
    constexpr int kExactDecimals = 149;
    std::array<char, 48 + kExactDecimals> buf{};
    const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(value),
                                      std::chars_format::fixed, kExactDecimals);
    const std::string_view exact(buf.data(), static_cast<std::size_t>(result.ptr - buf.data()));
    const std::size_t point = exact.find('.');
    std::string digits(exact.substr(0, point));
    std::string_view fraction = exact.substr(point + 1);
    digits.append(fraction.substr(0, std::min(n, fraction.size())));
    digits.append(n > fraction.size() ? n - fraction.size() : 0, '0');

    // The remainder is at least half a unit exactly when its first digit is 5 or more; a tie is thus
    // rounded away from zero.
    if (n < fraction.size() && fraction[n] >= '5') {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i - 1];
    }
    const std::size_t integerPart = digits.size() - n;
    std::string out;
    out.reserve(digits.size() + 2);
    if (value < 0)
        out += '-';
    out.append(digits, 0, integerPart);
    if (n > 0) {
        out += '.';
        out.append(digits, integerPart, n);
    }
    return out;
}

std::string amountText(float amount) {
    return replaceAll(formatFloat(amount, 2), ".", ",");
}

float parseFloat(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() &&
           (s[i] == ' ' || s[i] == '\t' || s[i] == '\r' || s[i] == '\n' || s[i] == '\v' || s[i] == '\f'))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        negative = s[i] == '-';
        ++i;
    }
    const std::size_t start = i;
    std::size_t mantissaDigits = 0;
    // Where the first significant digit stands relative to the point, only used to tell an overflow
    // from an underflow when the value leaves the range of a double.
    std::int64_t integerDigits = 0;
    std::int64_t leadingFractionZeros = 0;
    bool seenSignificant = false;
    bool seenPoint = false;
    for (; i < s.size(); ++i) {
        if (isDigit(s[i])) {
            ++mantissaDigits;
            if (s[i] != '0')
                seenSignificant = true;
            if (!seenPoint && seenSignificant)
                ++integerDigits;
            else if (seenPoint && !seenSignificant)
                ++leadingFractionZeros;
        } else if (s[i] == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return 0.0f;
    std::size_t end = i;
    std::int64_t exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < s.size() && (s[j] == '-' || s[j] == '+')) {
            expNegative = s[j] == '-';
            ++j;
        }
        if (j < s.size() && isDigit(s[j])) {
            for (; j < s.size() && isDigit(s[j]); ++j)
                exponent = std::min<std::int64_t>(exponent * 10 + (s[j] - '0'), 1'000'000'000);
            if (expNegative)
                exponent = -exponent;
            end = j;
        }
    }

    double value = 0.0;
    const auto result = std::from_chars(s.data() + start, s.data() + end, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        const std::int64_t magnitude = integerDigits > 0 ? integerDigits : -leadingFractionZeros;
        const bool overflow = seenSignificant && magnitude + exponent > 0;
        value = overflow ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return nearestFloat(negative ? -value : value);
}

std::string fieldOf(std::string_view s, int k, std::string_view sep) {
    if (sep.empty())
        return k <= 1 ? std::string(s) : std::string();
    return std::string(fieldView(s, k, sep.front()));
}

std::string_view fieldView(std::string_view s, int k, char separator) {
    std::size_t begin = 0;
    for (int field = 1; field < k; ++field) {
        const std::size_t next = s.find(separator, begin);
        if (next == std::string_view::npos)
            return {};
        begin = next + 1;
    }
    return s.substr(begin, s.find(separator, begin) - begin);
}

std::string replaceAll(std::string_view s, std::string_view search, std::string_view repl) {
    if (search.empty())
        return std::string(s);
    std::string out;
    out.reserve(s.size());
    std::size_t pos = 0;
    for (;;) {
        const std::size_t hit = s.find(search, pos);
        if (hit == std::string_view::npos)
            break;
        out.append(s.substr(pos, hit - pos));
        out.append(repl);
        pos = hit + search.size();
    }
    out.append(s.substr(pos));
    return out;
}

std::int32_t roundToInt(double v) {
    if (std::isnan(v))
        return 0;
    double r = std::floor(v);
    const double fraction = v - r; // exact for every double
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(r, 2.0) != 0.0))
        r += 1.0;
    return truncateToInt(r);
}

std::int32_t truncateToInt(double v) {
    // Out-of-range values saturate instead of invoking an undefined conversion.
    if (std::isnan(v))
        return 0;
    if (v >= 2147483648.0)
        return std::numeric_limits<std::int32_t>::max();
    if (v <= -2147483649.0)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}
