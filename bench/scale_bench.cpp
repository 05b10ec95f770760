// A data folder at scale: 100 000 customers, 10 000 articles, 100 000 register lines, 100 000 payments
// and the terms of 50 000 invoices. Measures, in one run, the time from process start to the main
// window ready for input (a fresh process each time), its peak memory, the time the line reader alone
// needs for the same three files, the invoice list's receivables columns computed for every row, and
// the deletion of one invoice with the rewrite of the register. Goals: ready in under 1 s, under
// 200 MB, loading at most 3 times the bare reading, the columns in under 100 ms, deletion under 100 ms.
//
//   scale_bench [folder]      the folder is made (and kept) when given, else a temporary one

#include "payments/openitemcolumns.h"
#include "runtime/linefile.h"
#include "shell/invoicedeletion.h"
#include "shell/mainwindow.h"
#include "shell/startup.h"
#include "timing.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_testing.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const int kCustomers = sized(100000, 300);
const int kArticles = sized(10000, 30);
const int kInvoices = sized(100000, 300);
const int kPayments = sized(100000, 300);
const int kRuns = sized(5, 1);
// The invoice the deletion takes, in the middle of the register.
const int kDeleted = kInvoices / 2;

double nowMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void makeFolder(const fs::path& folder) {
    fs::create_directories(folder / "Rechnungen");
    std::string master = std::to_string(kCustomers) + "\r\n";
    for (int i = 1; i <= kCustomers; ++i)
        master += (i % 2 ? "Herr|Kunde" : "Frau|M\xFCller") + std::to_string(i) + "|Vorname" +
                  std::to_string(i % 500) +
                  "||Hauptstra\xDF"
                  "e " +
                  std::to_string(i % 200) + "|" + std::to_string(10000 + i % 89999) + " Beispielstadt\r\n";
    master += std::to_string(kArticles) + "\r\n";
    for (int i = 1; i <= kArticles; ++i)
        master += "Artikel " + std::to_string(i) + "|Teile|" + std::to_string(i % 300) + ",50|Beschreibung " +
                  std::to_string(i) + "\r\n";
    master += std::to_string(kInvoices) + "\r\n";
    writeFile(folder / "Daten.dat", master);
    std::string reg;
    for (int n = 1; n <= kInvoices; ++n)
        reg += std::to_string(n) + "|Kunde" + std::to_string(n % 977) + "|" + std::to_string(n % 311 + 1) +
               "|" + std::to_string(n % 5000) + ",90|06.12.2026\r\n";
    writeFile(folder / "ReData.dat", reg);
    // The later half of the invoices have terms, due on the 20th of December, some with a discount;
    // every invoice has a payment, some of them two.
    std::string terms;
    for (int n = kInvoices / 2 + 1; n <= kInvoices; ++n)
        terms += std::to_string(n) + "|06.12.2026|20.12.2026|" + std::to_string(n % 5000) + ",90|" +
                 (n % 3 ? "|\r\n" : "13.12.2026|2,00\r\n");
    writeFile(folder / "Forderungen.dat", terms);
    std::string payments;
    for (int i = 0; i < kPayments; ++i)
        payments += std::to_string(i % (kInvoices * 7 / 10) + 1) + "|10.12.2026|" + std::to_string(i % 3000) +
                    ",00|\xDC" + "berweisung\r\n";
    writeFile(folder / "Zahlungen.dat", payments);
    std::string options = "Firma\r\n\r\n18\r\nWeg 1\r\n6\r\n10\r\n8\r\n7\r\n";
    for (const char* footer : {"Adresse", "Telefon Telefax", "Bankverbindung", "Name Steuernummer"})
        for (int i = 0; i < 5; ++i)
            options += std::string(footer) + "\r\n";
    options += "12/345\r\n19\r\n0";
    writeFile(folder / "Option.ini", options);
    writeFile(folder / "Rechnungen" / (std::to_string(kDeleted) + ".txt"),
              "Herr\r\nMax Kunde\r\n\r\nWeg 1\r\nOrt\r\n1,90\r\n");
}

struct StartFigures {
    double readyMs = 0;
    long peakMb = 0;
};

// The child: the real start-up, then everything Qt still has to do before the window takes input.
int childStart(double spawnedAtMs) {
    if (!startProgram())
        return 1;
    QWidget* window = windowWidget(kMainWindow);
    QApplication::processEvents();
    window->repaint();
    QApplication::processEvents();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%.3f %ld %d %d %d\n", nowMs() - spawnedAtMs, usage.ru_maxrss / 1024, rowCount(kCustomerList),
                rowCount(kArticleList), rowCount(kInvoiceList));
    return 0;
}

// Starts this program as a child in the folder and reads its figures.
StartFigures measureStart(const std::string& self, const fs::path& folder, int expectedCustomers) {
    int out[2];
    if (pipe(out) != 0)
        std::exit(2);
    const double spawned = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        if (chdir(folder.c_str()) != 0)
            _exit(3);
        const std::string at = std::to_string(spawned);
        execl(self.c_str(), self.c_str(), "--child-start", at.c_str(), static_cast<char*>(nullptr));
        _exit(4);
    }
    close(out[1]);
    char buffer[256] = {};
    const ssize_t got = read(out[0], buffer, sizeof buffer - 1);
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    StartFigures figures;
    int customers = -1, articles = -1, invoices = -1;
    if (got <= 0 ||
        std::sscanf(buffer, "%lf %ld %d %d %d", &figures.readyMs, &figures.peakMb, &customers, &articles,
                    &invoices) != 5 ||
        customers != expectedCustomers) {
        std::fprintf(stderr, "the start in %s failed (status %d)\n", folder.c_str(), status);
        std::exit(5);
    }
    return figures;
}

