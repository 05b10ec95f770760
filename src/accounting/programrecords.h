#pragma once
// The one place that knows where the exports' records come from. Today: the register rows of the
// invoice list with the options' one rate and price mode (every invoice one tax part, S, Z for 0 %,
// E for a small business), the customers' places in the customer list as their numbers, the item
// files of Rechnungen, the archive's files; no payments yet. Per-line rates, correction rows, customer
// numbers of their own and a payments file change this file only.

#include "accounting/accounts.h"
#include "accounting/auditexport.h"
#include "accounting/records.h"

#include <optional>
#include <string>
#include <vector>

namespace accounting {

struct ProgramRecords {
    std::vector<InvoiceRecord> invoices;
    std::vector<PaymentRecord> payments;
    /// Register rows without a readable date or amount: left out, by number.
    std::vector<std::string> unreadable;
};

/// The invoices and payments the program holds.
ProgramRecords programRecords();

/// The company data's section "Buchhaltung" as a setup; nullopt, with the reason in German, when a
/// value the DATEV export needs is missing or cannot be used.
std::optional<AccountingSetup> programSetup(std::string& reason);

/// What the audit export of the period takes: the records, the lists, the item files' lines, the
/// archive's files of the period's invoices and its checksum list.
AuditData programAuditData(const Period& period);

} // namespace accounting
