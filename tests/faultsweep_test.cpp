// The fault sweep: every writer of the program, driven through the handler the user clicks (the
// archive as the invoice's creation calls it), with the Nth change on disk failing (once, or from then on as
// on a full disk), for every N until the operation no longer reaches the fault. Afterwards each data file
// holds its old or its new bytes, every failure was told to the user, and the next start removes what the
// failed save left.

#include "archive/archivecheck.h"
#include "archive/archivefiles.h"
#include "archive/archivewriter.h"
#include "archive/checksumchain.h"
#include "backup/backupzip.h"
#include "einvoicefolder.h"
#include "einvoicetesting.h"
#include "incoming/keepreceived.h"
#include "printing/printtarget.h"
#include "runtime/atomicsave.h"
#include "runtime/conversions.h"
#include "runtime/diskops.h"
#include "shell/instancelock.h"
#include "shell/mainwindow.h"
#include "state/invoicestate.h"
#include "state/shellstate.h"
#include "support/datafolder.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"

#include <QDir>

#include <fstream>
#include <iostream>
#include <map>

namespace {

const std::string kItem = "Herr\r\nMax Beispiel\r\n\r\nHauptstr. 1\r\nMusterstadt\r\n12,50\r\n";

// A folder in use: customers, articles, three invoices with their item files, saved options.
const FileSet kUsedFolder = {
    {"Daten.dat", "2\r\nHerr|Beispiel|Max||Hauptstr. 1|Musterstadt\r\nFrau|Muster|Erika|c/o Firma|Ringweg "
                  "2|Beispielort\r\n1\r\nSchraube|Teile|0,50|M6\r\n4\r\n"},
    {"ReData.dat", "2|Beispiel|1|12,50|01.12.2026\r\n3|Muster|2|1,00|02.12.2026\r\n4|Beispiel|1|12,50|"
                   "03.12.2026\r\n"},
    {"Option.ini",
     "Firma\r\n\r\n18\r\nWeg 1\r\n6\r\n10\r\n8\r\n7\r\nA\r\nA\r\nA\r\nA\r\nA\r\nT\r\nT\r\nT\r\nT\r\n"
     "T\r\nB\r\nB\r\nB\r\nB\r\nB\r\nN\r\nN\r\nN\r\nN\r\nN\r\n12/345\r\n19\r\n0"},
    {"Rechnungen/2.txt", kItem},
    {"Rechnungen/3.txt", kItem},
    {"Rechnungen/4.txt", kItem},
};

// The folder in use with an article sold by the hour: its invoices keep their full lines.
const FileSet kUnitFolder = [] {
    FileSet files = kUsedFolder;
    files["Daten.dat"] = "1\r\nHerr|Beispiel|Max||Hauptstr. 1|Musterstadt\r\n1\r\nMontage|Dienst|45|je "
                         "Stunde|||HUR\r\n4\r\n";
    return files;
}();

// The folder in use with company data, among them a key the program does not know.
const FileSet kCompanyFolder = [] {
    FileSet files = kUsedFolder;
    files["Firma.ini"] = "Firmenname=Holzwerk\r\nHandelsregister=HRB 4711\r\nLand=DE\r\n";
    return files;
}();

// A fresh installation with one customer and one article: the first invoice makes the register and
// the folder Rechnungen.
const FileSet kFreshFolder = {{"Daten.dat", "1\r\nHerr|Beispiel|Max||Hauptstr. 1|Musterstadt\r\n1\r\n"
                                            "Schraube|Teile|0,50|M6\r\n0\r\n"}};

// The used folder with invoice 4 in the archive.
FileSet withArchive(FileSet files) {
    const std::string chain = "Archiv/" + std::string(kChainFileName);
    files["Archiv/4.xml"] = "<xml 4/>";
    files["Archiv/4.pdf"] = "%PDF 4";
    const std::string first = chainLine("4.xml", sha256Hex("<xml 4/>"), std::nullopt);
    files[chain] = first + "\r\n" + chainLine("4.pdf", sha256Hex("%PDF 4"), first) + "\r\n";
    return files;
}
const FileSet kArchivedFolder = withArchive(kUsedFolder);

// The folder in use with one offer.
const FileSet kOfferedFolder = [] {
    FileSet files = kUsedFolder;
    files["AngData.dat"] = "1|Beispiel|1|12,50|01.12.2026|31.12.2026|offen\r\n";
    files["Angebote/1.txt"] = kItem;
    return files;
}();

// The archived folder with complete company data and the first customer's e-invoice data: "Rechnung
// erstellen" makes invoice 5 an e-invoice.
const FileSet kEInvoiceFolder = [] {
    FileSet files = kArchivedFolder;
    files["Daten.dat"] =
        "2\r\nHerr|Beispiel|Max||Hauptstr. 1|Musterstadt|||DE987654321|12345|Musterstadt|DE\r\n"
        "Frau|Muster|Erika|c/o Firma|Ringweg 2|Beispielort\r\n1\r\nSchraube|Teile|0,50|M6\r\n4\r\n";
    files["Firma.ini"] = companyFile(kCompleteCompany);
    return files;
}();

// The folder in use with a payment of invoice 3, its terms (overdue since yesterday) and a reminder.
const FileSet kReceivablesFolder = [] {
    FileSet files = kArchivedFolder;
    files["Firma.ini"] = companyFile(kCompleteCompany);
    files["Zahlungen.dat"] = "3|01.12.2026|0,40|bar\r\n";
    files["Forderungen.dat"] =
        "3|01.01.2020|" + formatDate("%dd.%mm.%yyyy", addDays(currentDate(), -1)) + "|1,00||\r\n";
    files["Mahnungen.dat"] = "3|1|" + formatDate("%dd.%mm.%yyyy", addDays(currentDate(), -1)) + "\r\n";
    return files;
}();

// The folder in use with invoice 3's full lines and a template of it due since the first day of 2020.
const FileSet kSeriesFolder = [] {
    FileSet files = kUsedFolder;
    files["Rechnungen/3-Zeilen.txt"] = "Schraube|M6|2|0,50|1,00|19|S|C62\r\n";
    files["Serien.dat"] = "3|2|monatlich|01.01.2020||1\r\n";
    return files;
}();

// The used folder with a supplier's e-invoice to open, one with a timesheet attached, and one invoice
// kept in Eingang before.
const FileSet kReceivingFolder = [] {
    FileSet files = kUsedFolder;
    // An official example: the writer's texts are not made before the tests start.
    std::ifstream example(QUILLORA_SOURCE_DIR
                          "/tests/einvoice/xrechnung-examples/01.01a-INVOICE_uncefact.xml",
                          std::ios::binary);
    files["Lieferant.xml"] = withAttachment(std::string(std::istreambuf_iterator<char>(example), {}),
                                            "Stundenzettel.csv", "Tag;Stunden\r\nMontag;8\r\n");
    files["Eingang/2026-01-02-Alt-1.xml"] = "<alt/>";
    files["Eingang/" + std::string(kChainFileName)] =
        chainLine("2026-01-02-Alt-1.xml", sha256Hex("<alt/>"), std::nullopt) + "\r\n";
    files["Eingang.dat"] = "02.01.2026|Alt|1|1,00||2026-01-02-Alt-1.xml\r\n";
    return files;
}();

void openReceivedInvoice() {
    setOpenFileAnswerer([](const std::string&) { return std::string("Lieferant.xml"); });
    ASSERT_TRUE(chooseMenuItem(QString::fromUtf8("E-Rechnung \u00F6ffnen...")));
    dispatch();
}

// The archive's part of "Rechnung erstellen" for a first invoice 5, with the message its caller shows.
void archiveInvoiceFive() {
    if (archiveInvoice(5, "<xml 5/>", "%PDF 5", "<xrechnung 5/>") != ArchiveOutcome::Archived)
        messageBox("Fehler!", archiveFailureText(5), kMessageOk);
}

// The used folder with the adviser's numbers: the DATEV export can run.
const FileSet kDatevFolder = [] {
    FileSet files = kUsedFolder;
    files["Firma.ini"] = "Beraternummer=29098\r\nMandantennummer=55003\r\n";
    return files;
}();

// The exports and backups run on a fixed day, so that every run writes the same bytes.
void fixTheDay() {
    setClock([] { return dateValueOf(2027, 1, 5, 10, 30, 0); });
}

// File and folder dialogs answer with names in the data folder: the export file's own name, the
// backup "Sicherung.zip", the folder Ausgabe.
void answerDialogs() {
    setSaveFileAnswerer([](const std::string& caption, const std::string& defaultName) -> std::string {
        if (caption.ends_with("leerer Ordner"))
            return kOutputFolder;
        return caption.starts_with("Datensicherung") ? "Sicherung.zip" : defaultName;
    });
}

void choosePeriod(const char* item, const char* from, const char* to) {
    fixTheDay();
    answerDialogs();
    ASSERT_TRUE(chooseMenuItem(QString::fromLatin1(item)));
    dispatch();
    ASSERT_TRUE(typeInto(kPeriodFromField, from));
    ASSERT_TRUE(typeInto(kPeriodToField, to));
}

struct Operation {
    const char* name;
    const FileSet* folder;
    /// Brings the program to the click that writes, changing what is to be saved on the way.
    void (*prepare)();
    /// The click, and the dispatch of what it queued.
    void (*fire)();
    /// What the user is told when the operation fails; any one of them.
    std::vector<std::string> failureTexts;
    /// The click asks first ("Löschen"), and is answered Ja.
    bool asks = false;
};

void press(int control) {
    ASSERT_TRUE(clickButton(control));
    dispatch();
}

void addCustomer() {
    press(kNewCustomerButton);
    ASSERT_TRUE(typeInto(kNewCustomerFirstField + 1, "Neukunde"));
    press(kNewCustomerOkButton);
}

void changeOptions() {
    ASSERT_TRUE(chooseMenuItem(QString::fromLatin1("Algemeine Einstellungen")));
    dispatch();
    ASSERT_TRUE(typeInto(kLogoLine1Field, "Neue Firma"));
}

void changeCompanyData() {
    ASSERT_TRUE(chooseMenuItem(QString::fromLatin1("Firmendaten (E-Rechnung)")));
    dispatch();
    ASSERT_TRUE(typeInto(kCompanyFirstField, QString::fromUtf8("Holzwerk Müller")));
}

void composeIn(int newButton) {
    printTarget().kind = PrintTargetKind::Recorder;
    printTarget().recorderArea = {2000, 2800, 200, 280};
    press(newButton);
    ASSERT_TRUE(selectRow(kCustomerPicks, 0));
    dispatch();
    press(kNewLineButton);
    ASSERT_TRUE(doubleClickRow(kArticlePicks, 0));
    dispatch();
    ASSERT_TRUE(typeInto(kQuantityField, "25"));
    press(kLineOkButton);
}

void composeInvoice() {
    composeIn(kNewInvoiceButton);
}

void chooseSave() {
    ASSERT_TRUE(chooseMenuItem("Save"));
    dispatch();
}

// The user chooses a file in the data folder, so that the next start takes away what a failed
// export left there.
void chooseExportFile() {
    setSaveFileAnswerer([](const std::string&, const std::string& defaultName) { return defaultName; });
}

void chooseExportFileForReceived() {
    openReceivedInvoice();
    chooseExportFile();
}

void selectInvoice() {
    setState(kTabPanel, kInvoicesPage);
    ASSERT_TRUE(selectRow(kInvoiceList, 1));
}

void openPayments() {
    selectInvoice();
    press(kPaymentButton);
}

void selectOffer() {
    setState(kTabPanel, kOffersPage);
    ASSERT_TRUE(selectRow(kOfferList, 0));
}

const Operation kOperations[] = {
    {"Save", &kUsedFolder, addCustomer, chooseSave, {"Die Daten konnten nicht gespeichert werden!"}},
    {"Speichern der Optionen",
     &kUsedFolder,
     changeOptions,
     [] { press(kSaveOptionsButton); },
     {"Die Optionen konnten nicht gespeichert werden!"}},
    {"Firmendaten speichern",
     &kCompanyFolder,
     changeCompanyData,
     [] { press(kSaveCompanyButton); },
     {"Die Firmendaten konnten nicht gespeichert werden!"}},
    {"Rechnung erstellen",
     &kUsedFolder,
     composeInvoice,
     [] { press(kCreateInvoiceButton); },
     {"Die Rechnung Nr.:5 konnte nicht vollst\xE4ndig gespeichert werden!"}},
    {"Rechnung erstellen mit Zeilenliste",
     &kUnitFolder,
     composeInvoice,
     [] { press(kCreateInvoiceButton); },
     {"Die Rechnung Nr.:5 konnte nicht vollst\xE4ndig gespeichert werden!"}},
    {"Rechnung erstellen, die erste",
     &kFreshFolder,
     composeInvoice,
     [] { press(kCreateInvoiceButton); },
     {"Die Rechnung Nr.:1 konnte nicht vollst\xE4ndig gespeichert werden!"}},
    {"Angebot erstellen",
     &kUsedFolder,
     [] { composeIn(kNewOfferButton); },
     [] { press(kCreateOfferButton); },
     {"Das Angebot Nr.:1 konnte nicht vollst\xE4ndig gespeichert werden!"}},
    {"Angebot angenommen",
     &kOfferedFolder,
     selectOffer,
     [] { press(kOfferAcceptedButton); },
     {"Das Angebotsregister konnte nicht ge\xE4ndert werden!"}},
    {"Rechnung l\xF6schen",
     &kUsedFolder,
     selectInvoice,
     [] { press(kDeleteInvoiceButton); },
     {"Die Rechnung Nr.:3 konnte nicht gel\xF6scht werden!",
      "Das Rechnungsregister konnte nicht ge\xE4ndert werden!"},
     true},
    {"Stornieren mit E-Rechnung", &kEInvoiceFolder,
     [] {
         printTarget().kind = PrintTargetKind::Recorder;
         printTarget().recorderArea = {2000, 2800, 200, 280};
         // Invoice 2, of the customer with e-invoice data.
         setState(kTabPanel, kInvoicesPage);
         ASSERT_TRUE(selectRow(kInvoiceList, 0));
     },
     [] { press(kCancelCorrectionButton); },
     // One file that failed, or every one from the failed one on; the archive comes only after them all.
     [] {
         const std::vector<std::string> parts = {"Positionsdatei", "Korrekturen.dat", "ReData.dat",
                                                 "Daten.dat"};
         std::vector<std::string> texts = {"Archiv"};
         for (std::size_t first = 0; first < parts.size(); ++first) {
             texts.push_back(parts[first]);
             std::string rest = parts[first];
             for (std::size_t next = first + 1; next < parts.size(); ++next)
                 rest += ", " + parts[next];
             texts.push_back(rest);
         }
         for (std::string& text : texts)
             text =
                 "Die Stornorechnung Nr.:5 konnte nicht vollst\xE4ndig gespeichert werden! Es fehlt: " + text;
         return texts;
     }(),
     true},
    {"Rechnung erstellen mit E-Rechnung",
     &kEInvoiceFolder,
     composeInvoice,
     [] { press(kCreateInvoiceButton); },
     {"Die Rechnung Nr.:5 konnte nicht vollst\xE4ndig gespeichert werden!",
      "Die E-Rechnung Nr.:5 konnte nicht gespeichert werden!"}},
    {"E-Rechnung archivieren, die erste",
     &kFreshFolder,
     [] {},
     archiveInvoiceFive,
     {"Die E-Rechnung Nr.:5 konnte nicht gespeichert werden!"}},
    {"Papierkopie archivieren, die erste",
     &kFreshFolder,
     [] {},
     [] {
         if (archivePaperCopy(5, "%PDF 5") != ArchiveOutcome::Archived)
             messageBox("Fehler!", "Archivkopie 5", kMessageOk);
     },
     {"Archivkopie 5"}},
    {"Zahlung erfassen",
     &kReceivablesFolder,
     [] {
         openPayments();
         ASSERT_TRUE(typeInto(kPaymentAmountField, "0,60"));
     },
     [] { press(kPaymentOkButton); },
     {"Die Zahlungen konnten nicht gespeichert werden!"}},
    {"Zahlung entfernen",
     &kReceivablesFolder,
     [] {
         openPayments();
         ASSERT_TRUE(selectRow(kPaymentList, 0));
     },
     [] { press(kRemovePaymentButton); },
     {"Die Zahlungen konnten nicht gespeichert werden!"},
     true},
    {"Rechnung mit Zahlungen l\xF6schen",
     &kReceivablesFolder,
     selectInvoice,
     [] { press(kDeleteInvoiceButton); },
     {"Die Rechnung Nr.:3 konnte nicht gel\xF6scht werden!",
      "Das Rechnungsregister konnte nicht ge\xE4ndert werden!",
      "Die Zahlungen der Rechnung Nr.:3 konnten nicht gel\xF6scht werden!"},
     true},
    {"Mahnung",
     &kReceivablesFolder,
     [] {
         printTarget().kind = PrintTargetKind::Recorder;
         printTarget().recorderArea = {2000, 2800, 200, 280};
         selectInvoice();
     },
     [] { press(kDunningButton); },
     {"Die Mahnung zur Rechnung Nr.:3 konnte nicht gespeichert werden!",
      "Die Mahnung zur Rechnung Nr.:3 konnte nicht archiviert werden!"}},
    {"Serie anlegen",
     &kSeriesFolder,
     [] {
         selectInvoice();
         press(kSeriesButton);
     },
     [] { press(kSeriesOkButton); },
     {"Die Serienrechnungen konnten nicht gespeichert werden!"}},
    {"Serienrechnungen erstellen",
     &kSeriesFolder,
     [] {
         printTarget().kind = PrintTargetKind::Recorder;
         printTarget().recorderArea = {2000, 2800, 200, 280};
     },
     [] { press(kDueSeriesCreateButton); },
     {"Die Serienrechnungen konnten nicht gespeichert werden!",
      "Die Rechnung Nr.:5 konnte nicht vollst\xE4ndig gespeichert werden!"}},
    {"Liste exportieren",
     &kUsedFolder,
     chooseExportFile,
     [] {
         ASSERT_TRUE(chooseMenuItem("Liste exportieren (CSV)..."));
         dispatch();
     },
     {"Die Liste konnte nicht gespeichert werden!"}},
    {"DATEV-Export",
     &kDatevFolder,
     [] { choosePeriod("DATEV-Export...", "01.12.2026", "31.12.2026"); },
     [] { press(kDatevOkButton); },
     {"Der DATEV-Export konnte nicht gespeichert werden!"}},
    {"Datenexport f\xFCr die Betriebspr\xFC"
     "fung",
     &kArchivedFolder,
     [] {
         choosePeriod("Datenexport f\xFCr die Betriebspr\xFC"
                      "fung...",
                      "01.01.2026", "31.12.2026");
     },
     [] { press(kAuditOkButton); },
     {"Der Datenexport konnte nicht gespeichert werden!"}},
    {"Datensicherung",
     &kArchivedFolder,
     [] {
         fixTheDay();
         answerDialogs();
     },
     [] {
         ASSERT_TRUE(chooseMenuItem("Datensicherung..."));
         dispatch();
     },
     {"Die Datensicherung konnte nicht gespeichert werden!"}},
    {"Datensicherung zur\xFC"
     "ckspielen",
     &kArchivedFolder,
     [] {
         answerDialogs();
         ASSERT_TRUE(writeBackup("Sicherung.zip", {"Quillora.lock"}, dateValueOf(2027, 1, 5)).written);
     },
     [] {
         ASSERT_TRUE(chooseMenuItem(QString::fromLatin1("Datensicherung zur\xFC"
                                                        "ckspielen...")));
         dispatch();
     },
     {"Die Datensicherung konnte nicht zur\xFC"
      "ckgespielt werden."}},
    {"In Eingangsrechnungen ablegen",
     &kReceivingFolder,
     openReceivedInvoice,
     [] { press(kReceivedKeepButton); },
     {"Die E-Rechnung konnte nicht abgelegt werden!"}},
    {"Anh\xE4nge speichern",
     &kReceivingFolder,
     chooseExportFileForReceived,
     [] { press(kReceivedAttachmentsButton); },
     {"Der Anhang Stundenzettel.csv konnte nicht gespeichert werden!"}},
};

struct Plan {
    FaultMode mode;
    bool shortWrite;
    int error;
    const char* name;
};

const Plan kPlans[] = {
    {FaultMode::Once, false, EIO, "once EIO"},
    {FaultMode::Once, true, ENOSPC, "once short write ENOSPC"},
    {FaultMode::FromThenOn, false, ENOSPC, "from then on ENOSPC"},
    {FaultMode::FromThenOn, true, ENOSPC, "from then on short writes ENOSPC"},
    {FaultMode::FromThenOn, false, EACCES, "from then on EACCES"},
};

// What one run of an operation left.
struct Outcome {
    FileSet files;
    std::vector<std::string> failures;
    int injected = 0;
    int savedFlag = 0;
    /// What "Archiv prüfen" finds afterwards, and the same check of Eingang.
    ArchiveCheck archive;
    ArchiveCheck incoming;
};

class FaultSweepTest : public ProgramTest {
  protected:
    void resetFolder(const FileSet& files) {
        releaseInstanceLock();
        QDir folder(QString::fromStdString(dataPath("")));
        for (const QFileInfo& entry :
             folder.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
            if (entry.isDir())
                QDir(entry.filePath()).removeRecursively();
            else
                folder.remove(entry.fileName());
        }
        for (const auto& [name, bytes] : files)
            writeData(name, *bytes);
    }

