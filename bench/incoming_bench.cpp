// Received e-invoices: opening a 1 000-line invoice, as bare XML and as a hybrid PDF, and showing it in
// its window (the handler the menu item runs: read the file, check it, build the window and its lists,
// draw it once); and reading and checking all official examples together. Medians of the runs after
// the first.

#include "einvoice/ciiwriter.h"
#include "einvoice/facturx.h"
#include "incoming/invoicecheck.h"
#include "incoming/readreceived.h"
#include "shell/receivedwindow.h"
#include "timing.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_testing.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdlib>

namespace {

constexpr int kRuns = 11;
constexpr int kLines = 1000;

einvoice::Document thousandLines() {
    einvoice::Document doc;
    doc.number = "R-2026-1000";
    doc.issueDate = dateValueOf(2026, 12, 7);
    doc.dueDate = dateValueOf(2026, 12, 21);
    doc.rate = money::parse<money::Rate>("19");
    doc.seller = {"Holzwerk Beispiel GmbH",
                  "Erika Beispiel",
                  "S\xE4geweg 1",
                  "12345",
                  "Musterstadt",
                  "DE",
                  "+49 30 1234567",
                  "rechnung@holzwerk.de",
                  "12/345/67890",
                  "DE123456789",
                  "DE02120300000000202051",
                  "BYLADEM1001"};
    doc.buyer.name = "Erika Mustermann";
    doc.buyer.postcode = "48143";
    doc.buyer.city = "M\xFCnster";
    money::Amount sum;
    for (int i = 1; i <= kLines; ++i) {
        einvoice::Line line{"Schraube " + std::to_string(i),
                            "M6 x 40 verzinkt, Packung zu 100 St\xFC"
                            "ck",
                            money::Quantity{1000L * (i % 7 + 1)},
                            money::Price{1234500L + 100L * i},
                            {}};
        line.netAmount = *money::lineAmount(line.quantity, line.netPrice);
        sum = *money::add(sum, line.netAmount);
        doc.lines.push_back(line);
    }
    doc.totals = *money::totalsOf(sum, doc.rate, false);
    return doc;
}

std::string drawnPage() {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
    QPainter painter(&writer);
    painter.drawText(QPointF(500, 800), "Rechnung R-2026-1000");
    painter.end();
    return buffer.data().toStdString();
}

bool writeFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

// Opens the file through the menu item's handler and draws the window as the screen would.
double openAndShow(const std::string& path) {
    std::vector<double> ms;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        showReceivedFile(path);
        pollEvent();
        QWidget* window = windowWidget(kReceivedInvoiceWindow);
        if (!window || rowCount(kReceivedLinesList) != kLines)
            std::exit(1);
        window->grab();
        ms.push_back(msSince(start));
    }
    return report(path.ends_with(".pdf") ? "hybrid PDF: " : "XML:        ", ms);
}

} // namespace

int main() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (!makeToolkitReady() || !openWindow(kMainWindow, 0, 0, 800, 600, "Quillora", kMainWindowFlags))
        return 1;
    QTemporaryDir folder;
    const std::string xml = einvoice::ciiXml(thousandLines(), einvoice::Profile::En16931);
    const auto pdf = einvoice::makeFacturX(drawnPage(), xml, {"Rechnung", "Holzwerk", 0});
    const QString xmlPath = folder.filePath("rechnung.xml");
    const QString pdfPath = folder.filePath("rechnung.pdf");
    if (!pdf || !writeFile(xmlPath, xml) || !writeFile(pdfPath, *pdf))
        return 1;
    std::printf("a %d-line invoice (XML %zu bytes, PDF %zu bytes) opened and shown, %d runs\n", kLines,
                xml.size(), pdf->size(), kRuns);
    const double xmlMs = openAndShow(xmlPath.toStdString());
    const double pdfMs = openAndShow(pdfPath.toStdString());

    std::vector<std::string> examples;
    for (const char* sub : {"examples", "xrechnung-examples", "xrechnung-ubl-examples"}) {
        const QDir dir(QStringLiteral(QUILLORA_SOURCE_DIR "/tests/einvoice/") + sub);
        for (const QString& name : dir.entryList({"*.xml"})) {
            QFile file(dir.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                examples.push_back(file.readAll().toStdString());
        }
    }
    std::vector<double> ms;
    std::size_t findings = 0;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        findings = 0;
        for (const std::string& bytes : examples) {
            const incoming::ReadResult read = incoming::readReceived(bytes);
            if (!read.invoice)
                return 1;
            findings += incoming::checkInvoice(*read.invoice).size();
        }
        ms.push_back(msSince(start));
    }
    std::printf("%zu official examples read and checked (%zu findings), %d runs\n", examples.size(), findings,
                kRuns);
    const double checkMs = report("all examples:", ms);
    std::printf("goals: opened and shown < 300 ms (XML %s, PDF %s); all examples < 1000 ms (%s)\n",
                xmlMs < 300 ? "met" : "MISSED", pdfMs < 300 ? "met" : "MISSED",
                checkMs < 1000 ? "met" : "MISSED");
    return xmlMs < 300 && pdfMs < 300 && checkMs < 1000 ? 0 : 1;
}
