#include "shell/recurringcommands.h"

#include "datafiles/invoicelines.h"
#include "invoicing/recurringinvoices.h"
#include "payments/receivables.h"
#include "runtime/fieldchecks.h"
#include "runtime/numbers.h"
#include "state/companydata.h"
#include "state/shellstate.h"
#include "toolkit/toolkit.h"

#include <string>

namespace {

const char* const kSaveFailure = "Die Serienrechnungen konnten nicht gespeichert werden!";

std::string dateText(DateValue d) {
    return formatDate("%dd.%mm.%yyyy", d);
}

std::string customerName(const DueTemplate& due) {
    return due.customerRow < 0 ? "(Kunde gel\xF6scht)" : getCell(kCustomerList, due.customerRow, 1);
}

void openDueList(const std::vector<DueTemplate>& due) {
    if (!openWindow(kDueSeriesWindow, 0, 0, 460, 300, "F\xE4llige Serienrechnungen",
                    kWindowCaption | kWindowCloseBox | kWindowCentredOnOwner, kMainWindow))
        return;
    useControlList(kDueSeriesWindow);
    createLabel(kAnonymous, 10, 10, 440, 20, "Diese Serienrechnungen sind f\xE4llig:");
    createReportList(kDueSeriesList, 10, 35, 440, 180, "Vorlage", 60, kReportListFlags);
    addColumn(kDueSeriesList, 2, "Kunde", 180);
    addColumn(kDueSeriesList, 3, "F\xE4llig am", 90);
    addColumn(kDueSeriesList, 4, "Intervall", 100);
    for (const DueTemplate& d : due)
        addRow(kDueSeriesList, -1,
               "Nr. " + d.t.invoice + "\n" + customerName(d) + "\n" + dateText(d.t.next) + "\n" +
                   std::string(intervalText(d.t.interval)));
    // Without company data there is no archive to keep them in: they are printed.
    if (companyData().present)
        createCheckBox(kDueSeriesArchiveBox, 10, 225, 300, 20, "nur archivieren (nicht drucken)");
    createPushButton(kDueSeriesCreateButton, 280, 260, 80, 24, "Erstellen");
    createPushButton(kDueSeriesCancelButton, 370, 260, 80, 24, "Abbruch");
    setDialogKeys(kDueSeriesWindow, kDueSeriesCreateButton);
}

std::string joinedNumbers(const std::vector<std::int32_t>& numbers) {
    std::string text;
    for (const std::int32_t n : numbers)
        text += (text.empty() ? "" : ", ") + formatInt(n);
    return text;
}

} // namespace

void seriesClicked() {
    const int r = getState(kInvoiceList);
    shellState().selectedRow = r;
    if (r == -1) {
        messageBox("Hinweis!", "Bitte zuerst eine Rechnung markieren.", kMessageOk);
        return;
    }
    const std::string invoice = getCell(kInvoiceList, r, 0);
    // Only an invoice whose full lines were kept can be issued again as it was.
    if (!readInvoiceLines(invoice).recorded) {
        messageBox("Hinweis!",
                   "Von der Rechnung Nr. " + invoice +
                       " sind keine vollst\xE4ndigen Positionen gespeichert; sie kann keine Serie werden.",
                   kMessageOk);
        return;
    }
    const DateValue issued = parseDate(getCell(kInvoiceList, r, 4)).value_or(currentDate());
    if (!openWindow(kSeriesWindow, 0, 0, 330, 170, "Serienrechnung",
                    kWindowCaption | kWindowCloseBox | kWindowCentredOnOwner, kMainWindow))
        return;
    useControlList(kSeriesWindow);
    receivables().seriesInvoice = invoice;
    createLabel(kAnonymous, 10, 10, 310, 20, "Serie aus Rechnung Nr. " + invoice);
    createLabel(kAnonymous, 10, 38, 120, 20, "Intervall");
    createComboBox(kSeriesIntervalBox, 135, 35, 120, 22, "monatlich\nviertelj\xE4hrlich\nj\xE4hrlich");
    createLabel(kAnonymous, 10, 65, 120, 20,
                "N\xE4"
                "chste Rechnung");
    createTextField(kSeriesNextField, 135, 62, 80, 20,
                    dateText(followingDate(issued, Interval::Monthly, parseInt(formatDate("%dd", issued)))));
    createLabel(kAnonymous, 10, 90, 120, 20, "Ende (optional)");
    createTextField(kSeriesEndField, 135, 87, 80, 20, "");
    for (const int field : {kSeriesNextField, kSeriesEndField})
        setForbiddenCharacters(field, kRecordBreakers);
    createPushButton(kSeriesOkButton, 135, 125, 80, 24, "OK");
    setDialogKeys(kSeriesWindow, kSeriesOkButton);
}

