#pragma once
// DATEV's booking batch (EXTF, header version 700, category 21 "Buchungsstapel", format version 13):
// the header line, the column titles, then one booking per tax case of every invoice, cancellation and
// credit note of the period, and, when asked, one per payment. Windows-1252, ";" between the fields,
// CR LF after every line, text fields in quotes with inner quotes doubled.

#include "accounting/accounts.h"
#include "accounting/records.h"

#include <string>
#include <vector>

namespace accounting {

struct DatevBatch {
    /// The file's bytes; empty when nothing can be written.
    std::string bytes;
    /// Bookings in the file; 0 for a period that holds none.
    int bookings = 0;
    /// Why no file can be written, in German; "" when it can.
    std::string refusal;
};

/// The batch of the period. Bookings are in the order of the records; an amount below zero is booked
/// on the other side. Records outside the period are left out, and so are parts of zero.
/// `created` is the creation time the header names.
DatevBatch datevBookingBatch(const std::vector<InvoiceRecord>& invoices,
                             const std::vector<PaymentRecord>& payments, const AccountingSetup& setup,
                             const Period& period, DateValue created);

/// A text field as DATEV reads it: in quotes, inner quotes doubled, control characters as blanks,
/// at most maxLength characters.
std::string datevText(std::string_view text, std::size_t maxLength);

} // namespace accounting
