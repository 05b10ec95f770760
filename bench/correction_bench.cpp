// Time to cancel an 18-line invoice of three rates with company data as "Stornieren" does after the
// question, without the print dialog: the printout into a PDF file, the item file, line record,
// Korrekturen.dat and register line, and the type 381 e-invoice (XML, Factur-X PDF) in the archive with
// its checksum lines, which wait for the disk. The first run loads fonts and the like; medians are of
// the others.

#include "invoicing/correction.h"
#include "printing/printtarget.h"
#include "runtime/numbers.h"
#include "shell/startup.h"
#include "state/settings.h"
#include "timing.h"
#include "toolkit/toolkit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const int kRuns = sized(25, 2);
constexpr int kLines = 18;

void write(const std::string& name, const std::string& bytes) {
    QFile file(QString::fromStdString(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// One customer with e-invoice data, company data, and kRuns invoices of 18 lines to cancel.
void writeFolder() {
    write("Daten.dat", "1\r\nFrau|Mustermann|Erika||Lindenweg 4|48143 M\xFCnster|erika@amt.de||"
                       "|48143|M\xFCnster|DE\r\n0\r\n" +
                           std::to_string(kRuns) + "\r\n");
    write("Firma.ini",
          "Firmenname=Holzwerk Beispiel\r\nStrasse=S\xE4geweg 1\r\nPLZ=12345\r\nOrt=Musterstadt\r\n"
          "Land=DE\r\nEMail=rechnung@holzwerk.de\r\nSteuernummer=12/345/67890\r\n"
          "UStIdNr=DE123456789\r\nIBAN=DE02120300000000202051\r\n");
    QDir().mkpath("Rechnungen");
    const char* const rates[] = {"19|S|C62", "7|S|KGM", "0|Z|HUR"};
    std::string lines;
    for (int i = 1; i <= kLines; ++i)
        lines += "Schraube " + std::to_string(i) + "|M6 x 40 verzinkt|2|11,90|23,80|" + rates[i % 3] + "\r\n";
    std::string reg;
    for (int n = 1; n <= kRuns; ++n) {
        write("Rechnungen/" + std::to_string(n) + ".txt", "Frau\r\nErika Mustermann\r\n");
        write("Rechnungen/" + std::to_string(n) + "-Zeilen.txt", lines);
        reg += std::to_string(n) + "|Mustermann|1|428,40|01.12.2026|\r\n";
    }
    write("ReData.dat", reg);
}

} // namespace

int main() {
    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path()))
        return 1;
    writeFolder();
    if (!startProgram())
        return 1;
    settings().taxRate = "19";
    bool failed = false;
    setMessageAnswerer([&failed](const std::string& caption, const std::string& text, int) {
        failed = true;
        std::fprintf(stderr, "%s %s\n", caption.c_str(), text.c_str());
        return kAnswerOk;
    });
    printTarget().kind = PrintTargetKind::PdfFile;
    printTarget().pdfPath = dir.filePath("druck.pdf").toStdString();
    std::vector<double> times;
    for (int run = 0; run < kRuns && !failed; ++run) {
        const auto start = std::chrono::steady_clock::now();
        if (issueCorrection({CorrectionKind::Cancellation, run, {}, {}}) != CorrectionOutcome::Issued)
            failed = true;
        times.push_back(msSince(start));
    }
    // Each cancellation went into the archive as an e-invoice, not as a paper copy alone.
    if (failed || !QFile::exists(QString("Archiv/%1.xml").arg(kRuns + 1)))
        return 1;
    std::printf("cancellation of %d lines, %d runs\n", kLines, kRuns);
    const double median = report("printout, register, archive:", times);
    std::printf("goal: < 100 ms\n");
    shutDownProgram();
    return goalPasses(median < 100) ? 0 : 1;
}
