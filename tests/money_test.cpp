#include "money/money.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace {

using namespace money;

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

// Invoices computed from typed texts alone. "-" stands for a refused value (overflow, bad rate).
TEST(MoneyTest, Invoices) {
    struct Line {
        const char* quantity;
        const char* price;
        const char* amount;
    };
    struct Row {
        const char* name;
        std::vector<Line> lines;
        const char* rate;
        bool pricesGross;
        const char* totals; // net tax gross
    };
    const Row rows[] = {
        {"above-float-cents", {{"1", "200000,07", "200000,07"}}, "0", false, "200000,07 0,00 200000,07"},
        {"two-pow-17-and-a-cent", {{"1", "131072,01", "131072,01"}}, "0", false, "131072,01 0,00 131072,01"},
        {"tenth-times-three", {{"3", "0,1", "0,30"}}, "0", false, "0,30 0,00 0,30"},
        {"two-pow-24+1", {{"3", "16777217", "50331651,00"}}, "0", false, "50331651,00 0,00 50331651,00"},
        {"half-cent-rounds-up", {{"3", "0,125", "0,38"}}, "0", false, "0,38 0,00 0,38"},
        {"fractional-quantity", {{"2,5", "40,00", "100,00"}}, "0", false, "100,00 0,00 100,00"},
        {"grouped-price", {{"2", "1.234,56", "2469,12"}}, "0", false, "2469,12 0,00 2469,12"},
        {"net-tax-rounds-up", {{"1", "6,50", "6,50"}}, "19", false, "6,50 1,24 7,74"},
        {"gross-three-lines", {{"3", "11,90", "35,70"}}, "19", true, "30,00 5,70 35,70"},
        {"gross-ten", {{"1", "10,00", "10,00"}}, "19", true, "8,40 1,60 10,00"},
        {"half-rate", {{"1", "100,00", "100,00"}}, "7,5", false, "100,00 7,50 107,50"},
        {"credit", {{"-1", "12,50", "-12,50"}, {"-3", "0,125", "-0,38"}}, "19", false, "-12,88 -2,45 -15,33"},
        {"large",
         {{"1000", "99999999,99", "99999999990,00"}},
         "0",
         false,
         "99999999990,00 0,00 99999999990,00"},
        {"line-beyond-64-bits", {{"10000", "900000000000000", "-"}}, "0", false, "-"},
        {"sum-beyond-64-bits",
         {{"100000", "600000000000", "60000000000000000,00"},
          {"100000", "600000000000", "60000000000000000,00"}},
         "0",
         false,
         "-"},
        {"gross-beyond-64-bits", {{"100", "920000000000000", "92000000000000000,00"}}, "19", false, "-"},
        {"rate-minus-100", {{"1", "10,00", "10,00"}}, "-100", false, "-"},
        {"rate-minus-100-gross", {{"1", "10,00", "10,00"}}, "-100", true, "-"},
        {"rate-above-minus-100", {{"1", "10,00", "10,00"}}, "-99,99", true, "100000,00 -99990,00 10,00"},
    };
    for (const Row& row : rows) {
        std::optional<Amount> sum = Amount{};
        for (const Line& line : row.lines) {
            const auto amount = lineAmount(parse<Quantity>(line.quantity), parse<Price>(line.price));
            EXPECT_EQ(amount ? formatAmount(*amount) : "-", line.amount) << row.name;
            sum = sum && amount ? add(*sum, *amount) : std::nullopt;
        }
        const auto totals = sum ? totalsOf(*sum, parse<Rate>(row.rate), row.pricesGross) : std::nullopt;
        const std::string got = totals ? formatAmount(totals->net) + " " + formatAmount(totals->tax) + " " +
                                             formatAmount(totals->gross)
                                       : "-";
        EXPECT_EQ(got, row.totals) << row.name;
    }
    // Asked alone, the net of a gross amount at -100 % would divide by zero.
    EXPECT_EQ(netOfGross({1000}, {-10000}), std::nullopt);
}

