#pragma once
// Numbers of a received invoice exactly as its XML writes them (xs:decimal), for checking its
// arithmetic: a price of 0.061232374 or a quantity of 804878.94 stays what it is, where the
// program's own amounts, prices and quantities would round it. No float is involved.

#include <optional>
#include <string>
#include <string_view>

namespace incoming {

/// units × 10^-scale; scale from 0 to kMaxDigits.
struct Decimal {
    __int128 units = 0;
    int scale = 0;
};

/// At most this many digits are read, before and after the point together (leading zeros and
/// trailing zeros after the point not counted).
inline constexpr int kMaxDigits = 30;

/// The value of an xs:decimal text: blanks around it, an optional sign, digits with at most one
/// "." among them ("12", "-0.5", ".5", "3."). nullopt for anything else or more than kMaxDigits digits.
std::optional<Decimal> parseDecimal(std::string_view text);

/// a + b, a - b, a × b exactly; nullopt when the result leaves the range.
std::optional<Decimal> plus(Decimal a, Decimal b);
std::optional<Decimal> minus(Decimal a, Decimal b);
std::optional<Decimal> times(Decimal a, Decimal b);

/// a / b rounded half away from zero to `places` decimals; nullopt for b = 0 or out of range.
std::optional<Decimal> divided(Decimal a, Decimal b, int places);

/// The value rounded half away from zero to `places` decimals (at least 0).
Decimal rounded(Decimal value, int places);

/// -1, 0 or 1 as a is below, equal to or above b; nullopt when they cannot be compared in range.
std::optional<int> compare(Decimal a, Decimal b);

/// Whether |a - b| <= tolerance; false when out of range.
bool within(Decimal a, Decimal b, Decimal tolerance);

/// The value in units of 10^-decimals, rounded half away from zero; nullopt beyond 64 bits.
std::optional<long long> unitsAt(Decimal value, int decimals);

/// The value the German way, with a decimal comma and at least minDecimals places ("1234,5",
/// "0,061232374", "12,50" for minDecimals 2); trailing zeros beyond them dropped.
std::string germanText(Decimal value, int minDecimals);

} // namespace incoming
