// The archive over years: adding an invoice to a checksum list of 10 000 lines (the list is read whole
// and written anew each time) against an empty list, and "Archiv prüfen" over 1 000 invoices of
// realistic size. Medians of repeated runs; the files sit in the page cache after the first run.

#include "archive/archivecheck.h"
#include "archive/archivefiles.h"
#include "archive/archivewriter.h"
#include "archive/checksumchain.h"
#include "runtime/atomicsave.h"
#include "runtime/linefile.h"
#include "timing.h"

#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// 4 286 invoices, every third with an XRechnung, make 10 000 files.
const int kListInvoices = sized(4286, 30);
const int kInvoices = sized(1000, 20);
const int kRuns = sized(15, 2);

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Bytes that differ from invoice to invoice, of about the size the e-invoice writer gives.
std::string content(int number, std::size_t size) {
    std::string bytes(size, ' ');
    unsigned state = static_cast<unsigned>(number) * 2654435761u + 1;
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 24);
    }
    return bytes;
}

struct Written {
    int lines = 0;
    double megabytes = 0;
};

// An archive folder whose list has one line per file and whose files are there, written directly;
// every third invoice has an XRechnung.
std::optional<Written> writeArchive(int invoices, bool withFiles) {
    Written written;
    std::filesystem::remove_all("Archiv");
    std::filesystem::create_directory("Archiv");
    ReplacementFile list(archivePath(kChainFileName));
    std::string previous;
    for (int n = 1; n <= invoices; ++n) {
        for (const std::string& name : invoiceFileNames(n, n % 3 == 0)) {
            const std::string bytes = content(n, name.ends_with(".pdf") ? 80000 : 25000);
            if (withFiles)
                std::ofstream("Archiv/" + name, std::ios::binary) << bytes;
            std::string line =
                chainLine(name, sha256Hex(bytes), previous.empty() ? std::nullopt : std::optional(previous));
            list.writeLine(line);
            previous = std::move(line);
            ++written.lines;
            written.megabytes += static_cast<double>(bytes.size()) / 1e6;
        }
    }
    return list.commit() ? std::optional(written) : std::nullopt;
}

// Archives kRuns invoices after the existing ones; the median time of one.
double archiveMedian(int firstNumber) {
    const std::string xml = content(firstNumber, 25000);
    const std::string pdf = content(firstNumber, 80000);
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (archiveInvoice(firstNumber + i, xml, pdf, std::nullopt) != ArchiveOutcome::Archived)
            std::printf("invoice %d not archived\n", firstNumber + i);
        times.push_back(millisecondsSince(start));
    }
    return median(times);
}

} // namespace

int main() {
    QTemporaryDir dir;
    const QString oldCwd = QDir::currentPath();
    if (!dir.isValid() || !QDir::setCurrent(dir.path()))
        return 1;

    std::filesystem::create_directory("Archiv");
    const double emptyList = archiveMedian(1);
    // The lines of 4 286 invoices, without their files: only the list's length matters here.
    const std::optional<Written> longList = writeArchive(kListInvoices, false);
    if (!longList)
        return 1;
    const std::int64_t listBytes = fileSize(archivePath(kChainFileName));
    const double onLongList = archiveMedian(kListInvoices + 1);
    std::printf("archive one invoice (XML 25 kB, PDF 80 kB): list of 0 lines %.1f ms, list of %d lines "
                "(%lld bytes) %.1f ms (medians of %d)\n",
                emptyList, longList->lines, static_cast<long long>(listBytes), onLongList, kRuns);

    const std::optional<Written> archive = writeArchive(kInvoices, true);
    if (!archive)
        return 1;
    std::vector<double> checks;
    std::vector<double> processor;
    ArchiveCheck result;
    for (int i = 0; i < 5; ++i) {
        const std::clock_t cpuStart = std::clock();
        const auto start = std::chrono::steady_clock::now();
        result = verifyArchive();
        checks.push_back(millisecondsSince(start));
        processor.push_back(1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
    }
    std::printf("Archiv pr\xC3\xBC"
                "fen over %d invoices (%d files, %.0f MB): %.0f ms, processor %.0f ms (medians of 5): %s\n",
                kInvoices, archive->lines, archive->megabytes, median(checks), median(processor),
                describeArchiveCheck(result).c_str());
    QDir::setCurrent(oldCwd);
    return result.problem == ArchiveProblem::None && result.invoices == kInvoices ? 0 : 2;
}
