#pragma once
// The e-invoice of "Rechnung erstellen": with company data, the invoice is checked before it is printed
// and, once registered, kept in the archive as XML, Factur-X PDF and, for a buyer with a Leitweg-ID,
// XRechnung. Without company data nothing is asked and nothing is written.

#include "archive/archivewriter.h"

#include <cstdint>
#include <optional>
#include <string>

/// What becomes of the invoice's e-invoice.
enum class EInvoicePlan {
    /// No company data: paper only, nothing asked.
    None,
    /// The invoice gives a valid e-invoice: it is written once the invoice is registered.
    Write,
    /// It would not be valid and the user chose paper only ("Ja"): the archive keeps the PDF alone.
    PaperOnly,
    /// It would not be valid and the user went back to the window ("Nein"): nothing is to be printed.
    Back,
};

/// An invoice's archive files: the EN 16931 XML, the Factur-X PDF, and the XRechnung for a buyer
/// with a Leitweg-ID.
struct EInvoiceFiles {
    std::string xml;
    std::string pdf;
    std::optional<std::string> xrechnung;
};

/// The files of the invoice in the window as registered (invoiceCounter, invoiceDateText); nullopt
/// when its PDF could not be made.
std::optional<EInvoiceFiles> registeredInvoiceFiles();

/// Before invoice number `number` is printed: None without company data, Write when the invoice in
/// the window gives a valid e-invoice, else asks "Hinweis!" with the reasons whether to create it on
/// paper only: PaperOnly for "Ja", Back for "Nein".
EInvoicePlan planEInvoice(std::int32_t number);

/// After the invoice is registered (invoiceCounter and invoiceDateText set, the window still open):
/// writes its files into the archive (PaperOnly: the printout's PDF alone, as "<n>.pdf"); when they are
/// not archived the user reads "Fehler!". nullopt when the plan is neither Write nor PaperOnly.
std::optional<ArchiveOutcome> issueEInvoice(EInvoicePlan plan);
