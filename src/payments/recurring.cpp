#include "payments/recurring.h"

#include "payments/recordfile.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 3> kIntervalTexts = {"monatlich", "viertelj\xE4hrlich", "j\xE4hrlich"};
constexpr std::array<int, 3> kIntervalMonths = {1, 3, 12};

int part(std::string_view mask, DateValue d) {
    return parseInt(formatDate(mask, d));
}

bool leapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

std::string dateText(DateValue d) {
    return formatDate("%dd.%mm.%yyyy", d);
}

} // namespace

std::string_view intervalText(Interval interval) {
    return kIntervalTexts[static_cast<std::size_t>(interval)];
}

std::optional<Interval> intervalOf(std::string_view text) {
    for (std::size_t i = 0; i < kIntervalTexts.size(); ++i) {
        if (kIntervalTexts[i] == text)
            return static_cast<Interval>(i);
    }
    return std::nullopt;
}

DateValue followingDate(DateValue date, Interval interval, int anchorDay) {
    const int months = part("%yyyy", date) * 12 + part("%mm", date) - 1 +
                       kIntervalMonths[static_cast<std::size_t>(interval)];
    const int year = months / 12;
    const int month = months % 12 + 1;
    // The anchor, not the shortened day of the month before, so that 31.01. -> 28.02. -> 31.03.
    return dateValueOf(year, month, std::min(anchorDay, daysInMonth(year, month)));
}

bool isDue(const RecurringTemplate& t, DateValue today) {
    return t.next <= today && (!t.end || t.next <= *t.end);
}

std::optional<RecurringTemplate> templateOf(std::string_view line) {
    RecurringTemplate t;
    t.invoice = std::string(recordField(line, 1));
    t.customer = std::string(recordField(line, 2));
    const std::optional<Interval> interval = intervalOf(recordField(line, 3));
    const std::optional<DateValue> next = parseDate(recordField(line, 4));
    const std::string_view end = recordField(line, 5);
    const std::optional<DateValue> endDate = parseDate(end);
    const std::string_view anchor = recordField(line, 6);
    t.anchorDay = parseInt(anchor);
    if (t.invoice.empty() || !interval || !next || (!end.empty() && !endDate) || t.anchorDay < 1 ||
        t.anchorDay > 31 || formatInt(t.anchorDay) != anchor)
        return std::nullopt;
    t.interval = *interval;
    t.next = *next;
    t.end = endDate;
    return t;
}

std::string templateLine(const RecurringTemplate& t) {
    return recordLine({t.invoice, t.customer, intervalText(t.interval), dateText(t.next),
                       t.end ? dateText(*t.end) : std::string(), formatInt(t.anchorDay)});
}
