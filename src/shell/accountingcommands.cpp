#include "shell/accountingcommands.h"

#include "accounting/datev.h"
#include "accounting/periods.h"
#include "accounting/programrecords.h"
#include "runtime/atomicsave.h"
#include "runtime/codepage.h"
#include "runtime/folderbuilder.h"
#include "shell/perioddialog.h"
#include "shell/takenrow.h"
#include "shell/vatwindow.h"
#include "toolkit/toolkit.h"

using namespace accounting;

namespace {

void tellError(const std::string& text) {
    messageBox("Fehler!", text, kMessageOk);
}

// Register rows the exports could not read are named, so that none goes missing unnoticed.
std::string unreadableNote(const std::vector<std::string>& numbers) {
    if (numbers.empty())
        return {};
    std::string note = "\n\nOhne lesbares Datum oder lesbaren Betrag und daher nicht enthalten: Nr. ";
    for (std::size_t i = 0; i < numbers.size(); ++i)
        note += (i == 0 ? "" : ", ") + numbers[i];
    return note;
}

std::string shownPath(const std::string& path) {
    return fromQString(QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size())));
}

} // namespace

void datevExportClicked() {
    std::string reason;
    if (!programSetup(reason)) {
        tellError(reason);
        return;
    }
    openPeriodDialog("DATEV-Export", lastFinishedMonth(currentDate()), kDatevOkButton);
}

void datevPeriodChosen() {
    const std::optional<Period> period = typedPeriod();
    std::string reason;
    const std::optional<AccountingSetup> setup = period ? programSetup(reason) : std::nullopt;
    if (!period)
        return;
    if (!setup) {
        tellError(reason);
        return;
    }
    const bool withPayments = getState(kExportPaymentsBox) == 1;
    const ProgramRecords records = programRecords(*period);
    const DatevBatch batch =
        datevBookingBatch(records.invoices, withPayments ? records.payments : std::vector<PaymentRecord>{},
                          *setup, *period, currentDate());
    if (!batch.refusal.empty()) {
        tellError(batch.refusal);
        return;
    }
    if (batch.bookings == 0) {
        messageBox("Hinweis!", "Im Zeitraum gibt es keine Buchungen.", kMessageOk);
        return;
    }
    closePeriodDialog();
    const std::string name = "EXTF_Buchungsstapel_" + formatDate("%yyyy%mm%dd", period->from) + "_" +
                             formatDate("%yyyy%mm%dd", period->to) + ".csv";
    const std::string path = askSaveFileName(kMainWindow, "DATEV-Export", name, "CSV-Dateien (*.csv)");
    if (path.empty())
        return;
    ReplacementFile file(path, SaveMode::Replace, FileNaming::Platform);
    file.writeText(batch.bytes);
    if (!file.commit()) {
        tellError("Der DATEV-Export konnte nicht gespeichert werden!");
        return;
    }
    messageBox("Hinweis!",
               "DATEV-Export gespeichert: " + std::to_string(batch.bookings) + " Buchungen." +
                   unreadableNote(records.unreadable),
               kMessageOk);
}

void vatOverviewClicked() {
    openPeriodDialog("Umsatzsteuer-\xDC"
                     "bersicht",
                     lastFinishedMonth(currentDate()), kVatOkButton);
}

void vatPeriodChosen() {
    const std::optional<Period> period = typedPeriod();
    if (!period)
        return;
    if (!isMonthOrQuarter(*period)) {
        tellError("Die Umsatzsteuer-\xDC"
                  "bersicht gilt einem Monat oder einem Quartal (z. B. 01.04.2026 bis 30.06.2026).");
        return;
    }
    closePeriodDialog();
    openVatWindow(*period);
}

void auditExportClicked() {
    openPeriodDialog("Datenexport f\xFCr die Betriebspr\xFC"
                     "fung",
                     lastFinishedYear(currentDate()), kAuditOkButton);
}

void auditPeriodChosen() {
    const std::optional<Period> period = typedPeriod();
    if (!period)
        return;
    closePeriodDialog();
    const std::string folderPath = askFolderName(kMainWindow, "Datenexport f\xFCr die Betriebspr\xFC"
                                                              "fung: leerer Ordner");
    if (folderPath.empty())
        return;
    AuditData data;
    withTakenRowInPlace([&] { data = programAuditData(*period); });
    const std::vector<ExportFile> files = auditExportFiles(data, *period);
    FolderBuilder folder(folderPath);
    const FolderBuilder::Start start = folder.begin();
    if (start == FolderBuilder::Start::NotEmpty) {
        tellError("Der Ordner " + shownPath(folderPath) +
                  " ist nicht leer. Der Datenexport braucht einen neuen, leeren Ordner.");
        return;
    }
    bool written = start == FolderBuilder::Start::Ready;
    for (const ExportFile& file : files)
        written = written && folder.add(file.path, file.bytes);
    if (!written || !folder.commit()) {
        tellError("Der Datenexport konnte nicht gespeichert werden!");
        return;
    }
    messageBox("Hinweis!",
               "Datenexport gespeichert: " + std::to_string(files.size()) + " Dateien in " +
                   shownPath(folderPath) + "." + unreadableNote(programRecords(*period).unreadable),
               kMessageOk);
}
