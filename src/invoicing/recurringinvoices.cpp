#include "invoicing/recurringinvoices.h"

#include "datafiles/invoicelines.h"
#include "invoicing/newinvoicewindow.h"
#include "money/money.h"
#include "payments/receivables.h"
#include "printing/invoiceprintout.h"
#include "printing/printjob.h"
#include "runtime/numbers.h"
#include "state/companydata.h"
#include "state/customernumbers.h"
#include "state/invoicestate.h"
#include "state/settings.h"
#include "toolkit/toolkit.h"

namespace {

int customerRowOf(std::string_view number) {
    for (int r = 0; r < rowCount(kCustomerList); ++r) {
        if (!number.empty() && customerNumberAt(r) == number)
            return r;
    }
    return -1;
}

// A line as the line dialog adds it; rate, category and unit only where they are the line's own, so
// that a later change of the options' rate reaches the next invoice as it reaches a typed one.
std::string linesListRow(int position, const InvoiceLine& line) {
    const std::string rate = money::formatDecimal(line.rate.units, money::Rate::kDecimals, 0, ',');
    const bool optionsRate = line.rate.units == money::parse<money::Rate>(settings().taxRate).units;
    return formatInt(position) + "\n" + line.designation + "\n" + line.description + "\n" +
           money::formatDecimal(line.unitPrice.units, money::Price::kDecimals, 2, ',') + "\n" +
           money::formatQuantity(line.quantity) + "\n" + money::formatAmount(line.amount) + "\n" +
           (optionsRate ? "" : rate) + "\n" + (line.category == "S" ? "" : line.category) + "\n" +
           (line.unit == "C62" ? "" : line.unit);
}

// The new-invoice window as the user would fill it for the template.
bool fillWindow(const DueTemplate& due) {
    const InvoiceLines lines = readInvoiceLines(due.t.invoice);
    if (!lines.recorded || lines.lines.empty())
        return false;
    openNewInvoiceWindow();
    showRow(kCustomerPicks, due.customerRow);
    chooseCustomer();
    int position = 0;
    for (const InvoiceLine& line : lines.lines)
        addRow(kLinesList, -1, linesListRow(++position, line));
    setText(kDeliveryDateField, formatDate("%dd.%mm.%yyyy", due.t.next));
    invoiceState().invoiceTotal = sumOfLines().value_or(money::Amount{});
    return true;
}

bool saveTemplates() {
    return saveRecordFile(receivables().recurring);
}

// The one print job of a run: the dialog is asked at the first invoice, each next one starts a page.
struct SeriesJob {
    bool begun = false;
    bool cancelled = false;

    PrintResult draw() {
        if (!begun) {
            const PrintResult result = beginPrintout("Serienrechnungen");
            cancelled = result.outcome == PrintOutcome::Cancelled;
            if (!result)
                return result;
        } else if (!newPage()) {
            return {PrintOutcome::Refused};
        }
        begun = true;
        if (!drawInvoice())
            return {PrintOutcome::Refused};
        invoiceState().printedFlag = 1;
        return {};
    }
};

} // namespace

std::vector<DueTemplate> dueTemplates(DateValue today) {
    std::vector<DueTemplate> due;
    const std::vector<std::string>& lines = receivables().recurring.lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::optional<RecurringTemplate> t = templateOf(lines[i]);
        if (t && isDue(*t, today))
            due.push_back({i, *t, customerRowOf(t->customer)});
    }
    return due;
}

SeriesRun createDueInvoices(const std::vector<DueTemplate>& due, SeriesOutput output) {
    SeriesRun run;
    // An invoice in progress goes only when the user agrees: the invoices are made in its window.
    if (!mayReplaceWindow(kDialogWindow))
        return run;
    closeWindow(kDialogWindow);
    SeriesJob job;
    // Without company data there is no archive: such invoices go on paper.
    if (!companyData().present)
        output = SeriesOutput::Print;
    std::vector<std::string>& lines = receivables().recurring.lines;
    for (const DueTemplate& d : due) {
        const std::string name = "Rechnung " + d.t.invoice;
        if (d.customerRow < 0 || d.line >= lines.size()) {
            run.skipped.push_back(name + ": der Kunde ist gel\xF6scht");
            continue;
        }
        // The date moves on first: a failure after it loses this invoice rather than making it twice.
        const std::string before = lines[d.line];
        RecurringTemplate moved = d.t;
        moved.next = followingDate(d.t.next, d.t.interval, d.t.anchorDay);
        lines[d.line] = templateLine(moved);
        if (!saveTemplates()) {
            lines[d.line] = before;
            run.fileFailed = true;
            break;
        }
        InvoiceOutcome outcome = InvoiceOutcome::Declined;
        if (fillWindow(d))
            outcome = output == SeriesOutput::Print ? createAndRegisterInvoice([&job] { return job.draw(); })
                                                    : createAndRegisterInvoice([] { return PrintResult{}; });
        if (outcome == InvoiceOutcome::Registered || outcome == InvoiceOutcome::SavedIncompletely) {
            run.created.push_back(invoiceState().invoiceCounter);
            continue;
        }
        closeWindow(kDialogWindow);
        run.skipped.push_back(name + ": nicht erstellt");
        lines[d.line] = before;
        if (!saveTemplates())
            run.fileFailed = true;
        if (job.cancelled)
            break;
    }
    if (job.begun)
        endPrintout();
    return run;
}

bool addTemplate(const RecurringTemplate& t) {
    std::vector<std::string>& lines = receivables().recurring.lines;
    lines.push_back(templateLine(t));
    if (saveTemplates())
        return true;
    lines.pop_back();
    return false;
}
