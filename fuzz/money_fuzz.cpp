// Reading any text as money must neither crash nor overflow, and a number it found must read back
// the same from the way the program writes it, with either decimal separator. The values found also
// go through the invoice arithmetic, whose totals must add up whenever it returns them.

#include "money/money.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const int decimals = data[0] % 19;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    const money::Reading reading = money::read(text, decimals);
    if ((!reading.found || reading.overflow) && reading.units != 0)
        std::abort();
    if (reading.found && !reading.overflow) {
        // With a dot, four places at least: a dot before exactly three digits may group thousands.
        for (const char point : {',', '.'}) {
            const money::Reading again = money::read(
                money::formatDecimal(reading.units, decimals, point == '.' ? 4 : 0, point), decimals);
            if (!again.found || !again.whole || again.overflow || again.units != reading.units)
                std::abort();
        }
    }
    if (money::priceColumnText(text).size() != text.size())
        std::abort();

    // The same text as a quantity, a price and a rate.
    const auto quantity = money::parse<money::Quantity>(text);
    const auto price = money::parse<money::Price>(text);
    const auto rate = money::parse<money::Rate>(text);
    const auto amount = money::lineAmount(quantity, price);
    money::netOfGross(amount.value_or(money::Amount{reading.units}), rate);
    for (const bool pricesGross : {false, true}) {
        const auto totals = money::totalsOf(amount.value_or(money::Amount{reading.units}), rate, pricesGross);
        if (totals && (static_cast<__int128>(totals->net.units) + totals->tax.units != totals->gross.units))
            std::abort();
    }
    return 0;
}
