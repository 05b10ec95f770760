#pragma once
// The full lines of an issued invoice, kept for what later works from them (cancellations, credit
// notes, exports per rate, copies): "Rechnungen\<n>-Zeilen.txt", one line per invoice line, fields
// joined by "|" (Bezeichnung, Beschreibung, Menge, Einzelpreis, Betrag, USt-Satz, Steuerkategorie,
// Einheit), Windows-1252, CR LF. Rate, category and unit are the ones the invoice was issued with.
// Only invoices made with company data or with a line of its own rate, category or unit have it, so a
// plain folder holds the files it always held.

#include "money/money.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// One line of an issued invoice. Amounts as the lines list shows them: gross with gross prices.
struct InvoiceLine {
    std::string designation;
    std::string description;
    money::Quantity quantity;
    money::Price unitPrice;
    money::Amount amount;
    money::Rate rate;
    /// VAT category code ("S", "Z", "E", "AE", "K", "G", "O").
    std::string category = "S";
    /// UN/ECE unit code ("C62", "HUR").
    std::string unit = "C62";
};

struct InvoiceLines {
    /// True when the invoice's line record was read; false for the fallback below.
    bool recorded = false;
    std::vector<InvoiceLine> lines;
};

/// The program file name of invoice number's line record.
std::string invoiceLinesName(std::string_view number);
/// The same for document number of another folder ("Angebote\<n>-Zeilen.txt").
std::string invoiceLinesName(std::string_view folder, std::string_view number);

/// Whether the invoice being composed needs its line record: with company data, or when a line has
/// its own rate, category or unit.
bool invoiceLinesNeeded();

/// Writes the line record of invoice invoiceCounter from the lines list, with the effective rate and
/// category of each line (the options' rate where a line names none); through the atomic replacement.
/// False when it could not be written.
bool writeInvoiceLines();
/// The same for document `number` in folder.
bool writeInvoiceLines(std::string_view folder, std::int32_t number);

/// The lines of invoice number. Without a line record (an invoice of an earlier installation or of a
/// plain folder), what its item file tells: each item line's text (designation, price and description
/// joined by blanks) as the designation, the rest empty and 0, category "S" and unit "C62" -- quantity,
/// amount and rate are not known then. An unreadable or missing item file gives no lines.
InvoiceLines readInvoiceLines(std::string_view number);
/// The same for document number of folder.
InvoiceLines readInvoiceLines(std::string_view folder, std::string_view number);
