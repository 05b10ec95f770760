#include "shell/receivedcommands.h"

#include "incoming/invoiceview.h"
#include "incoming/keepreceived.h"
#include "printing/reportprintout.h"
#include "runtime/atomicsave.h"
#include "shell/receivedwindow.h"
#include "toolkit/toolkit.h"

namespace {

// The lines table's columns on paper, as shares of the width.
const std::vector<int> kLineShares = {5, 18, 26, 8, 9, 13, 13, 8};

ReportPrintout printoutOf(const incoming::InvoiceView& view) {
    ReportPrintout report;
    report.title = view.title;
    report.headLines.push_back(view.headline);
    report.headLines.insert(report.headLines.end(), view.findings.begin(), view.findings.end());
    report.details = view.details;
    report.columnTitles.assign(incoming::kLineColumns.begin(), incoming::kLineColumns.end());
    report.columnShares = kLineShares;
    for (const incoming::LineRow& line : view.lines)
        report.rows.emplace_back(line.begin(), line.end());
    return report;
}

} // namespace

void printReceivedClicked() {
    const ShownReceived* shown = shownReceived();
    if (!shown)
        return;
    if (printReport(printoutOf(incoming::viewOf(shown->invoice, shown->findings))) == PrintOutcome::Refused)
        messageBox("Fehler!", "Die E-Rechnung konnte nicht gedruckt werden!", kMessageOk);
}

void keepReceivedClicked() {
    const ShownReceived* shown = shownReceived();
    if (!shown)
        return;
    switch (incoming::keepReceived(shown->invoice, shown->original)) {
    case incoming::KeepOutcome::Kept:
        return;
    case incoming::KeepOutcome::AlreadyKept:
        messageBox("Hinweis!", "Diese E-Rechnung ist bereits in den Eingangsrechnungen abgelegt.",
                   kMessageOk);
        return;
    case incoming::KeepOutcome::Failed:
        messageBox("Fehler!", "Die E-Rechnung konnte nicht abgelegt werden!", kMessageOk);
        return;
    }
}

void saveAttachmentsClicked() {
    const ShownReceived* shown = shownReceived();
    if (!shown)
        return;
    const std::vector<einvoice::Attachment>& attachments = shown->invoice.document.attachments;
    bool any = false;
    for (std::size_t i = 0; i < attachments.size(); ++i) {
        if (attachments[i].content.empty())
            continue;
        any = true;
        const std::string name = incoming::attachmentFileName(attachments[i], i);
        const std::string path =
            askSaveFileName(kReceivedInvoiceWindow, "Anhang speichern", name, "Alle Dateien (*)");
        if (path.empty())
            return;
        ReplacementFile file(path, SaveMode::Replace, FileNaming::Platform);
        file.writeText(attachments[i].content);
        if (!file.commit())
            messageBox("Fehler!", "Der Anhang " + name + " konnte nicht gespeichert werden!", kMessageOk);
    }
    if (!any)
        messageBox("Hinweis!", "Diese E-Rechnung hat keine eingebetteten Anh\xE4nge.", kMessageOk);
}
