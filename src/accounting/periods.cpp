#include "accounting/periods.h"

namespace accounting {

CalendarDay calendarDayOf(DateValue date) {
    const std::string text = formatDate("%yyyy%mm%dd", date);
    return {parseInt(text.substr(0, text.size() - 4)), parseInt(text.substr(text.size() - 4, 2)),
            parseInt(text.substr(text.size() - 2))};
}

Period monthsOf(int year, int firstMonth, int lastMonth) {
    const DateValue nextFirst =
        lastMonth == 12 ? dateValueOf(year + 1, 1, 1) : dateValueOf(year, lastMonth + 1, 1);
    return {dateValueOf(year, firstMonth, 1), addDays(nextFirst, -1)};
}

Period lastFinishedMonth(DateValue today) {
    const CalendarDay now = calendarDayOf(today);
    return now.month == 1 ? monthsOf(now.year - 1, 12, 12) : monthsOf(now.year, now.month - 1, now.month - 1);
}

Period lastFinishedYear(DateValue today) {
    return monthsOf(calendarDayOf(today).year - 1, 1, 12);
}

bool isMonthOrQuarter(const Period& period) {
    const CalendarDay first = calendarDayOf(period.from);
    if (first.day != 1)
        return false;
    if (period.to == monthsOf(first.year, first.month, first.month).to)
        return true;
    return (first.month - 1) % 3 == 0 && period.to == monthsOf(first.year, first.month, first.month + 2).to;
}

DateValue fiscalYearStart(DateValue day, int fiscalDay, int fiscalMonth) {
    const CalendarDay d = calendarDayOf(day);
    const DateValue inSameYear = dateValueOf(d.year, fiscalMonth, fiscalDay);
    return inSameYear <= day ? inSameYear : dateValueOf(d.year - 1, fiscalMonth, fiscalDay);
}

} // namespace accounting