    /// Starts on the operation's folder, prepares, and fires with the fault plan in force.
    Outcome run(const Operation& op, const DiskFaults& plan) {
        resetFolder(*op.folder);
        start();
        setClock({});
        op.prepare();
        messages.clear();
        diskFaults() = plan;
        if (op.asks)
            answerNext(kAnswerYes);
        op.fire();
        Outcome outcome;
        outcome.injected = diskFaults().injected;
        resetDiskFaults();
        for (const ShownMessage& m : messages) {
            if (m.caption == "Fehler!")
                outcome.failures.push_back(m.text);
        }
        outcome.savedFlag = shellState().savedFlag;
        outcome.files = readDataFiles(dataPath(""));
        outcome.archive = verifyArchive();
        outcome.incoming = verifyArchive(incoming::kIncomingFolder);
        return outcome;
    }

    /// The next start: it takes away every leftover and touches no data file.
    void restartAndCheck(const FileSet& files, const std::string& label) {
        start();
        EXPECT_TRUE(temporaryFiles(dataPath("")).empty()) << label;
        EXPECT_EQ(readDataFiles(dataPath("")), files) << label;
        const auto reg = files.find("ReData.dat");
        const std::size_t registered = reg == files.end() ? 0 : registerNumbers(*reg->second).size();
        EXPECT_EQ(rowCount(kInvoiceList), static_cast<int>(registered)) << label;
    }
};

std::optional<std::string> fileIn(const FileSet& files, const std::string& name) {
    const auto it = files.find(name);
    return it == files.end() ? std::nullopt : it->second;
}

TEST_F(FaultSweepTest, EveryWriterKeepsOldOrNewAndTellsTheUser) {
    int cases = 0;
    int failedCases = 0;
    int partsBefore = 0;
    std::map<std::string, int> casesPerOperation;
    for (const Operation& op : kOperations) {
        const Outcome clean = run(op, DiskFaults{});
        ASSERT_TRUE(clean.failures.empty()) << op.name << ": " << clean.failures.front();
        ASSERT_NE(clean.files, *op.folder) << op.name << " changed nothing";
        for (const Plan& plan : kPlans) {
            for (int n = 1;; ++n) {
                const std::string label =
                    std::string(op.name) + ", " + plan.name + ", change " + std::to_string(n);
                DiskFaults faults;
                faults.mode = plan.mode;
                faults.failAt = n;
                faults.error = plan.error;
                faults.shortWrite = plan.shortWrite;
                const Outcome outcome = run(op, faults);
                if (outcome.injected == 0) {
                    EXPECT_EQ(outcome.files, clean.files) << label;
                    break;
                }
                ++cases;
                ++casesPerOperation[op.name];
                std::set<std::string> names;
                for (const FileSet* files : {op.folder, &clean.files, &outcome.files})
                    for (const auto& entry : *files)
                        names.insert(entry.first);
                for (const std::string& name : names) {
                    const auto have = fileIn(outcome.files, name);
                    EXPECT_TRUE(have == fileIn(*op.folder, name) || have == fileIn(clean.files, name))
                        << label << ": " << name << " is "
                        << describeDifference(fileIn(clean.files, name), have);
                }
                if (outcome.files != clean.files) {
                    EXPECT_FALSE(outcome.failures.empty()) << label << ": a failed save went unmentioned";
                }
                for (const std::string& text : outcome.failures)
                    EXPECT_NE(std::find(op.failureTexts.begin(), op.failureTexts.end(), text),
                              op.failureTexts.end())
                        << label << ": " << text;
                EXPECT_LE(outcome.failures.size(), 1u) << label;
                // Files come before their lines: a fault may leave a file unlisted, never a line
                // without its file or a list that looks tampered with.
                for (const ArchiveCheck& check : {outcome.archive, outcome.incoming})
                    EXPECT_TRUE(check.problem == ArchiveProblem::None ||
                                check.problem == ArchiveProblem::FileUnlisted)
                        << label << ": " << describeArchiveCheck(check);
                if (std::string(op.name) == "Save") {
                    EXPECT_EQ(outcome.savedFlag, outcome.failures.empty() ? 1 : 0) << label;
                }
                restartAndCheck(outcome.files, label);
                // A broken writer fails many cases alike; the first few tell the story.
                const int parts =
                    ::testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count();
                if (parts > partsBefore && ++failedCases >= 12)
                    return;
                partsBefore = parts;
            }
        }
    }
    std::cout << "fault sweep: " << cases << " cases";
    for (const auto& [name, count] : casesPerOperation)
        std::cout << ", " << name << " " << count;
    std::cout << std::endl;
    RecordProperty("cases", cases);
    EXPECT_GT(cases, 100);
}

} // namespace
