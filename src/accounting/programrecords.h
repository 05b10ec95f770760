#pragma once
// The one place that knows where the exports' records come from: the register rows of the invoice list,
// each invoice's parts from its line record (one per category and rate of its lines) or, without one,
// from its total at the options' one rate and price mode (S, Z for 0 %, E for a small business); the
// corrections of Korrekturen.dat, negative as the register keeps them; the payments of Zahlungen.dat; the
// customer list, the item files of Rechnungen, the archive's files.

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

/// The invoices and payments the program holds. Line records are read for the invoices dated within
/// the period only (all without one); the others keep the part of their total.
ProgramRecords programRecords(const std::optional<Period>& within = std::nullopt);

/// The company data's section "Buchhaltung" as a setup; nullopt, with the reason in German, when a
/// value the DATEV export needs is missing or cannot be used.
std::optional<AccountingSetup> programSetup(std::string& reason);

/// What the audit export of the period takes: the records, the lists, the item files' lines, the
/// archive's files of the period's invoices and its checksum list.
AuditData programAuditData(const Period& period);

} // namespace accounting
