#pragma once
// Reminders and dunning letters: the levels one after the other, the fee and the default interest of
// the company data from the second level on, and the new deadline, in exact money.

#include "money/money.h"
#include "payments/openitems.h"
#include "runtime/conversions.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

/// Level 1 is the reminder, 2 and 3 the first and second dunning letter.
inline constexpr int kHighestDunningLevel = 3;

/// "Zahlungserinnerung", "1. Mahnung", "2. Mahnung"; "" for other levels.
std::string_view dunningTitle(int level);

/// "Mahngebühr" read: an amount from 0 on; nullopt otherwise.
std::optional<money::Amount> dunningFeeOf(std::string_view text);
/// "Verzugszinssatz" read: percent a year from 0 to 100; nullopt otherwise.
std::optional<money::Rate> interestRateOf(std::string_view text);

/// open × rate × days / 365 (rate in percent a year), rounded half away from zero to cents; nullopt
/// when it leaves the range of amounts.
std::optional<money::Amount> interestOf(money::Amount open, money::Rate ratePerYear, int days);

/// The last letter printed for an invoice, as Mahnungen.dat remembers it; level 0 when none was.
struct LastDunning {
    int level = 0;
    std::optional<DateValue> date;
};
LastDunning lastDunningOf(std::string_view invoice);

/// The Mahnungen.dat line of a letter.
std::string dunningLine(std::string_view invoice, int level, DateValue date);

/// What a dunning letter says.
struct DunningLetter {
    int level = 1;
    std::string invoice;
    DateValue invoiceDate = 0;
    DateValue dueDate = 0;
    money::Amount due;
    money::Amount paid;
    money::Amount open;
    /// The date of the letter before; nullopt for the first.
    std::optional<DateValue> previousDate;
    /// From level 2 on, as the company data set them; nullopt when they set none.
    std::optional<money::Amount> fee;
    std::optional<money::Rate> interestRate;
    int daysOverdue = 0;
    std::optional<money::Amount> interest;
    /// open + fee + interest.
    money::Amount total;
    /// Today + "Zahlungsziel für Mahnungen".
    DateValue deadline = 0;
    /// The customer as the invoice was addressed: salutation, name, addition, street, town.
    std::array<std::string, 5> address;
    std::string customerNumber;
};

/// Why no letter is printed.
enum class NoLetter { NotOverdue, Paid, NoDueDate, LastLevelSent, TooLarge };

/// The next letter for an invoice's open item and terms today, or why there is none.
struct NextLetter {
    std::optional<DunningLetter> letter;
    NoLetter reason = NoLetter::NotOverdue;
};
NextLetter nextDunningLetter(std::string_view invoice, const OpenItem& item,
                             const std::optional<InvoiceTerms>& terms, DateValue today);