// The line reader alone on the files the start reads lines of, as the loaders read them.
double bareReadMs(const fs::path& folder) {
    fs::current_path(folder);
    const double start = nowMs();
    std::size_t lines = 0;
    for (const char* name : {"Daten.dat", "ReData.dat", "Option.ini", "Zahlungen.dat", "Forderungen.dat"}) {
        if (openForReading(0, name) == 0)
            std::exit(6);
        while (atEnd(0) == 0) {
            lines += readLine(0).size() > 0;
        }
        closeFile(0);
    }
    const double ms = nowMs() - start;
    if (lines < static_cast<std::size_t>(kCustomers + kArticles + kInvoices))
        std::exit(7);
    return ms;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// One invoice in the middle of the register: its item file, its row, the message and the rewrite.
double deleteOneMs(const fs::path& folder) {
    fs::current_path(folder);
    if (!startProgram())
        std::exit(8);
    // "Ja" to "wirklich gelöscht werden?".
    setMessageAnswerer([](const std::string&, const std::string&, int flags) {
        return flags == kMessageYesNo ? kAnswerYes : kAnswerOk;
    });
    setState(kInvoiceList, kDeleted - 1);
    const double start = nowMs();
    deleteSelectedInvoice();
    const double ms = nowMs() - start;
    if (rowCount(kInvoiceList) != kInvoices - 1 ||
        fs::exists(folder / "Rechnungen" / (std::to_string(kDeleted) + ".txt")))
        std::exit(9);
    shutDownProgram();
    return ms;
}

// The receivables columns of every row, computed again as the start computes them: the medians of the
// time passed and of the processor time taken (on a shared machine the first waits for others).
struct ColumnFigures {
    double ms = 0;
    double cpuMs = 0;
};

double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000 + static_cast<double>(now.tv_nsec) / 1e6;
}

ColumnFigures openItemsMs(const fs::path& folder) {
    fs::current_path(folder);
    if (!startProgram())
        std::exit(10);
    std::vector<double> runs;
    std::vector<double> cpu;
    for (int run = 0; run < kRuns; ++run) {
        const double start = nowMs();
        const double startCpu = threadCpuMs();
        fillOpenItemColumns();
        cpu.push_back(threadCpuMs() - startCpu);
        runs.push_back(nowMs() - start);
    }
    shutDownProgram();
    return {median(runs), median(cpu)};
}

const char* verdict(bool met) {
    return met ? "met" : "MISSED";
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (argc == 3 && std::string(argv[1]) == "--child-start")
        return childStart(std::atof(argv[2]));
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    const bool keep = argc > 1;
    const fs::path base = keep ? fs::absolute(argv[1])
                               : fs::temp_directory_path() / ("scale_bench_" + std::to_string(getpid()));
    const fs::path full = base / "full";
    const fs::path empty = base / "empty";
    fs::remove_all(base);
    fs::create_directories(empty);
    makeFolder(full);
    // Files still being written back to the disk read slower; every run should find them settled.
    sync();

    std::vector<double> fullMs, emptyMs, readMs;
    long peakMb = 0;
    for (int run = 0; run < kRuns; ++run) {
        const StartFigures f = measureStart(self, full, kCustomers);
        fullMs.push_back(f.readyMs);
        peakMb = std::max(peakMb, f.peakMb);
        emptyMs.push_back(measureStart(self, empty, 0).readyMs);
        readMs.push_back(bareReadMs(full));
    }
    makeToolkitReady();
    const ColumnFigures columns = openItemsMs(full);
    const double deleteMs = deleteOneMs(full);

    const double ready = median(fullMs);
    const double loading = ready - median(emptyMs);
    const double reading = median(readMs);
    std::printf("scale: %d customers, %d articles, %d register lines, %d payments (%.1f MB of files), median "
                "of %d runs\n",
                kCustomers, kArticles, kInvoices, kPayments,
                static_cast<double>(fs::file_size(full / "Daten.dat") + fs::file_size(full / "ReData.dat") +
                                    fs::file_size(full / "Zahlungen.dat") +
                                    fs::file_size(full / "Forderungen.dat")) /
                    1e6,
                kRuns);
    std::printf("  start to main window ready: %.0f ms (goal < 1000 ms: %s)\n", ready, verdict(ready < 1000));
    std::printf("  start with an empty folder: %.0f ms\n", median(emptyMs));
    std::printf("  peak memory: %ld MB (goal < 200 MB: %s)\n", peakMb, verdict(peakMb < 200));
    std::printf("  line reader alone, five files: %.1f ms\n", reading);
    std::printf("  loading share of the start: %.0f ms = %.1f x the bare reading (goal <= 3: %s)\n", loading,
                loading / reading, verdict(loading <= 3 * reading));
    std::printf(
        "  receivables columns of every row: %.1f ms, %.1f ms of processor time (goal < 100 ms: %s)\n",
        columns.ms, columns.cpuMs, verdict(columns.ms < 100));
    std::printf("  delete one invoice, register rewrite included: %.1f ms (goal < 100 ms: %s)\n", deleteMs,
                verdict(deleteMs < 100));
    if (!keep)
        fs::remove_all(base);
    return 0;
}
