// Gross-price lines turned net for the e-invoice: the line amounts add up to the net total the money
// rules compute, each line within a cent of its own conversion.

#include "einvoice/netlines.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    std::vector<const char*> grossAmounts;
    const char* rate;
    std::vector<std::int64_t> netCents;
    bool converts;
    /// Of every line, with gross price amount / quantity.
    const char* quantity = "1";
    /// Each line's net price as "<four places>" or, with a fine price, "<four places>|<fine price>".
    std::vector<std::string> prices = {};
};

std::string priceText(const einvoice::Line& line) {
    std::string text = money::formatDecimal(line.netPrice.units, 4, 4, '.');
    if (line.finePrice.places > 0) {
        text += '|';
        text += money::formatDecimal(line.finePrice.units, line.finePrice.places, 0, '.');
    }
    return text;
}

TEST(NetLinesTest, LinesAddUpToTheNetTotal) {
    const Case cases[] = {
        {"no rest", {"11,90", "11,90", "11,90"}, "19", {1000, 1000, 1000}, true},
        {"a cent to the first of equal lines", {"0,05", "0,05", "0,05"}, "19", {5, 4, 4}, true},
        {"a cent to the largest line", {"0,05", "0,05", "10,00"}, "19", {4, 4, 841}, true},
        {"a credit line", {"100,00", "-0,05"}, "7", {9346, -5}, true},
        {"0 % changes nothing", {"1,23", "-4,56"}, "0", {123, -456}, true},
        {"rate of -100 %", {"1,00"}, "-100", {100}, false},
        {"four places that fit", {"11,90"}, "19", {1000}, true, "1", {"10.0000"}},
        {"1000 at 1,00: five places", {"1000,00"}, "19", {84034}, true, "1000", {"0.8403|0.84034"}},
        {"a credit of 1000 at 1,00", {"-1000,00"}, "19", {-84034}, true, "1000", {"-0.8403|-0.84034"}},
        {"12345 at 0,01: six places", {"123,45"}, "19", {10374}, true, "12345", {"0.0084|0.008403"}},
        {"a credit of 12345 at 0,01", {"-123,45"}, "19", {-10374}, true, "12345", {"-0.0084|-0.008403"}},
    };
    for (const Case& c : cases) {
        std::vector<einvoice::Line> lines;
        money::Amount gross;
        for (const char* text : c.grossAmounts) {
            const auto amount = money::parse<money::Amount>(text);
            const auto quantity = money::parse<money::Quantity>(c.quantity);
            lines.push_back(
                {"x", "", quantity, money::Price{amount.units * 100'000 / quantity.units}, amount, {}});
            gross = money::add(gross, amount).value();
        }
        const money::Rate rate = money::parse<money::Rate>(c.rate);
        const auto net = money::netOfGross(gross, rate);
        EXPECT_EQ(einvoice::convertGrossLines(lines, rate, net.value_or(gross)), c.converts) << c.name;
        std::vector<std::int64_t> cents;
        std::vector<std::string> prices;
        for (const einvoice::Line& line : lines) {
            cents.push_back(line.netAmount.units);
            prices.push_back(priceText(line));
        }
        EXPECT_EQ(cents, c.netCents) << c.name;
        if (!c.prices.empty()) {
            EXPECT_EQ(prices, c.prices) << c.name;
        }
    }
}

} // namespace
