#pragma once
// The totals of an invoice whose lines carry different rates or categories: one group per category and
// rate, each with the sum of its printed line amounts and its tax rounded once, and their sum.

#include "money/money.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

/// One line's printed amount with its category and rate.
struct TaxedAmount {
    std::string category;
    money::Rate rate;
    money::Amount amount;
};

/// The lines of one category and rate: the sum of their amounts, and the totals of that sum.
struct RateGroup {
    std::string category;
    money::Rate rate;
    money::Amount lineSum;
    money::Totals totals;
};

struct RateSplit {
    /// By rising rate, then category; one group for an invoice of one rate and category.
    std::vector<RateGroup> groups;
    /// The groups' totals added: net + tax = gross, exactly.
    money::Totals totals;
};

/// The groups of lines and their totals by money::totalsOf (net or gross prices); nullopt when an
/// amount leaves the range of money or a rate is -100 % or below.
std::optional<RateSplit> splitByRate(std::span<const TaxedAmount> lines, bool pricesGross);

/// The printed lines of the lines list with their effective category and rate (the options' rate
/// where a line names none; E at 0 % for a small business; the customer's tax case at 0 % when one
/// is given).
std::vector<TaxedAmount> taxedLines(money::Rate optionsRate, bool smallBusiness,
                                    std::string_view taxCase = {});
