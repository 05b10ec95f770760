#include "state/ratesplit.h"

#include "runtime/lists.h"
#include "runtime/numbers.h"
#include "state/linetax.h"

#include <algorithm>

namespace {

bool addTotals(money::Totals& sum, const money::Totals& more) {
    const auto net = money::add(sum.net, more.net);
    const auto tax = money::add(sum.tax, more.tax);
    const auto gross = money::add(sum.gross, more.gross);
    if (!net || !tax || !gross)
        return false;
    sum = {*net, *tax, *gross};
    return true;
}

} // namespace

std::optional<RateSplit> splitByRate(std::span<const TaxedAmount> lines, bool pricesGross) {
    RateSplit split;
    for (const TaxedAmount& line : lines) {
        auto group = std::find_if(split.groups.begin(), split.groups.end(), [&](const RateGroup& g) {
            return g.category == line.category && g.rate == line.rate;
        });
        if (group == split.groups.end())
            group = split.groups.insert(split.groups.end(), RateGroup{line.category, line.rate, {}, {}});
        const auto sum = money::add(group->lineSum, line.amount);
        if (!sum)
            return std::nullopt;
        group->lineSum = *sum;
    }
    std::sort(split.groups.begin(), split.groups.end(), [](const RateGroup& a, const RateGroup& b) {
        return a.rate != b.rate ? a.rate < b.rate : a.category < b.category;
    });
    // Each rate's tax is rounded once, from the sum of its lines.
    for (RateGroup& group : split.groups) {
        const auto totals = money::totalsOf(group.lineSum, group.rate, pricesGross);
        if (!totals || !addTotals(split.totals, *totals))
            return std::nullopt;
        group.totals = *totals;
    }
    return split;
}

std::vector<TaxedAmount> taxedLines(money::Rate optionsRate, bool smallBusiness, std::string_view taxCase) {
    std::vector<TaxedAmount> lines;
    const int rows = listRowCount(kLinesList);
    for (int r = 0; r < rows; ++r) {
        TaxedAmount line;
        line.amount = money::parse<money::Amount>(listCell(kLinesList, r, 5));
        if (smallBusiness) {
            // Moved in whole: GCC 12 warns falsely (-Wrestrict) on assigning the literal.
            line.category = std::string("E");
        } else if (!taxCase.empty()) {
            line.category = taxCase;
        } else {
            const LineTax tax = effectiveTax(listCell(kLinesList, r, kLineTaxColumn),
                                             listCell(kLinesList, r, kLineTaxColumn + 1),
                                             listCell(kLinesList, r, kLineTaxColumn + 2), optionsRate);
            line.category = tax.category;
            line.rate = tax.rate;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}
