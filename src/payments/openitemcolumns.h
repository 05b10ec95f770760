#pragma once
// The invoice list's receivables columns at its right: "Fällig am", "Bezahlt", "Offen" and the
// payment state, computed from the register's rows and the receivables' files, and the line that
// tells how many invoices are overdue.

#include "payments/openitems.h"

#include <array>
#include <string>
#include <string_view>

struct OpenItemColumn {
    const char* title;
    int width;
};

/// The columns in their order, appended after every other column of the invoice list.
inline constexpr std::array kOpenItemColumns = {
    OpenItemColumn{"F\xE4llig am", 65},
    OpenItemColumn{"Bezahlt", 60},
    OpenItemColumn{"Offen", 60},
    OpenItemColumn{"Zahlstatus", 65},
};

/// The invoice list's column of the open amounts; -1 before the columns are made.
int openAmountColumn();

/// The terms Forderungen.dat remembers for the invoice (its last line that can be read); nullopt when none.
std::optional<InvoiceTerms> termsOfInvoice(std::string_view invoice);

/// The open item of the invoice in row `row` of the invoice list, today; an empty one (nothing due,
/// nothing open) for a row the list does not have.
OpenItem openItemOfRow(int row);

/// Computes the columns of every row of the invoice list.
void fillOpenItemColumns();
/// Computes the columns of one row again.
void fillOpenItemRow(int row);

/// The row of the invoice list that holds the invoice: hint when it does, else the first that does;
/// -1 when none does.
int invoiceRow(std::string_view invoice, int hint);

/// "3 Rechnungen sind überfällig (1.234,56 €)." for the overdue rows of the invoice list; "" when none
/// is overdue.
std::string overdueNotice();

/// An amount with thousands separators, as sentences show it ("1.234,56").
std::string groupedAmount(money::Amount amount);
