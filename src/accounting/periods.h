#pragma once
// Calendar arithmetic of the exports' periods: months, quarters and fiscal years.

#include "accounting/records.h"

namespace accounting {

/// The period from the first of year/month to the last day of month `last` of the same year.
Period monthsOf(int year, int firstMonth, int lastMonth);
/// The last month that has ended before today.
Period lastFinishedMonth(DateValue today);
/// The last calendar year that has ended before today.
Period lastFinishedYear(DateValue today);
/// Whether the period is one calendar month or one calendar quarter.
bool isMonthOrQuarter(const Period& period);
/// The first day of the fiscal year that holds `day`, the year beginning on fiscalDay.fiscalMonth.
DateValue fiscalYearStart(DateValue day, int fiscalDay, int fiscalMonth);

} // namespace accounting
