#include "printing/invoicepdf.h"

#include "printing/invoiceprintout.h"
#include "printing/printjob.h"
#include "printing/printtarget.h"

#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

namespace {

// The printout's device and scale, put aside while the PDF is drawn: tests and the program read
// what the last printout left.
class HeldPrintout {
  public:
    // A job still open (the recurring invoices' one job) keeps its painter, and goes on after the PDF.
    HeldPrintout()
        : device_(std::move(printJob().device)), painter_(std::move(printJob().painter)),
          x_(printJob().pixelsPerMmX), y_(printJob().pixelsPerMmY), width_(printJob().widthMm),
          height_(printJob().heightMm), page_(printJob().page) {}
    ~HeldPrintout() {
        resetPrintJob();
        PrintJob& job = printJob();
        job.device = std::move(device_);
        job.painter = std::move(painter_);
        job.pixelsPerMmX = x_;
        job.pixelsPerMmY = y_;
        job.widthMm = width_;
        job.heightMm = height_;
        job.page = page_;
    }
    HeldPrintout(const HeldPrintout&) = delete;
    HeldPrintout& operator=(const HeldPrintout&) = delete;

  private:
    std::unique_ptr<PrintDevice> device_;
    std::unique_ptr<QPainter> painter_;
    float x_;
    float y_;
    float width_;
    float height_;
    int page_;
};

std::unique_ptr<PrintDevice> pdfDevice(const QString& path) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
    printer->setResolution(1200);
    printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5),
                                       QPageLayout::Millimeter));
    printer->setOutputFileName(path);
    return std::make_unique<PrintDevice>(std::move(printer));
}

} // namespace

std::optional<std::string> invoicePdf() {
    return documentPdf(drawInvoice);
}

std::optional<std::string> documentPdf(const std::function<bool()>& draw) {
    // Qt's PDF printer writes only to a file; it lives in a folder of its own outside the data folder.
    QTemporaryDir folder;
    if (!folder.isValid())
        return std::nullopt;
    const QString path = folder.filePath(QStringLiteral("rechnung.pdf"));
    {
        HeldPrintout held;
        if (!beginPrintoutOn(pdfDevice(path)))
            return std::nullopt;
        const bool drawn = draw();
        if (!endPrintout() || !drawn)
            return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty())
        return std::nullopt;
    return bytes.toStdString();
}
