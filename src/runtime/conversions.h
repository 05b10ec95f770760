#pragma once
// Conversions between numbers, dates and the program's texts.
//
// A text is a std::string of Windows-1252 bytes. Every function here is pure except currentDate,
// which reads the local clock (or the time a test fixed).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

/// Seconds from 1970-01-01 00:00:00 to a local wall-clock time, counted as if local time were UTC.
/// 64 bits wide, so dates after 2038-01-19 keep working.
using DateValue = std::int64_t;

/// Decimal text of v: "0", "-2147483648", no blanks, no separators.
std::string formatInt(std::int32_t v);

/// The number after v, wrapping in two's complement as parseInt does: after 2147483647 comes
/// -2147483648.
std::int32_t nextNumber(std::int32_t v);

/// Leading decimal integer of s: blanks and tabs skipped, one sign, digits with 32-bit wrap-around;
/// anything else reads as 0.
std::int32_t parseInt(std::string_view s);

/// Field k (1-based; below 1 counts as 1) of s split at the first byte of sep; "" past the end.
std::string fieldOf(std::string_view s, int k, std::string_view sep);
/// fieldOf with a one-character separator, as a view into s.
std::string_view fieldView(std::string_view s, int k, char separator);

/// s with every non-overlapping occurrence of search replaced by repl, scanning left to right; an
/// empty search text leaves s as it is.
std::string replaceAll(std::string_view s, std::string_view search, std::string_view repl);

/// The local date and time now, without any zone shift.
DateValue currentDate();
/// Makes currentDate answer from clock instead of the local clock (tests); an empty function gives the
/// local clock back.
void setClock(std::function<DateValue()> clock);

/// The DateValue of a local wall-clock time (proleptic Gregorian calendar).
DateValue dateValueOf(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

/// The date of a text "dd.mm.yyyy" (two, two and four digits, nothing around them, the year from 1000
/// on) that names a day of the calendar, at midnight; nullopt for any other text ("31.04.2026",
/// "29.02.2027", "1.2.2026"). formatDate writes it back as the same text.
std::optional<DateValue> parseDate(std::string_view text);

/// The same time of day `days` days later (earlier for a negative count), across month and year ends.
DateValue addDays(DateValue d, int days);

/// mask with %yyyy, %yy, %mm, %dd, %hh, %ii, %ss (case-insensitive) replaced by the parts of d.
std::string formatDate(std::string_view mask, DateValue d);

/// Nearest integer, exact halves to the even integer (2.5 -> 2, 3.5 -> 4). Values beyond the
/// 32-bit range saturate; NaN gives 0.
std::int32_t roundToInt(double v);

/// Drops the fraction toward zero (2.9 -> 2, -2.9 -> -2). Values beyond the 32-bit range saturate;
/// NaN gives 0.
std::int32_t truncateToInt(double v);
