// Dates: the DateValue of the clock and of a calendar date, and its text form.

#include "runtime/conversions.h"
#include "runtime/runtimestate.h"

#include <algorithm>
#include <ctime>
#include <string>

namespace {

// Floor division and remainder, so that dates before 1970 split like later ones.
std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::int64_t floorMod(std::int64_t a, std::int64_t b) {
    const std::int64_t r = a % b;
    return (r != 0 && (r < 0) != (b < 0)) ? r + b : r;
}

struct CivilDate {
    std::int64_t year;
    int month;
    int day;
};

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's days_from_civil).
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = floorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate civilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = floorDiv(z, 146097);
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (month <= 2), month, day};
}

std::string twoDigits(std::int64_t v) {
    std::string s(2, '0');
    s[0] = static_cast<char>('0' + v / 10);
    s[1] = static_cast<char>('0' + v % 10);
    return s;
}

bool startsWithNoCase(std::string_view s, std::string_view token) {
    if (s.size() < token.size())
        return false;
    for (std::size_t i = 0; i < token.size(); ++i) {
        const char c = (s[i] >= 'A' && s[i] <= 'Z') ? static_cast<char>(s[i] - 'A' + 'a') : s[i];
        if (c != token[i])
            return false;
    }
    return true;
}

} // namespace

DateValue currentDate() {
    if (runtimeState().fixedDate)
        return *runtimeState().fixedDate;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr)
        return 0;
    return dateValueOf(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                       // A leap second reads as the last second of its minute.
                       std::min(local.tm_sec, 59));
}

DateValue dateValueOf(int year, int month, int day, int hour, int minute, int second) {
    return daysFromCivil(year, month, day) * 86400 + std::int64_t{hour} * 3600 + std::int64_t{minute} * 60 +
           second;
}

std::optional<DateValue> parseDate(std::string_view text) {
    if (text.size() != 10 || text[2] != '.' || text[5] != '.')
        return std::nullopt;
    int parts[3] = {0, 0, 0};
    const std::size_t starts[3] = {0, 3, 6};
    const std::size_t lengths[3] = {2, 2, 4};
    for (int p = 0; p < 3; ++p) {
        for (std::size_t i = starts[p]; i < starts[p] + lengths[p]; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return std::nullopt;
            parts[p] = parts[p] * 10 + (text[i] - '0');
        }
    }
    const auto [day, month, year] = parts;
    // A year below 1000 would be written back with fewer digits.
    if (year < 1000 || month < 1 || month > 12 || day < 1)
        return std::nullopt;
    // A day past the month's end would land in the next month: the round trip finds it.
    const DateValue value = dateValueOf(year, month, day);
    const CivilDate back = civilFromDays(floorDiv(value, 86400));
    if (back.month != month || back.day != day)
        return std::nullopt;
    return value;
}

DateValue addDays(DateValue d, int days) {
    return d + std::int64_t{days} * 86400;
}

std::string formatDate(std::string_view mask, DateValue d) {
    const std::int64_t days = floorDiv(d, 86400);
    const std::int64_t secondOfDay = floorMod(d, 86400);
    const CivilDate date = civilFromDays(days);
    const std::string year = std::to_string(date.year);

    std::string out;
    std::size_t i = 0;
    while (i < mask.size()) {
        if (mask[i] != '%') {
            out += mask[i++];
            continue;
        }
        const std::string_view rest = mask.substr(i + 1);
        if (startsWithNoCase(rest, "yyyy")) {
            out += year;
            i += 5;
        } else if (startsWithNoCase(rest, "yy")) {
            if (year.size() > 2)
                out.append(year, 2, 2);
            i += 3;
        } else if (startsWithNoCase(rest, "mm")) {
            out += twoDigits(date.month);
            i += 3;
        } else if (startsWithNoCase(rest, "dd")) {
            out += twoDigits(date.day);
            i += 3;
        } else if (startsWithNoCase(rest, "hh")) {
            out += twoDigits(secondOfDay / 3600);
            i += 3;
        } else if (startsWithNoCase(rest, "ii")) {
            out += twoDigits(secondOfDay / 60 % 60);
            i += 3;
        } else if (startsWithNoCase(rest, "ss")) {
            out += twoDigits(secondOfDay % 60);
            i += 3;
        } else {
            out += '%';
            ++i;
        }
    }
    return out;
}

void fixCurrentDate(std::optional<DateValue> date) {
    runtimeState().fixedDate = date;
}
