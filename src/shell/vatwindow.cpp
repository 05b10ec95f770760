#include "shell/vatwindow.h"

#include "accounting/programrecords.h"
#include "accounting/vatreturn.h"
#include "printing/listprintout.h"
#include "toolkit/toolkit.h"

using namespace accounting;

namespace {

constexpr char kTitle[] = "Umsatzsteuer-\xDC"
                          "bersicht";

void addFigureRows(const VatFigure& figure) {
    const std::string code = figure.code.empty() ? "-" : figure.code;
    addRow(kVatList, -1,
           code + "\n" + figure.caption + "\n\n" + wholeEuros(figure.net) + "\n" +
               (figure.withTax ? money::formatAmount(figure.tax) : ""));
}

void addEntryRows(const VatFigure& figure) {
    for (const VatEntry& e : figure.entries)
        addRow(kVatList, -1,
               (figure.code.empty() ? "-" : figure.code) + "\nNr. " + e.number + " " + e.customerName + "\n" +
                   formatDate("%dd.%mm.%yyyy", e.date) + "\n" + money::formatAmount(e.net) + "\n" +
                   money::formatAmount(e.tax));
}

} // namespace

void openVatWindow(const Period& period) {
    if (!openWindow(kVatWindow, 0, 0, 700, 480, kTitle,
                    kWindowCaption | kWindowCloseBox | kWindowCentredOnOwner, kMainWindow))
        return;
    useControlList(kVatWindow);
    createLabel(kVatPeriodCaption, 10, 10, 680, 20,
                std::string(kTitle) + " " + formatDate("%dd.%mm.%yyyy", period.from) + " bis " +
                    formatDate("%dd.%mm.%yyyy", period.to));
    createReportList(kVatList, 10, 34, 680, 400, "Kz", 40, kReportListFlags);
    addColumn(kVatList, 1, "Bezeichnung / Rechnung", 360);
    addColumn(kVatList, 2, "Datum", 80);
    addColumn(kVatList, 3, "Bemessungsgrundlage", 110);
    addColumn(kVatList, 4, "Steuer", 80);
    const std::vector<VatFigure> figures = vatFigures(programRecords(period).invoices, period);
    for (const VatFigure& figure : figures)
        addFigureRows(figure);
    addRow(kVatList, -1, "");
    for (const VatFigure& figure : figures)
        addEntryRows(figure);
    createPushButton(kVatPrintButton, 500, 444, 90, 26, "Drucken");
    createPushButton(kVatCloseButton, 600, 444, 90, 26,
                     "Schlie\xDF"
                     "en");
    setDialogKeys(kVatWindow, kVatCloseButton);
}

void printVatClicked() {
    const std::string title = getText(kVatPeriodCaption);
    if (printList({kVatList, title, -1, {}}) == ListPrintResult::Refused)
        messageBox("Fehler!",
                   "Die \xDC"
                   "bersicht konnte nicht gedruckt werden!",
                   kMessageOk);
}

void closeVatWindow() {
    closeWindow(kVatWindow);
    activateWindow(kMainWindow);
}
