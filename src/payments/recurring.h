#pragma once
// Recurring invoices: a template names an issued invoice whose lines and customer a new invoice copies
// each time its date comes, the interval, the next date and an optional last date. Serien.dat keeps one
// template a line: "<invoice>|<customer number>|<interval>|<next dd.mm.yyyy>|<end dd.mm.yyyy or
// empty>|<day of the month>"; the day of the month is the one the dates keep to where a month has it.

#include "runtime/conversions.h"

#include <optional>
#include <string>
#include <string_view>

enum class Interval { Monthly, Quarterly, Yearly };

struct RecurringTemplate {
    /// The number of the invoice whose lines are copied.
    std::string invoice;
    /// The customer's own number, as the invoice list holds it.
    std::string customer;
    Interval interval = Interval::Monthly;
    /// The day the next invoice is due, at midnight.
    DateValue next = 0;
    /// The last day an invoice may be due; none: no end.
    std::optional<DateValue> end;
    /// 1 to 31: the day of the month the dates return to after a shorter month.
    int anchorDay = 1;
};

/// "monatlich", "vierteljährlich", "jährlich".
std::string_view intervalText(Interval interval);
/// The interval of one of those texts; nullopt for any other.
std::optional<Interval> intervalOf(std::string_view text);

/// The date one interval after date: the same day of the month as anchorDay, or the month's last day
/// where the month is shorter (31.01. -> 28.02. or 29.02. -> 31.03. with anchor 31).
DateValue followingDate(DateValue date, Interval interval, int anchorDay);

/// Whether an invoice of the template is due on day today: its next date has come and is not past
/// its end.
bool isDue(const RecurringTemplate& t, DateValue today);

/// The template of a line of Serien.dat; nullopt when a field is not what the writer writes.
std::optional<RecurringTemplate> templateOf(std::string_view line);
/// The line of Serien.dat for the template.
std::string templateLine(const RecurringTemplate& t);