void seriesOkClicked() {
    const std::string next = getText(kSeriesNextField);
    const std::string end = getText(kSeriesEndField);
    const std::optional<DateValue> nextDate = parseDate(next);
    const std::optional<DateValue> endDate = parseDate(end);
    if (!nextDate || (!end.empty() && !endDate)) {
        messageBox("Fehler!",
                   "Das Datum \x84" + (nextDate ? end : next) +
                       "\x93 ist kein g\xFCltiges Datum (TT.MM.JJJJ).",
                   kMessageOk);
        return;
    }
    if (endDate && *endDate < *nextDate) {
        messageBox("Fehler!",
                   "Das Ende liegt vor der n\xE4"
                   "chsten Rechnung.",
                   kMessageOk);
        return;
    }
    const std::string invoice = receivables().seriesInvoice;
    RecurringTemplate t;
    t.invoice = invoice;
    t.interval = static_cast<Interval>(std::max(0, getState(kSeriesIntervalBox)));
    t.next = *nextDate;
    t.end = endDate;
    t.anchorDay = parseInt(formatDate("%dd", *nextDate));
    for (int r = 0; r < rowCount(kInvoiceList); ++r) {
        if (getCell(kInvoiceList, r, 0) == invoice)
            t.customer = getCell(kInvoiceList, r, 2);
    }
    if (!addTemplate(t)) {
        messageBox("Fehler!", kSaveFailure, kMessageOk);
        return;
    }
    closeWindow(kSeriesWindow);
    setStatusText(kMainWindow, "Serie angelegt: Rechnung " + invoice + ", " +
                                   std::string(intervalText(t.interval)) + " ab " + next);
}

void offerDueInvoicesAtStart() {
    const std::vector<DueTemplate> due = dueTemplates(currentDate());
    if (!due.empty())
        openDueList(due);
}

void dueSeriesClicked() {
    const std::vector<DueTemplate> due = dueTemplates(currentDate());
    if (due.empty()) {
        messageBox("Hinweis!", "Keine Serienrechnung ist f\xE4llig.", kMessageOk);
        return;
    }
    openDueList(due);
}

void createDueSeriesClicked() {
    const SeriesOutput output =
        getState(kDueSeriesArchiveBox) == 1 ? SeriesOutput::ArchiveOnly : SeriesOutput::Print;
    closeWindow(kDueSeriesWindow);
    const SeriesRun run = createDueInvoices(dueTemplates(currentDate()), output);
    if (!run.created.empty())
        setStatusText(kMainWindow, "Serienrechnungen erstellt: Nr. " + joinedNumbers(run.created));
    if (run.fileFailed)
        messageBox("Fehler!", kSaveFailure, kMessageOk);
    if (!run.skipped.empty()) {
        std::string names;
        for (const std::string& name : run.skipped)
            names += "\n" + name;
        messageBox("Hinweis!", "Nicht erstellt:" + names, kMessageOk);
    }
}

void cancelDueSeriesClicked() {
    closeWindow(kDueSeriesWindow);
}
