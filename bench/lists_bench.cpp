// The lists at scale: a search over 100 000 customers (the worst case, a text no row has), the prefix
// search the new-invoice window types into and a keystroke there (lookup, pick list shown, customer
// chosen), a list of 10 000 rows printed to PDF, and the CSV export of 100 000 rows. Goals: search
// under 50 ms, prefix search and keystroke under 20 ms, PDF under 5 s, CSV under 1 s.
//
//   lists_bench [folder]      keeps the PDF and CSV files in the folder when given

#include "datafiles/listexport.h"
#include "invoicing/invoicefields.h"
#include "invoicing/newinvoicewindow.h"
#include "printing/listprintout.h"
#include "printing/printjob.h"
#include "printing/printtarget.h"
#include "runtime/lists.h"
#include "runtime/listsearch.h"
#include "runtime/numbers.h"
#include "shell/mainwindow.h"
#include "state/invoicestate.h"
#include "timing.h"
#include "toolkit/toolkit.h"

#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

// An even number, so that the last customer is a "Kunde".
const int kCustomers = sized(100000, 500);
const int kPrintedRows = sized(10000, 100);

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

/// The median of runs of work, in milliseconds; exits when a run reports failure.
double medianMs(int runs, const std::function<bool()>& work, const char* what) {
    std::vector<double> ms;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        if (!work()) {
            std::fprintf(stderr, "%s failed\n", what);
            std::exit(2);
        }
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return median(ms);
}

void fillLists() {
    for (int i = 0; i < kCustomers; ++i) {
        const std::string n = std::to_string(i);
        listAddRow(kCustomerList, -1,
                   std::string(i % 2 ? "Herr|Kunde" : "Frau|M\xFCller") + n + "|Vorname" +
                       std::to_string(i % 500) + "||Hauptstra\xDF" + "e " + std::to_string(i % 200) + "|" +
                       std::to_string(10000 + i % 89999) + " Beispielstadt",
                   '|');
    }
    for (int i = 1; i <= kPrintedRows; ++i) {
        const std::string n = std::to_string(i);
        listAddRow(kInvoiceList, -1,
                   n + "|Kunde" + std::to_string(i % 977) + "|" + std::to_string(i % 311 + 1) + "|" +
                       std::to_string(i % 5000) + ",90|06.12.2026",
                   '|');
        listAddRow(
            kArticleList, -1,
            "Artikel " + n + "|Teile|" + std::to_string(i % 300) + ",50|Beschreibung des Artikels " + n, '|');
    }
}

const char* verdict(double ms, double goal) {
    return ms < goal ? "met" : "MISSED";
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (!makeToolkitReady() || !buildMainWindow())
        return 1;
    QTemporaryDir temporary;
    const std::string folder = argc > 1 ? argv[1] : temporary.path().toStdString();
    fillLists();

    const std::string lastCustomer = "kunde" + std::to_string(kCustomers - 1);
    const double search = medianMs(
        9, [] { return findRowContaining(kCustomerList, -1, "Meier") == -1; }, "search");
    const double found = medianMs(
        9, [&] { return findRowContaining(kCustomerList, 0, lastCustomer) == kCustomers - 1; }, "search");
    const std::array<int, 2> names = {1, 2};
    const double prefix = medianMs(
        9, [&] { return findRowStartingWith(kCustomerList, names, "Meier") == -1; }, "prefix search");
    std::printf("search over %d customers, no row has it: %8.2f ms (goal < 50 ms: %s)\n", kCustomers, search,
                verdict(search, 50));
    std::printf("search over %d customers, found last:    %8.2f ms\n", kCustomers, found);
    std::printf("prefix search, no row has it:            %8.2f ms (goal < 20 ms: %s)\n", prefix,
                verdict(prefix, 20));

    // A keystroke in "Kunde suchen" that finds the last customer: the handler as the window runs it.
    openNewInvoiceWindow();
    const double keystroke = medianMs(
        9,
        [&] {
            setText(kCustomerSearchField, lastCustomer);
            customerSearchEdited();
            return invoiceState().customerIndex == kCustomers - 1;
        },
        "keystroke");
    std::printf("keystroke in Kunde suchen, last customer: %8.2f ms (goal < 20 ms: %s)\n", keystroke,
                verdict(keystroke, 20));
    closeWindow(kDialogWindow);

    printTarget().kind = PrintTargetKind::PdfFile;
    const ListPrintout printouts[] = {{kInvoiceList, "Rechnungsliste", 3, {}},
                                      {kArticleList, "Artikelliste", -1, {}}};
    for (const ListPrintout& printout : printouts) {
        printTarget().pdfPath = folder + "/" + std::string(printout.title) + ".pdf";
        int pages = 0;
        const double ms = medianMs(
            3,
            [&] {
                const bool printed = printList(printout) == ListPrintResult::Printed;
                pages = printJob().page + 1;
                return printed;
            },
            "printout");
        std::printf("%.*s, %d rows to PDF, %d pages: %8.0f ms (goal < 5000 ms: %s)\n",
                    static_cast<int>(printout.title.size()), printout.title.data(), kPrintedRows, pages, ms,
                    verdict(ms, 5000));
    }

    const std::string csv = folder + "/Kundenliste.csv";
    const double exported = medianMs(
        5, [&] { return exportListCsv(kCustomerList, csv); }, "export");
    std::printf("CSV export of %d customers: %8.2f ms (goal < 1000 ms: %s)\n", kCustomers, exported,
                verdict(exported, 1000));
    resetPrintJob();
    resetToolkit();
    return 0;
}
