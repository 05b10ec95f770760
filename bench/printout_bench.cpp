// Time to print invoices into a PDF file: one full page of 18 lines (the first printout, with fonts
// loaded and matched, and the ones after it), then invoices of 2, 10 and 50 pages and of 1 000 lines,
// each as the median of several runs and per page.

#include "printing/invoiceprintout.h"
#include "printing/printjob.h"
#include "printing/printtarget.h"
#include "state/invoicestate.h"
#include "state/settings.h"
#include "timing.h"
#include "toolkit/toolkit.h"

#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <string>
#include <vector>

namespace {

const int kRuns = sized(20, 2);
const int kLongRuns = sized(7, 1);

void composeInvoice(int lines) {
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
    invoice.customerNumberText = std::string("7");
    invoice.invoiceCounter = 42;

    openWindow(kDialogWindow, 0, 0, 782, 500, "Neue Rechnung", 1);
    useControlList(kDialogWindow);
    createReportList(kLinesList, 10, 120, 752, 490, "Pos", 25, kReportListFlags);
    addColumn(kLinesList, 2, "Bezeichnung", 100);
    addColumn(kLinesList, 3, "Beschreibung", 120);
    addColumn(kLinesList, 4, "Einzelpr.", 60);
    addColumn(kLinesList, 5, "Menge", 60);
    addColumn(kLinesList, 6, "Gesamtpr.", 60);
    for (int i = 1; i <= lines; ++i) {
        const std::string number = std::to_string(i);
        std::string row = number;
        row.append("\nSchraube ").append(number).append("\nM6 x 40 verzinkt\n11,90\n2\n23,80");
        addRow(kLinesList, -1, row);
    }
    invoice.invoiceLineCount = rowCount(kLinesList);
    invoice.invoiceTotal = money::Amount{2380 * lines};
}

/// Milliseconds of each printout, and the pages of the last one; empty when one failed.
std::vector<double> timePrintouts(int runs, int& pages) {
    std::vector<double> ms;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        if (!printInvoice())
            return {};
        pages = printJob().page + 1;
        resetPrintJob();
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return ms;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return (values[values.size() / 2] + values[(values.size() - 1) / 2]) / 2;
}

} // namespace

int main() {
    if (!makeToolkitReady())
        return 1;
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    printTarget().kind = PrintTargetKind::PdfFile;
    printTarget().pdfPath = (dir.path() + "/invoice.pdf").toStdString();

    composeInvoice(18);
    int pages = 0;
    const std::vector<double> ms = timePrintouts(kRuns, pages);
    if (ms.empty())
        return 1;
    std::vector<double> rest(ms.begin() + 1, ms.end());
    const double mean = std::accumulate(rest.begin(), rest.end(), 0.0) / static_cast<double>(rest.size());
    std::sort(rest.begin(), rest.end());
    std::printf("invoice of 18 lines to PDF, %d runs\n", kRuns);
    std::printf("first:  %.2f ms\n", ms.front());
    std::printf("others: mean %.2f ms, median %.2f ms, min %.2f ms, max %.2f ms\n", mean, median(rest),
                rest.front(), rest.back());

    // 18 lines on page 1, 29 on each page in the middle, 20 on the last: 2, 10 and 50 pages.
    std::printf("longer invoices to PDF, median of %d runs\n", kLongRuns);
    const std::vector<int> longInvoices =
        quickRun() ? std::vector<int>{18 + 20}
                   : std::vector<int>{18 + 20, 18 + 8 * 29 + 20, 18 + 48 * 29 + 20, 1000};
    for (int lines : longInvoices) {
        resetToolkit();
        if (!makeToolkitReady())
            return 1;
        composeInvoice(lines);
        const std::vector<double> times = timePrintouts(kLongRuns, pages);
        if (times.empty())
            return 1;
        const double m = median(times);
        std::printf("%5d lines, %2d pages: %8.2f ms, %6.2f ms a page\n", lines, pages, m, m / pages);
    }
    resetToolkit();
    return 0;
}
