// The handover to the tax adviser at scale: the DATEV batch and the VAT figures of a year with 10 000
// invoices (goal: under 1 s each), and the backup of the scale benchmark's data folder (100 000
// customers, 10 000 articles, 100 000 register lines) with one and with 100 000 item files (goal:
// under 10 s), and one restoration of the first (every file written through the atomic replacement,
// so it waits for the disk once per file). Release build; medians of 5 runs after a first.

#include "accounting/datev.h"
#include "accounting/vatreturn.h"
#include "backup/backupzip.h"
#include "timing.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;
using namespace accounting;

namespace {

// Fewer runs and a smaller year and folder in the quick run CTest makes.
const int kRuns = sized(6, 2);
const int kInvoices = sized(10000, 200);
const int kRows = sized(100000, 500);

std::vector<InvoiceRecord> yearOfInvoices() {
    std::vector<InvoiceRecord> invoices;
    for (int n = 1; n <= kInvoices; ++n) {
        InvoiceRecord r;
        r.number = std::to_string(n);
        r.date = dateValueOf(2026, 1 + n % 12, 1 + n % 28);
        r.customerNumber = 1 + n % 5000;
        r.customerName = "Kunde " + std::to_string(n % 977) + " M\xFCller & S\xF6hne \"Bau\"";
        r.kind = n % 50 == 0 ? DocumentKind::Cancellation : DocumentKind::Invoice;
        const std::int64_t sign = r.kind == DocumentKind::Cancellation ? -1 : 1;
        r.parts.push_back(
            {"S", money::Rate{1900}, money::Amount{sign * (1000 + n)}, money::Amount{sign * 190}});
        if (n % 3 == 0)
            r.parts.push_back({"S", money::Rate{700}, money::Amount{500}, money::Amount{35}});
        invoices.push_back(std::move(r));
    }
    return invoices;
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The scale benchmark's folder; with item files, one per register line.
void makeFolder(const fs::path& folder, bool itemFiles) {
    fs::create_directories(folder / "Rechnungen");
    std::string master = std::to_string(kRows) + "\r\n";
    for (int i = 1; i <= kRows; ++i)
        master += (i % 2 ? "Herr|Kunde" : "Frau|M\xFCller") + std::to_string(i) + "|Vorname" +
                  std::to_string(i % 500) +
                  "||Hauptstra\xDF"
                  "e " +
                  std::to_string(i % 200) + "|" + std::to_string(10000 + i % 89999) + " Beispielstadt\r\n";
    master += "10000\r\n";
    for (int i = 1; i <= 10000; ++i)
        master += "Artikel " + std::to_string(i) + "|Teile|" + std::to_string(i % 300) + ",50|Beschreibung " +
                  std::to_string(i) + "\r\n";
    writeFile(folder / "Daten.dat", master + std::to_string(kRows) + "\r\n");
    std::string reg;
    for (int n = 1; n <= kRows; ++n)
        reg += std::to_string(n) + "|Kunde" + std::to_string(n % 977) + "|" + std::to_string(n % 311 + 1) +
               "|" + std::to_string(n % 5000) + ",90|06.12.2026\r\n";
    writeFile(folder / "ReData.dat", reg);
    for (int n = itemFiles ? 1 : kRows / 2; n <= (itemFiles ? kRows : kRows / 2); ++n)
        writeFile(folder / "Rechnungen" / (std::to_string(n) + ".txt"),
                  "Herr\r\nMax Kunde\r\n\r\nWeg 1\r\nOrt\r\nSchraube 0,50 M6\r\n1,90\r\n");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const std::vector<InvoiceRecord> invoices = yearOfInvoices();
    const AccountingSetup setup{29098, 55003, Chart::Skr03, 1, 1, 4, DebtorMode::PerCustomer, {}, 0};
    const Period year{dateValueOf(2026, 1, 1), dateValueOf(2026, 12, 31)};
    std::vector<double> datev, vat;
    std::size_t bytes = 0;
    for (int run = 0; run < kRuns; ++run) {
        auto start = std::chrono::steady_clock::now();
        bytes = datevBookingBatch(invoices, {}, setup, year, dateValueOf(2027, 1, 5)).bytes.size();
        datev.push_back(msSince(start));
        start = std::chrono::steady_clock::now();
        const auto figures = vatFigures(invoices, year);
        vat.push_back(msSince(start));
    }
    std::printf("DATEV batch of 10 000 invoices (%zu bytes):", bytes);
    report("", datev);
    std::printf("VAT figures of 10 000 invoices:");
    report("", vat);

    for (const bool itemFiles : {false, true}) {
        QTemporaryDir dir;
        const fs::path folder = fs::path(dir.path().toStdString()) / "Daten";
        makeFolder(folder, itemFiles);
        QDir::setCurrent(QString::fromStdString(folder.string()));
        std::vector<double> backup;
        const std::string zip = (fs::path(dir.path().toStdString()) / "Sicherung.zip").string();
        for (int run = 0; run < kRuns; ++run) {
            const auto start = std::chrono::steady_clock::now();
            const BackupOutcome written = writeBackup(zip, {}, dateValueOf(2027, 1, 5));
            backup.push_back(msSince(start));
            if (!written.written) {
                std::printf("failed: %s\n", written.problem.c_str());
                return 1;
            }
        }
        std::printf("%s: %ju bytes of ZIP\n",
                    itemFiles ? "with 100 000 item files" : "scale data, one item file",
                    static_cast<std::uintmax_t>(fs::file_size(zip)));
        report("  backup:", backup);
        if (itemFiles)
            continue;
        const auto start = std::chrono::steady_clock::now();
        const RestoreOutcome restored =
            restoreBackup(zip, (fs::path(dir.path().toStdString()) / "Neu").string());
        std::printf("  restore once: %.0f ms (%s)\n", msSince(start),
                    restored.restored ? "restored" : "failed");
    }
    return 0;
}
