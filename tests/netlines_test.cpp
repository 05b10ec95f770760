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
};

TEST(NetLinesTest, LinesAddUpToTheNetTotal) {
    const Case cases[] = {
        {"no rest", {"11,90", "11,90", "11,90"}, "19", {1000, 1000, 1000}, true},
        {"a cent to the first of equal lines", {"0,05", "0,05", "0,05"}, "19", {5, 4, 4}, true},
        {"a cent to the largest line", {"0,05", "0,05", "10,00"}, "19", {4, 4, 841}, true},
        {"a credit line", {"100,00", "-0,05"}, "7", {9346, -5}, true},
        {"0 % changes nothing", {"1,23", "-4,56"}, "0", {123, -456}, true},
        {"rate of -100 %", {"1,00"}, "-100", {100}, false},
    };
    for (const Case& c : cases) {
        std::vector<einvoice::Line> lines;
        money::Amount gross;
        for (const char* text : c.grossAmounts) {
            const auto amount = money::parse<money::Amount>(text);
            lines.push_back({"x", "", money::Quantity{1000}, money::Price{amount.units * 100}, amount});
            gross = money::add(gross, amount).value();
        }
        const money::Rate rate = money::parse<money::Rate>(c.rate);
        const auto net = money::netOfGross(gross, rate);
        EXPECT_EQ(einvoice::convertGrossLines(lines, rate, net.value_or(gross)), c.converts) << c.name;
        std::vector<std::int64_t> cents;
        for (const einvoice::Line& line : lines)
            cents.push_back(line.netAmount.units);
        EXPECT_EQ(cents, c.netCents) << c.name;
    }
}

} // namespace
