// Time to print one full invoice of 18 lines into a PDF file: the first printout (fonts loaded and
// matched) and the mean and median of the ones after it.

#include "printing/invoiceprintout.h"
#include "printing/printjob.h"
#include "printing/printtarget.h"
#include "state/invoicestate.h"
#include "state/settings.h"
#include "toolkit/toolkit.h"

#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 20;
constexpr int kLines = 18;

void composeInvoice() {
    settings() = defaultSettings();
    settings().logoLine1 = "Holzwerk Beispiel";
    settings().logoLine2 = "Tischlerei und Innenausbau";
    settings().companyAddress = "Holzwerk Beispiel GmbH, S\xE4geweg 1, 12345 Musterstadt";
    settings().taxNumber = "12/345/67890";
    settings().taxRate = "19";
    settings().pricesGross = 1;
    InvoiceState& invoice = invoiceState();
    invoice.customerSalutation = "Frau";
    invoice.customerFullName = "Erika Mustermann";
    invoice.customerStreet = "Lindenweg 4";
    invoice.customerTown = "12345 M\xFCnster";
    invoice.customerNumberText = "7";
    invoice.invoiceCounter = 42;

    openWindow(kDialogWindow, 0, 0, 782, 500, "Neue Rechnung", 1);
    useControlList(kDialogWindow);
    createReportList(kLinesList, 10, 120, 752, 490, "Pos", 25, kReportListFlags);
    addColumn(kLinesList, 2, "Bezeichnung", 100);
    addColumn(kLinesList, 3, "Beschreibung", 120);
    addColumn(kLinesList, 4, "Einzelpr.", 60);
    addColumn(kLinesList, 5, "Menge", 60);
    addColumn(kLinesList, 6, "Gesamtpr.", 60);
    for (int i = 1; i <= kLines; ++i)
        addRow(kLinesList, -1,
               std::to_string(i) + "\nSchraube " + std::to_string(i) + "\nM6 x 40 verzinkt\n11,90\n2\n23,80");
    invoice.invoiceLineCount = rowCount(kLinesList);
    invoice.invoiceTotal = 23.8f * kLines;
}

} // namespace

int main() {
    if (!makeToolkitReady())
        return 1;
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    composeInvoice();
    printTarget().kind = PrintTargetKind::PdfFile;
    printTarget().pdfPath = (dir.path() + "/invoice.pdf").toStdString();

    std::vector<double> ms;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        if (!printInvoice())
            return 1;
        resetPrintJob();
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::vector<double> rest(ms.begin() + 1, ms.end());
    const double mean = std::accumulate(rest.begin(), rest.end(), 0.0) / static_cast<double>(rest.size());
    std::sort(rest.begin(), rest.end());
    const double median = (rest[rest.size() / 2] + rest[(rest.size() - 1) / 2]) / 2;
    std::printf("invoice of %d lines to PDF, %d runs\n", kLines, kRuns);
    std::printf("first:  %.2f ms\n", ms.front());
    std::printf("others: mean %.2f ms, median %.2f ms, min %.2f ms, max %.2f ms\n", mean, median,
                rest.front(), rest.back());
    resetToolkit();
    return 0;
}
