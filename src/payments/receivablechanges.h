#pragma once
// Every change to the receivables' files: the record changes in memory and the file is written at
// once through the atomic replacement. A change whose file could not be written is taken back, so that
// what the program shows is what the disk holds.

#include "payments/openitems.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

/// Adds a payment to Zahlungen.dat. False when the file could not be written.
bool addPaymentRecord(std::string_view invoice, std::string_view date, money::Amount amount,
                      std::string_view remark);

/// The indexes into Zahlungen.dat's lines of the invoice's payments, in the file's order.
std::vector<std::size_t> paymentsOf(std::string_view invoice);

/// Removes the payment at this index of Zahlungen.dat's lines. False when the file could not be written.
bool removePaymentRecord(std::size_t index);

/// Remembers the terms of an invoice just issued in Forderungen.dat, in place of any earlier line of
/// its number. False when the file could not be written.
bool rememberTerms(std::string_view invoice, const InvoiceTerms& terms);

/// With company data: remembers the terms of the invoice just registered (invoiceCounter,
/// invoiceDateText, paymentDays, invoiceTotal) with the cash discount in force. True without company
/// data (nothing to remember) and for a total whose amount due leaves the range of amounts.
bool rememberRegisteredInvoice();

/// Adds a printed letter to Mahnungen.dat. False when the file could not be written.
bool rememberDunning(std::string_view invoice, int level, DateValue date);

/// Whether the invoice has a payment.
bool hasPayments(std::string_view invoice);

/// Removes the invoice's payments, terms and letters from the files that hold any. False when a file
/// could not be written; the files before it stay changed, that one and the ones after it stay as
/// they were.
bool forgetInvoice(std::string_view invoice);
