#pragma once
// What the program knows of getting paid: the payments received, the terms each invoice was issued
// with (its due date, its amount due and its cash discount) and the dunning letters sent, each kept in
// a file of its own in the data folder. Read at start; every change is written at once.

#include "payments/recordfile.h"

#include <string>
#include <string_view>

/// Zahlungen.dat: "<invoice>|<dd.mm.yyyy>|<amount>|<remark>", one payment a line.
inline constexpr std::string_view kPaymentsName = "Zahlungen.dat";
/// Forderungen.dat: "<invoice>|<invoice date>|<due date>|<amount due>|<discount until>|<discount>", one
/// line for each invoice issued with company data; the discount fields are empty without one.
inline constexpr std::string_view kTermsName = "Forderungen.dat";
/// Mahnungen.dat: "<invoice>|<level>|<dd.mm.yyyy>", one line for each dunning letter printed.
inline constexpr std::string_view kDunningName = "Mahnungen.dat";
/// Serien.dat: the templates of recurring invoices (payments/recurring.h), one a line.
inline constexpr std::string_view kRecurringFileName = "Serien.dat";

struct Receivables {
    RecordFile payments{kPaymentsName, {}};
    RecordFile terms{kTermsName, {}};
    RecordFile dunning{kDunningName, {}};
    RecordFile recurring{kRecurringFileName, {}};
    /// The invoice list's column "Fällig am"; "Bezahlt", "Offen" and the payment state follow it. -1
    /// until the main window has made them.
    int firstColumn = -1;
    /// The invoice the payment window is open for, and its row in the invoice list when it opened.
    std::string windowInvoice;
    int windowRow = -1;
    /// The invoice the template dialog is open for.
    std::string seriesInvoice;
};

/// The one record of the program's receivables.
Receivables& receivables();
/// Back to the state at start: no payments, terms or letters, no columns.
void resetReceivables();

/// Reads the four files. Each that could not be read whole is protected from replacement; the names of
/// those, for the start to tell.
std::vector<std::string_view> loadReceivables();
