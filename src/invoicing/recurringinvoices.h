#pragma once
// Recurring invoices made real: the templates of Serien.dat whose date has come become normal invoices
// through the steps of "Rechnung erstellen", each with the lines of the invoice it copies, today's date
// and its period's first day as the Leistungsdatum.

#include "payments/recurring.h"

#include <string>
#include <vector>

/// A template whose invoice is due, as the list before the confirmation shows it.
struct DueTemplate {
    /// Its line in Serien.dat, from 0.
    std::size_t line = 0;
    RecurringTemplate t;
    /// The customer's row in the customer list; -1 when no customer has its number any more.
    int customerRow = -1;
};

/// The templates due on day today, in the order of Serien.dat; lines that are no template are left out.
std::vector<DueTemplate> dueTemplates(DateValue today);

/// How the created invoices leave the program.
enum class SeriesOutput {
    /// All of them in one print job through the print dialog.
    Print,
    /// Into the archive alone (with company data), nothing printed.
    ArchiveOnly,
};

/// What creating the due invoices did.
struct SeriesRun {
    /// The numbers of the invoices created.
    std::vector<std::int32_t> created;
    /// "Rechnung <n>: der Kunde ist gelöscht" for a template whose customer is gone, "Rechnung <n>: nicht
    /// erstellt" for one whose invoice was not made (declined, not printed, no lines kept).
    std::vector<std::string> skipped;
    /// Serien.dat could not be written: that template and the ones after it were not created.
    bool fileFailed = false;
};

/// Creates the invoice of every template in due, moving each template's next date on by its interval
/// in Serien.dat before its invoice is made, so that no failure can make it twice; a template whose
/// invoice is not made gets its date back. Print: the print dialog is asked once (cancelled: nothing is
/// created). An invoice in progress in the new-invoice window is asked about first ("Nein": nothing is
/// created).
SeriesRun createDueInvoices(const std::vector<DueTemplate>& due, SeriesOutput output);

/// Adds a template to Serien.dat; false when the file could not be written (it then holds none).
bool addTemplate(const RecurringTemplate& t);
