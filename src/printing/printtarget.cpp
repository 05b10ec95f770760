#include "printing/printtarget.h"

#include "printing/recordingdevice.h"
#include "runtime/codepage.h"

#include <QApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <cmath>

namespace {

PrintTarget theTarget;

// Printer drivers report the printable size in whole millimetres, cut off, not rounded. The small
// allowance keeps 200 mm from reading as 199.999... and losing a millimetre.
int wholeMillimetres(qreal mm) {
    return static_cast<int>(std::floor(mm + 1e-6));
}

std::unique_ptr<PrintDevice> openDialogPrinter(std::string_view documentName) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setCopyCount(1);
    // Copies and collation chosen in the dialog go to the driver; the page is drawn once.
    QPrintDialog dialog(printer.get(), QApplication::activeWindow());
    dialog.setMinMax(1, 65535);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    printer->setDocName(toQString(documentName));
    return std::make_unique<PrintDevice>(std::move(printer));
}

std::unique_ptr<PrintDevice> openPdfPrinter(const PrintTarget& target, std::string_view documentName) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setResolution(target.pdfResolution);
    const qreal margin = target.pdfMarginMm;
    printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                       QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter));
    printer->setOutputFileName(QString::fromStdString(target.pdfPath));
    printer->setDocName(toQString(documentName));
    return std::make_unique<PrintDevice>(std::move(printer));
}

} // namespace

PrintDevice::PrintDevice(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {}

PrintDevice::PrintDevice(const PrintableArea& area, int pageLimit)
    : recorder_(std::make_unique<RecordingDevice>(area, pageLimit)) {}

PrintDevice::~PrintDevice() = default;

QPaintDevice* PrintDevice::paintDevice() const {
    if (printer_)
        return printer_.get();
    return recorder_.get();
}

PrintableArea PrintDevice::printableArea() const {
    if (recorder_)
        return recorder_->area();
    // QPrinter measures from the printable area unless told to use the full page.
    const QRectF mm = printer_->pageLayout().paintRect(QPageLayout::Millimeter);
    return {printer_->width(), printer_->height(), wholeMillimetres(mm.width()),
            wholeMillimetres(mm.height())};
}

bool PrintDevice::newPage() {
    return recorder_ ? recorder_->newPage() : printer_->newPage();
}

const PrintRecording* PrintDevice::recording() const {
    return recorder_ ? &recorder_->recording() : nullptr;
}

PrintTarget& printTarget() {
    return theTarget;
}

void resetPrintTarget() {
    theTarget = PrintTarget{};
}

std::unique_ptr<PrintDevice> openPrintDevice(const PrintTarget& target, std::string_view documentName) {
    switch (target.kind) {
    case PrintTargetKind::Dialog:
        return openDialogPrinter(documentName);
    case PrintTargetKind::PdfFile:
        return openPdfPrinter(target, documentName);
    case PrintTargetKind::Recorder:
        return std::make_unique<PrintDevice>(target.recorderArea, target.recorderPageLimit);
    case PrintTargetKind::Cancelled:
        return nullptr;
    }
    return nullptr;
}
