#pragma once
// An invoice as an open item: what is due, what was paid, what is left, and whether it is paid, open
// or overdue. Pure arithmetic on the records of the receivables' files, in exact money.

#include "money/money.h"
#include "runtime/conversions.h"

#include <optional>
#include <string>
#include <string_view>

/// The terms an invoice was issued with, as a line of Forderungen.dat keeps them.
struct InvoiceTerms {
    DateValue invoiceDate = 0;
    /// nullopt when the line's due date is no date.
    std::optional<DateValue> dueDate;
    money::Amount due;
    /// The last day a payment of due - discount settles the invoice; nullopt without a cash discount.
    std::optional<DateValue> discountUntil;
    money::Amount discount;
};

/// The terms of a Forderungen.dat line; nullopt when its invoice date or amount due cannot be read.
std::optional<InvoiceTerms> termsOf(std::string_view line);
/// The Forderungen.dat line of an invoice's terms.
std::string termsLine(std::string_view invoice, const InvoiceTerms& terms);

/// A line of Zahlungen.dat read: its date as it stands (read only where it matters) and its amount (0
/// when it is none).
struct PaymentRecord {
    std::string_view invoice;
    std::string_view date;
    money::Amount amount;
};
PaymentRecord paymentOf(std::string_view line);
/// The Zahlungen.dat line of a payment.
std::string paymentLine(std::string_view invoice, std::string_view date, money::Amount amount,
                        std::string_view remark);

/// What an invoice's payments add up to: all of them, and those made by the last day of its discount.
struct PaidSoFar {
    money::Amount total;
    money::Amount inDiscountPeriod;
};
/// Adds a payment; false when a sum would leave the range of amounts (the sums stay as they were).
bool addPayment(PaidSoFar& paid, const PaymentRecord& payment, const std::optional<InvoiceTerms>& terms);

enum class PaymentState { Paid, Open, Overdue };

struct OpenItem {
    std::optional<DateValue> dueDate;
    /// nullopt when it cannot be computed (beyond the range of amounts); then open is nullopt too.
    std::optional<money::Amount> due;
    money::Amount paid;
    /// due - paid; 0 for an invoice settled by its cash discount or cancelled. Below 0 when overpaid.
    std::optional<money::Amount> open;
    PaymentState state = PaymentState::Open;
};

/// The open item of an invoice: with terms their amount due, else dueWithoutTerms (the register's
/// amount with the tax, for invoices issued before there were terms). An invoice is paid once nothing
/// is open, or once the payments by the last day of its discount reach the discounted amount; overdue
/// when something is open after its due date.
OpenItem openItemOf(const std::optional<InvoiceTerms>& terms, std::optional<money::Amount> dueWithoutTerms,
                    const PaidSoFar& paid, DateValue today, bool cancelled);

/// How the printout totals an invoice with the settings and company data in force.
struct DueRule {
    bool withoutTax = false;
    money::Rate rate;
    bool pricesGross = false;
};
DueRule dueRule();

/// What is due for an invoice whose lines add up to lineSum, as its printout totals it: the gross
/// total, or the sum for a small business; nullopt beyond the range of amounts.
std::optional<money::Amount> amountDueOf(money::Amount lineSum, const DueRule& rule = dueRule());

/// What is due for the invoice being composed, from its lines list: each rate's and category's lines
/// totalled apart and added (one rate gives amountDueOf of the line sum); nullopt beyond the range.
std::optional<money::Amount> composedAmountDue();

/// Whether the invoice was cancelled, or is a cancellation: both count as settled.
bool countsAsCancelled(std::string_view invoice);

/// The day of a date and time, at midnight.
DateValue dayOf(DateValue date);
/// Whole days from `from` to `to` (negative when `to` lies before).
int daysBetween(DateValue from, DateValue to);

/// "bezahlt", "offen", "überfällig".
std::string_view stateText(PaymentState state);
