#pragma once
// The data a tax auditor receives (GoBD "Datenträgerüberlassung"): the register, the invoice lines,
// the customers, the articles and the payments of a period as CSV files (Windows-1252, ";" between
// the fields, CR LF, texts in quotes), described by an index.xml after the GDPdU description
// standard, with its DTD beside it, and the archive's files of the period's invoices.

#include "accounting/records.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace accounting {

/// A file of an export: its path inside the export's folder ("/" between folders) and its bytes.
struct ExportFile {
    std::string path;
    std::string bytes;
};

struct AuditData {
    std::vector<InvoiceRecord> invoices;
    /// Customer number and the customer's cells (Anrede to Land).
    std::vector<std::pair<std::int64_t, std::vector<std::string>>> customers;
    /// Bezeichnung, Kategorie, Preis as typed, Beschreibung.
    std::vector<std::vector<std::string>> articles;
    /// Invoice number and the lines its item file keeps.
    std::vector<std::pair<std::string, std::vector<std::string>>> itemLines;
    std::vector<PaymentRecord> payments;
    /// The archive's files of the period's invoices and its checksum list, by name in the archive.
    std::vector<ExportFile> archiveFiles;
    /// Who hands the data over, and where (DataSupplier).
    std::string supplierName;
    std::string supplierLocation;
};

/// The DTD's name, as index.xml names it.
inline constexpr std::string_view kGdpduDtdName = "gdpdu-01-08-2002.dtd";
/// The DTD's text.
extern const std::string_view kGdpduDtd;

/// Every file of the export of the period: index.xml, the DTD, the five tables, the archive's files
/// under "Archiv/". Invoices and payments outside the period, and their lines, are left out.
std::vector<ExportFile> auditExportFiles(const AuditData& data, const Period& period);

} // namespace accounting
