#include "einvoice/netlines.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <optional>

namespace einvoice {

namespace {

// units × 100 / (100 + rate), rounded half away from zero, in the same units; nullopt beyond 64 bits
// (or at the lowest value, whose magnitude does not fit).
std::optional<std::int64_t> netUnits(std::int64_t units, money::Rate rate) {
    const __int128 divisor = 10000 + rate.units;
    const __int128 scaled = static_cast<__int128>(units) * 10000;
    const __int128 half = divisor / 2;
    const __int128 q = scaled >= 0 ? (scaled + half) / divisor : (scaled - half) / divisor;
    const __int128 limit = std::numeric_limits<std::int64_t>::max() - 1; // room for the cent added below
    if (q > limit || q < -limit)
        return std::nullopt;
    return static_cast<std::int64_t>(q);
}

// A cent in units of 10^-(places + 3), which quantity (10^-3) × price (10^-places) gives.
__int128 centIn(int places) {
    __int128 cent = 1;
    for (int i = 0; i < places + 1; ++i)
        cent *= 10;
    return cent;
}

// Gives the line a fine price when its four-place price misses its amount by more than a cent, so
// that the line's own arithmetic holds (quantity × price = amount) as the rules check it. False when
// no price of up to 18 places fits into 64 bits.
bool fitPrice(Line& line) {
    const __int128 quantity = line.quantity.units;
    const __int128 amount = line.netAmount.units;
    const auto missBy = [&](__int128 price, int places) {
        const __int128 miss = quantity * price - amount * centIn(places);
        return miss < 0 ? -miss : miss;
    };
    line.finePrice = {};
    if (quantity == 0 || missBy(line.netPrice.units, money::Price::kDecimals) <= centIn(4))
        return true;
    for (int places = money::Price::kDecimals + 1; places <= 18; ++places) {
        // amount / quantity, rounded half away from zero.
        const __int128 scaled = amount * centIn(places);
        const __int128 half = (quantity < 0 ? -quantity : quantity) / 2;
        const __int128 price = (scaled < 0 ? scaled - half : scaled + half) / quantity;
        if (price > std::numeric_limits<std::int64_t>::max() ||
            price < -std::numeric_limits<std::int64_t>::max())
            return false;
        if (missBy(price, places) <= centIn(places)) {
            line.finePrice = {static_cast<std::int64_t>(price), places};
            return true;
        }
    }
    return false;
}

} // namespace

bool convertGrossLines(std::vector<Line>& lines, money::Rate rate, money::Amount net) {
    if (rate.units <= -10000)
        return false;
    std::vector<Line> out = lines;
    __int128 sum = 0;
    for (Line& line : out) {
        const auto price = netUnits(line.netPrice.units, rate);
        const auto amount = netUnits(line.netAmount.units, rate);
        if (!price || !amount)
            return false;
        line.netPrice.units = *price;
        line.netAmount.units = *amount;
        sum += *amount;
    }
    // Each line rounds by half a cent at most, so the rest is at most half a cent per line.
    const __int128 rest = net.units - sum;
    const __int128 count = static_cast<__int128>(out.size());
    if (rest > count || -rest > count)
        return false;
    std::vector<std::size_t> order(out.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return std::abs(out[a].netAmount.units) > std::abs(out[b].netAmount.units);
    });
    const int step = rest > 0 ? 1 : -1;
    for (__int128 i = 0; i < (rest > 0 ? rest : -rest); ++i)
        out[order[static_cast<std::size_t>(i)]].netAmount.units += step;
    for (Line& line : out) {
        if (!fitPrice(line))
            return false;
    }
    lines = std::move(out);
    return true;
}

} // namespace einvoice
