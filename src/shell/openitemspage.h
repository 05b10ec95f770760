#pragma once
// The invoices page's part of getting paid: the receivables columns at the right of the invoice list,
// overdue rows in red, and the line above the buttons that tells how many invoices are overdue.

#include <string_view>

/// Appends "Fällig am", "Bezahlt", "Offen" and "Zahlstatus" after every other column of the invoice
/// list, shows overdue rows in red and makes the line for the overdue notice. Call once the invoice
/// page's other columns are made.
void addOpenItemColumns();

/// Puts the notice of the overdue invoices in the line above the invoices page's buttons; the line is
/// empty when none is overdue.
void showOverdueNotice();

/// After a change to an invoice's payments or letters: its row's columns and the notice anew.
void openItemChanged(std::string_view invoice, int rowHint);
