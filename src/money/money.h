#pragma once
// Exact money. Amounts are cents, unit prices, quantities and tax rates fixed-point decimals, all held
// in 64-bit integers: no float ever holds money. This module alone parses what the user types (the
// German way and the other), computes line amounts and totals, rounds (half away from zero, once,
// where the invoice says so) and formats amounts as the lists, files and printouts show them.

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace money {

/// A decimal held as units of 10^-Decimals. The tag keeps an amount from passing for a rate.
template <int Decimals, class Tag> struct Fixed {
    static constexpr int kDecimals = Decimals;
    std::int64_t units = 0;
    friend auto operator<=>(const Fixed&, const Fixed&) = default;
};

struct AmountTag;
struct PriceTag;
struct QuantityTag;
struct RateTag;

/// An amount in cents.
using Amount = Fixed<2, AmountTag>;
/// A unit price with four decimals.
using Price = Fixed<4, PriceTag>;
/// A quantity with three decimals.
using Quantity = Fixed<3, QuantityTag>;
/// A tax rate in percent with two decimals (19 % is 1900 units).
using Rate = Fixed<2, RateTag>;

/// What reading a text as a number found.
struct Reading {
    /// The value in units of 10^-decimals, rounded half away from zero; 0 when nothing was found or
    /// the value left the 64-bit range.
    std::int64_t units = 0;
    /// At least one digit was read.
    bool found = false;
    /// Nothing but blanks stands after the number (and before it), so the text is a number as a whole.
    bool whole = false;
    /// The value does not fit into 64 bits.
    bool overflow = false;
    /// A digit other than 0 stood beyond `decimals` places, so the value was rounded.
    bool rounded = false;
};

/// Reads the number at the start of text, as people type it in Germany and elsewhere:
/// - leading blanks are skipped, then an optional sign ("-" or "+");
/// - a text holding both "." and "," reads the last of them as the decimal separator and the others
///   as grouping ("1.234,56" and "1,234.56" are 1234,56);
/// - a separator of one kind that occurs once is the decimal separator ("12.5", "12,50", "0.125"),
///   except a "." after one to three digits not beginning with 0 and followed by exactly three digits,
///   which groups thousands ("1.000" is 1000, "12.500" is 12500);
/// - one kind occurring more than once with no other kind is grouping ("1.234.567" is 1234567);
/// - the reading stops at the first character that does not belong to the number ("3 Stück" is 3,
///   "16%" is 16, "12,5o" is 12,5 and not whole).
/// A separator belongs to the number when a digit follows it (",5" is 0,5). One with no digit after it
/// ends the number and is taken along, without a say in which separator is the decimal one: "5," is 5
/// and "12.5." is 12,5, both whole; "1..2" is 1 and not whole. The rules above see only the separators
/// within the number, so "1.234,5.6" is 12345,6 (the last one is the decimal separator).
/// Blanks are spaces and tabs; "- 5", "-" and "," hold no number. Digits beyond `decimals` places
/// (0 to 18; others are taken as the nearest of them) are rounded half away from zero; a value
/// outside the 64-bit range, however many digits it has, is an overflow.
Reading read(std::string_view text, int decimals);

/// The value of text by read(), in the type's units (0 when no number was found or it overflowed).
template <class T> T parse(std::string_view text) {
    return T{read(text, T::kDecimals).units};
}

/// quantity × price, rounded half away from zero to cents; nullopt when it leaves the 64-bit range.
std::optional<Amount> lineAmount(Quantity quantity, Price price);

/// a + b; nullopt when the sum leaves the 64-bit range.
std::optional<Amount> add(Amount a, Amount b);

/// The three totals of an invoice: net + tax = gross, exactly.
struct Totals {
    Amount net;
    Amount tax;
    Amount gross;
};

/// The totals of an invoice whose line amounts add up to lineSum.
/// Net prices: net = lineSum, tax = net × rate / 100 rounded to cents, gross = net + tax.
/// Gross prices: gross = lineSum, net = gross × 100 / (100 + rate) rounded to cents, tax = gross − net.
/// nullopt when a value leaves the 64-bit range or the rate is -100 % or below.
std::optional<Totals> totalsOf(Amount lineSum, Rate rate, bool pricesGross);

/// The net amount of a gross amount at rate, rounded to cents; nullopt as for totalsOf.
std::optional<Amount> netOfGross(Amount gross, Rate rate);

/// An amount as lists, files and printouts show it: two decimals, a decimal comma, no grouping,
/// a leading "-" below zero ("6,50", "-12,50", "0,00").
std::string formatAmount(Amount amount);

/// A quantity with as many decimals as it needs and a decimal comma ("2,5", "10", "0,125", "-1").
std::string formatQuantity(Quantity quantity);

/// units × 10^-decimals with at least minDecimals and at most decimals places (trailing zeros beyond
/// minDecimals dropped; a minDecimals above decimals pads with zeros), `point` as the decimal separator,
/// no grouping ("6.50" for XML). decimals runs from 0 to 18; others are taken as the nearest of them.
std::string formatDecimal(std::int64_t units, int decimals, int minDecimals, char point);

/// The unit price column's text for a price as typed: with a single decimal separator every "."
/// becomes "," ("12.5" shows 12,5); a grouped price is shown as typed ("1.234,56", "1.000").
std::string priceColumnText(std::string_view typed);

} // namespace money
