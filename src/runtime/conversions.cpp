#include "runtime/conversions.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
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
