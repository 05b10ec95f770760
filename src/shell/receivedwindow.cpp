#include "shell/receivedwindow.h"

#include "archive/archivefiles.h"
#include "incoming/invoicecheck.h"
#include "incoming/invoiceview.h"
#include "incoming/keepreceived.h"
#include "incoming/readreceived.h"
#include "runtime/codepage.h"
#include "runtime/linefile.h"
#include "toolkit/toolkit.h"

#include <memory>

namespace {

// The window's one invoice; a new one replaces it, closing the window forgets it.
std::unique_ptr<ShownReceived> theShown;

constexpr int kWidth = 900;
constexpr int kHeight = 650;
// The lines table's columns, in pixels.
constexpr int kLineColumnWidths[] = {40, 180, 230, 70, 80, 90, 90, 70};

void buildWindow(const incoming::InvoiceView& view) {
    if (!openWindow(kReceivedInvoiceWindow, 0, 0, kWidth, kHeight, view.title,
                    kWindowCaption | kWindowCloseBox | kWindowCentredOnOwner, kMainWindow))
        return;
    onWindowClosed(kReceivedInvoiceWindow, [] { theShown.reset(); });
    useControlList(kReceivedInvoiceWindow);
    createPushButton(kReceivedPrintButton, 10, 10, 80, 24, "Drucken");
    createPushButton(kReceivedKeepButton, 95, 10, 170, 24, "In Eingangsrechnungen ablegen");
    createPushButton(kReceivedAttachmentsButton, 270, 10, 120, 24, "Anh\xE4nge speichern...");
    createReportList(kReceivedFindingsList, 10, 40, kWidth - 20, 80,
                     "Pr\xFC"
                     "fung",
                     kWidth - 40, kReportListFlags);
    addRow(kReceivedFindingsList, -1, view.headline);
    for (const std::string& finding : view.findings)
        addRow(kReceivedFindingsList, -1, finding);
    createReportList(kReceivedDetailsList, 10, 125, kWidth - 20, 300, "Angabe", 230, kReportListFlags);
    addColumn(kReceivedDetailsList, 1, "Inhalt", kWidth - 270);
    for (const auto& [label, value] : view.details)
        addRow(kReceivedDetailsList, -1, label + "\n" + value);
    createReportList(kReceivedLinesList, 10, 430, kWidth - 20, kHeight - 440, incoming::kLineColumns[0],
                     kLineColumnWidths[0], kReportListFlags);
    for (std::size_t c = 1; c < incoming::kLineColumns.size(); ++c)
        addColumn(kReceivedLinesList, static_cast<int>(c), incoming::kLineColumns[c], kLineColumnWidths[c]);
    for (const incoming::LineRow& line : view.lines) {
        std::string row;
        for (std::size_t c = 0; c < line.size(); ++c)
            row += (c == 0 ? "" : "\n") + line[c];
        addRow(kReceivedLinesList, -1, row);
    }
}

} // namespace

const ShownReceived* shownReceived() {
    return theShown.get();
}

void resetShownReceived() {
    theShown.reset();
}

void showReceivedFile(const std::string& path) {
    incoming::ReceivedFile file = incoming::readReceivedFile(path);
    if (!file.result.invoice) {
        messageBox("Fehler!", incoming::unreadableText(file.result.refusal), kMessageOk);
        return;
    }
    auto shown = std::make_unique<ShownReceived>();
    shown->findings = incoming::checkInvoice(*file.result.invoice);
    shown->invoice = std::move(*file.result.invoice);
    shown->original = std::move(file.bytes);
    const incoming::InvoiceView view = incoming::viewOf(shown->invoice, shown->findings);
    // The window of the invoice before closes first and forgets its own.
    closeWindow(kReceivedInvoiceWindow);
    theShown = std::move(shown);
    buildWindow(view);
}

void openEInvoiceClicked() {
    const std::string path = askOpenFileName(kMainWindow,
                                             "E-Rechnung \xF6"
                                             "ffnen",
                                             "E-Rechnungen (*.xml *.pdf)");
    if (!path.empty())
        showReceivedFile(path);
}

void openKeptInvoice() {
    const int row = getState(kReceivedList);
    if (row < 0)
        return;
    const std::string name = toUtf8(getCell(kReceivedList, row, kReceivedFileColumn));
    showReceivedFile(platformPath(archivePath(name, incoming::kIncomingFolder)));
}
