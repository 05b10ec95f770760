#pragma once
// What the exports for the tax adviser and the tax office read: the program's invoices, corrections
// and payments as plain records, whatever files they came from. Texts are Windows-1252 bytes.

#include "money/money.h"
#include "runtime/conversions.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace accounting {

enum class DocumentKind {
    Invoice,
    /// Stornorechnung: its amounts are negative and it names the invoice it cancels.
    Cancellation,
    /// Gutschrift or Rechnungskorrektur: negative amounts as well.
    CreditNote,
};

/// The part of a document under one tax case: its EN 16931 category code ("S", "Z", "E", "AE",
/// "K", "G", "O") and rate, with the net amount and the tax on it.
struct TaxPart {
    std::string category;
    money::Rate rate;
    money::Amount net;
    money::Amount tax;
};

struct InvoiceRecord {
    DocumentKind kind = DocumentKind::Invoice;
    std::string number;
    /// The date the register gives it.
    DateValue date = 0;
    std::int64_t customerNumber = 0;
    std::string customerName;
    /// A correction's original invoice; "" for an invoice.
    std::string refersTo;
    /// One part per tax case, in the order of the invoice's lines.
    std::vector<TaxPart> parts;
};

struct PaymentRecord {
    std::string invoiceNumber;
    DateValue date = 0;
    /// Below zero for money paid back.
    money::Amount amount;
    std::string remark;
    /// The paid invoice's customer, found through its number (0 and "" when the register lacks it).
    std::int64_t customerNumber = 0;
    std::string customerName;
};

/// Whole days from `from` to `to`, both included, each at midnight.
struct Period {
    DateValue from = 0;
    DateValue to = 0;
    bool contains(DateValue day) const { return day >= from && day <= to; }
};

/// net + tax of a part; nullopt beyond the range of amounts.
inline std::optional<money::Amount> grossOf(const TaxPart& part) {
    return money::add(part.net, part.tax);
}

/// The year, month and day of a date.
struct CalendarDay {
    int year = 0;
    int month = 0;
    int day = 0;
};
CalendarDay calendarDayOf(DateValue date);

} // namespace accounting