TEST(MoneyTest, Read) {
    struct Row {
        const char* name;
        std::string_view text;
        int decimals;
        std::int64_t units;
        bool found;
        bool whole;
        bool overflow;
    };
    const Row rows[] = {
        {"german-grouped", "1.234,56", 2, 123456, true, true, false},
        {"english-grouped", "1,234.56", 2, 123456, true, true, false},
        {"single-dot", "12.5", 2, 1250, true, true, false},
        {"single-comma", "12,50", 2, 1250, true, true, false},
        {"dots-repeated-group", "1.234.567", 2, 123456700, true, true, false},
        {"commas-repeated-group", "1,234,567", 0, 1234567, true, true, false},
        {"unit-after-blank", "3 Stk.", 3, 3000, true, false, false},
        {"percent", "16%", 2, 1600, true, false, false},
        {"letter-after-decimals", "12,5o", 2, 1250, true, false, false},
        {"blanks-around-sign", " \t-7,5\t ", 2, -750, true, true, false},
        {"plus", "+5", 2, 500, true, true, false},
        {"no-digit", "abc", 2, 0, false, false, false},
        {"empty", "", 2, 0, false, false, false},
        {"sign-alone", "-", 2, 0, false, false, false},
        {"separator-alone", ",", 2, 0, false, false, false},
        {"blank-after-sign", "- 5", 2, 0, false, false, false},
        {"leading-comma", ",5", 2, 50, true, true, false},
        {"trailing-comma", "5,", 2, 500, true, true, false},
        {"trailing-dot-no-say", "12.5.", 2, 1250, true, true, false},
        {"trailing-after-group", "1.234,", 3, 1234000, true, true, false},
        {"double-dot-ends", "1..2", 2, 100, true, false, false},
        {"separator-after-decimal", "1.234,5.6", 1, 123456, true, true, false},
        {"half-rounds-up", "0,125", 2, 13, true, true, false},
        {"negative-half-away", "-0,375", 2, -38, true, true, false},
        {"below-half-down", "0,124999", 2, 12, true, true, false},
        {"carry-into-whole", "9,995", 2, 1000, true, true, false},
        {"no-decimals-rounds", "2,5", 0, 3, true, true, false},
        {"leading-zeros", "000000000000000000000000001", 2, 100, true, true, false},
        {"largest", "92233720368547758,07", 2, kMax, true, true, false},
        {"lowest", "-92233720368547758,08", 2, kMin, true, true, false},
        {"one-above-largest", "92233720368547758,08", 2, 0, true, true, true},
        {"rounding-overflows", "92233720368547758,075", 2, 0, true, true, true},
        {"huge-digit-string", "123456789012345678901234567890123456789012345", 0, 0, true, true, true},
        {"huge-then-text", "-99999999999999999999999 kg", 3, 0, true, false, true},
        {"nul-ends", std::string_view("12\0003", 4), 0, 12, true, false, false},
        {"dot-groups-thousand", "1.000", 3, 1000000, true, true, false},
        {"dot-groups-after-two", "-12.500", 2, -1250000, true, true, false},
        {"dot-groups-then-unit", "999.999 Stk.", 0, 999999, true, false, false},
        {"dot-groups-trailing-dot", "1.000.", 0, 1000, true, true, false},
        {"dot-decimal-after-zero", "0.125", 3, 125, true, true, false},
        {"dot-decimal-one-place", "1.5", 1, 15, true, true, false},
        {"dot-decimal-four-places", "1.0000", 2, 100, true, true, false},
        {"dot-decimal-four-before", "1234.567", 3, 1234567, true, true, false},
        {"dot-decimal-leading-zero", "01.000", 0, 1, true, true, false},
    };
    for (const Row& row : rows) {
        const Reading r = read(row.text, row.decimals);
        EXPECT_EQ(r.units, row.units) << row.name;
        EXPECT_EQ(r.found, row.found) << row.name;
        EXPECT_EQ(r.whole, row.whole) << row.name;
        EXPECT_EQ(r.overflow, row.overflow) << row.name;
    }
}

TEST(MoneyTest, Format) {
    struct Row {
        const char* name;
        std::string got;
        const char* expected;
    };
    const Row rows[] = {
        {"amount", formatAmount({650}), "6,50"},
        {"amount-negative", formatAmount({-1250}), "-12,50"},
        {"amount-zero", formatAmount({0}), "0,00"},
        {"amount-no-grouping", formatAmount({123456}), "1234,56"},
        {"amount-cent-below-zero", formatAmount({-1}), "-0,01"},
        {"amount-lowest", formatAmount({kMin}), "-92233720368547758,08"},
        {"quantity-half", formatQuantity({2500}), "2,5"},
        {"quantity-whole", formatQuantity({10000}), "10"},
        {"quantity-thousandths", formatQuantity({125}), "0,125"},
        {"quantity-minus-one", formatQuantity({-1000}), "-1"},
        {"decimal-point", formatDecimal(650, 2, 2, '.'), "6.50"},
        {"decimal-drops-zeros", formatDecimal(190000, 4, 1, '.'), "19.0"},
        {"decimal-pads-past-decimals", formatDecimal(5, 0, 2, ','), "5,00"},
        {"decimal-largest", formatDecimal(kMax, 18, 0, '.'), "9.223372036854775807"},
        {"price-single-dot", priceColumnText("12.5"), "12,5"},
        {"price-single-comma", priceColumnText("12,50"), "12,50"},
        {"price-grouped", priceColumnText("1.234,56"), "1.234,56"},
        {"price-dots-repeated", priceColumnText("1.234.567"), "1.234.567"},
        {"price-plain", priceColumnText("7"), "7"},
        {"price-dot-groups", priceColumnText("1.000"), "1.000"},
        {"price-dot-decimal", priceColumnText("0.125"), "0,125"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.got, row.expected) << row.name;
}

// What the program writes it reads back: every amount and quantity, the extremes included.
TEST(MoneyTest, FormattedValuesReadBack) {
    std::mt19937_64 random(20240607);
    for (int i = 0; i < 300000; ++i) {
        // Random widths, so that small values and those near the limits both come up often.
        std::int64_t units = static_cast<std::int64_t>(random() >> (random() % 64));
        units = random() % 2 ? -units : units;
        if (i < 4)
            units = std::array{kMin, kMax, std::int64_t{0}, std::int64_t{-1}}[static_cast<std::size_t>(i)];
        const std::pair<std::string, int> forms[] = {{formatAmount({units}), 2},
                                                     {formatQuantity({units}), 3}};
        for (const auto& [text, decimals] : forms) {
            const Reading r = read(text, decimals);
            ASSERT_TRUE(r.found && r.whole && !r.overflow) << text;
            ASSERT_EQ(r.units, units) << text;
        }
    }
}

} // namespace
