// Loads a Daten.dat of 100 000 customers and 10 000 articles into the main window's lists and saves
// it again, printing both times (best of three) and the file size.

#include "datafiles/masterdatafile.h"
#include "shell/mainwindow.h"
#include "state/invoicestate.h"
#include "timing.h"
#include "toolkit/toolkit.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const int kCustomers = sized(100000, 500);
const int kArticles = sized(10000, 50);
const int kRuns = sized(3, 1);

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Lines shaped like real records, umlauts included.
void writeSampleFile() {
    std::ofstream out("Daten.dat", std::ios::binary);
    out << kCustomers << "\r\n";
    for (int i = 0; i < kCustomers; ++i)
        out << (i % 2 ? "Herr" : "Frau")
            << "|M\xFCller-L\xFC"
               "denscheid "
            << i << "|Hans-J\xFCrgen|" << (i % 3 ? "" : "c/o Firma Beispiel GmbH")
            << "|Hauptstra\xDF"
               "e "
            << i % 300 << "|" << 10000 + i % 89999 << " K\xF6ln\r\n";
    out << kArticles << "\r\n";
    for (int i = 0; i < kArticles; ++i)
        out << "Artikel " << i << "|Kategorie " << i % 40 << "|" << i % 1000 << "," << i % 100
            << "|Beschreibung des Artikels Nummer " << i << "\r\n";
    out << 12345 << "\r\n";
}

} // namespace

int main() {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("masterdata_bench_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path previous = fs::current_path();
    fs::current_path(folder);
    if (!makeToolkitReady()) {
        std::fprintf(stderr, "the toolkit could not be made ready\n");
        return 1;
    }
    writeSampleFile();
    const auto sampleSize = fs::file_size("Daten.dat");

    double bestLoad = 1e9;
    double bestSave = 1e9;
    bool ok = true;
    for (int run = 0; run < kRuns; ++run) {
        resetToolkit();
        resetInvoiceState();
        buildMainWindow();
        auto start = std::chrono::steady_clock::now();
        loadMasterData();
        bestLoad = std::min(bestLoad, secondsSince(start));
        ok = ok && rowCount(kCustomerList) == kCustomers && rowCount(kArticleList) == kArticles &&
             invoiceState().invoiceCounter == 12345;

        start = std::chrono::steady_clock::now();
        ok = saveMasterData() && ok;
        bestSave = std::min(bestSave, secondsSince(start));
        ok = ok && fs::file_size("Daten.dat") == sampleSize;
    }

    std::printf("file size: %llu bytes (%d customers, %d articles)\n",
                static_cast<unsigned long long>(sampleSize), kCustomers, kArticles);
    std::printf("load: %.3f s (limit 0.5 s)\n", bestLoad);
    std::printf("save: %.3f s (limit 0.3 s)\n", bestSave);
    if (!ok)
        std::printf("the lists or the saved file did not match the sample\n");

    resetToolkit();
    fs::current_path(previous);
    fs::remove_all(folder);
    return ok ? 0 : 1;
}
