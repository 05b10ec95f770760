// Data files no program of ours wrote: NUL bytes, bytes Windows-1252 leaves undefined, a 10 MB line,
// absurd counts, a folder where a file belongs, a file cut off inside a line. The readers must come
// through without a crash, a hang or memory out of all proportion, and keep the bytes they took.

#include "archive/archivecheck.h"
#include "archive/archivefiles.h"
#include "archive/archivewriter.h"
#include "backup/backuplist.h"
#include "einvoice/ciiwriter.h"
#include "einvoicetesting.h"
#include "incoming/readreceived.h"
#include "invoicing/archiveaudit.h"
#include "payments/receivables.h"
#include "runtime/atomicsave.h"
#include "runtime/diskops.h"
#include "runtime/linefile.h"
#include "shell/mainwindow.h"
#include "state/companydata.h"
#include "state/invoicestate.h"
#include "state/settings.h"
#include "support/datafolder.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_testing.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QWidget>

#include <chrono>
#include <filesystem>
#include <sys/resource.h>

namespace {

using Clock = std::chrono::steady_clock;

const std::string kTenMegabytes(10 * 1024 * 1024, 'x');

// Peak resident memory of the process so far, in megabytes.
long peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

struct BadFile {
    const char* name;
    std::string file;
    std::string bytes;
    int customers;
    int articles;
    int invoices;
};

class BadInputTest : public ProgramTest {
  protected:
    // Starts on the file and draws the main window, so that every visible cell is decoded.
    void startAndDraw() {
        start();
        windowWidget(kMainWindow)->grab();
    }
    std::vector<std::string> rowOf(int list, int r, int columns) {
        std::vector<std::string> cells;
        for (int c = 0; c < columns; ++c)
            cells.push_back(getCell(list, r, c));
        return cells;
    }
};

TEST_F(BadInputTest, ReadersSurviveAndLoadWhatIsThere) {
    const std::string nul(1, '\0');
    const BadFile rows[] = {
        {"NUL inside a customer line ends the line", "Daten.dat",
         "2\r\nHerr|Bei" + nul + "spiel|Max\r\n0\r\n7\r\n", 2, 0, 0},
        {"NUL bytes only", "Daten.dat", std::string(1000, '\0'), 0, 0, 0},
        {"undefined Windows-1252 bytes", "Daten.dat", "1\r\n\x81|\x8D\x8F|\x90|\x9D||\r\n0\r\n3\r\n", 1, 0,
         0},
        {"count of 2147483647 with two lines", "Daten.dat", "2147483647\r\nA|B\r\nC|D\r\n", 2, 0, 0},
        {"count of -5", "Daten.dat", "-5\r\n1\r\nSchraube|Teile|0,50|M6\r\n9\r\n", 0, 1, 0},
        {"article count of 2147483647", "Daten.dat", "0\r\n2147483647\r\nSchraube|Teile|0,50|M6\r\n", 0, 1,
         0},
        {"article tax fields: 10 MB rate, unknown codes, too many fields", "Daten.dat",
         "0\r\n2\r\nA|B|1|D|" + kTenMegabytes + "|XX|\x81\r\nE|F|2|G|7|S|HUR|x|y\r\n", 0, 2, 0},
        {"cut off inside a customer line", "Daten.dat", "2\r\nHerr|Beispiel|Ma", 1, 0, 0},
        {"10 MB customer line", "Daten.dat", "1\r\nHerr|" + kTenMegabytes + "\r\n0\r\n1\r\n", 1, 0, 0},
        {"10 MB line without a line end", "Daten.dat", kTenMegabytes, 0, 0, 0},
        {"customer numbers that are none or huge, a last number of text", "Daten.dat",
         "3\r\nA|B|||||||||||x\r\nC||||||||||||-4|y\r\nE|||||||||||||2147483647\r\n0\r\n1\r\nzz" + nul, 3, 0,
         0},
        {"register: NUL and undefined bytes", "ReData.dat", "1|A" + nul + "2|\x81|\x9D\r\n3|\x8F\r\n", 0, 0,
         3},
        {"register: cut off", "ReData.dat", "1|Beispiel|1|12,50|01.12.2026\r\n2|Mus", 0, 0, 2},
        {"register: 10 MB name", "ReData.dat", "1|" + kTenMegabytes + "|1|0,00|01.12.2026\r\n", 0, 0, 1},
        {"register: 10 MB of line ends", "ReData.dat", std::string(10 * 1024 * 1024, '\n'), 0, 0, 0},
        {"options: NUL, undefined bytes, huge numbers", "Option.ini",
         "\x81" + nul + "\r\n2147483647\r\n-5\r\n99999999999999999999\r\n", 0, 0, 0},
        {"options: 10 MB logo line", "Option.ini", kTenMegabytes + "\r\n\r\n18", 0, 0, 0},
        {"company data: NUL, undefined bytes, lines without a key", "Firma.ini",
         "Firmenname=\x81" + nul + "x\r\n=\r\n==\r\nLand\r\n\x9D=\x8F\r", 0, 0, 0},
        {"company data: 10 MB value", "Firma.ini", "Firmenname=" + kTenMegabytes, 0, 0, 0},
        {"company data: 10 MB of line ends", "Firma.ini", std::string(10 * 1024 * 1024, '\n'), 0, 0, 0},
        {"payments: NUL, undefined bytes, 10 MB remark", "Zahlungen.dat",
         "1|01.12.2026|1,00|\x81" + nul + "\r\n2|x|99999999999999999999|" + kTenMegabytes + "\r\n", 0, 0, 0},
        {"terms: dates and amounts that are none", "Forderungen.dat",
         "1|31.02.2026|99.12.2026|-92233720368547758,08|x|\x9D\r\n|||\r\n" + kTenMegabytes, 0, 0, 0},
        {"letters: 10 MB of line ends", "Mahnungen.dat", std::string(10 * 1024 * 1024, '\n'), 0, 0, 0},
        {"recurring templates: NUL, no dates, undefined bytes, 10 MB line", "Serien.dat",
         "1|1|monatlich|" + nul +
             "01.01.2020||1\r\n\x81|\x9D|j\xE4hrlich|31.02.2020||99\r\n2||monatlich|01.01.2020|x|1\r\n" +
             kTenMegabytes,
         0, 0, 0},
        {"offers: NUL, undefined bytes, 10 MB name, unknown status", "AngData.dat",
         "1|A" + nul + "x|\x81\r\n2|" + kTenMegabytes + "|1|0,00|x|y|\x9D\r\n" + std::string(1000, '\n'), 0,
         0, 0},
        {"corrections: NUL, unknown kinds, numbers that are none, 10 MB reason", "Korrekturen.dat",
         "2|Storno|1" + nul + "\r\n3|Irrtum|1|\r\n-4|Storno|1\r\n5|Gutschrift|5\r\n6|Gutschrift|1|x|" +
             kTenMegabytes,
         0, 0, 0},
    };
    for (const BadFile& row : rows) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove_all(dataPath("Daten.dat"));
        std::filesystem::remove_all(dataPath("ReData.dat"));
        std::filesystem::remove_all(dataPath("Option.ini"));
        std::filesystem::remove_all(dataPath("Firma.ini"));
        for (const char* name : {"Zahlungen.dat", "Forderungen.dat", "Mahnungen.dat", "Serien.dat",
                                 "AngData.dat", "Korrekturen.dat"})
            std::filesystem::remove_all(dataPath(name));
        writeData(row.file, row.bytes);
        const long peakBefore = peakMegabytes();
        const auto began = Clock::now();
        startAndDraw();
        EXPECT_LT(Clock::now() - began, std::chrono::seconds(10));
        EXPECT_LT(peakMegabytes() - peakBefore, 400) << "megabytes more at the peak";
        EXPECT_EQ(rowCount(kCustomerList), row.customers);
        EXPECT_EQ(rowCount(kArticleList), row.articles);
        EXPECT_EQ(rowCount(kInvoiceList), row.invoices);
    }
}

TEST_F(BadInputTest, UndefinedBytesSurviveLoadAndSave) {
    const std::string master = "1\r\n\x81|\x8D\x8F|\x90|\x9D|\x80\xFF|\x7F\r\n0\r\n3\r\n";
    writeData("Daten.dat", master);
    startAndDraw();
    EXPECT_EQ(rowOf(kCustomerList, 0, 6),
              (std::vector<std::string>{"\x81", "\x8D\x8F", "\x90", "\x9D", "\x80\xFF", "\x7F"}));
    ASSERT_TRUE(chooseMenuItem("Save"));
    dispatch();
    EXPECT_EQ(readData("Daten.dat"), master);
}

TEST_F(BadInputTest, CutOffLinesKeepTheirBeginning) {
    writeData("Daten.dat", "2\r\nHerr|Beispiel|Ma");
    writeData("ReData.dat", "1|Beispiel|1|12,50|01.12.2026\r\n2|Mus");
    writeData("Option.ini", "Firma\r\nZeile 2\r\n2");
    start();
    EXPECT_EQ(rowOf(kCustomerList, 0, 3), (std::vector<std::string>{"Herr", "Beispiel", "Ma"}));
    EXPECT_EQ(invoiceState().invoiceCounter, 2) << "raised to the highest registered number";
    EXPECT_EQ(rowOf(kInvoiceList, 1, 2), (std::vector<std::string>{"2", "Mus"}));
    EXPECT_EQ(settings().logoLine2, "Zeile 2");
    EXPECT_EQ(settings().logoSize, 2);
    EXPECT_EQ(settings().pricesGross, 0);
}

TEST_F(BadInputTest, FolderWhereADataFileBelongs) {
    for (const char* name : {"Daten.dat", "ReData.dat", "Option.ini", "Firma.ini"})
        std::filesystem::create_directory(dataPath(name));
    start();
    EXPECT_FALSE(companyData().present) << "a folder is no Firma.ini";
    EXPECT_EQ(rowCount(kCustomerList), 0);
    EXPECT_EQ(rowCount(kInvoiceList), 0);
    EXPECT_EQ(settings().logoSize, 18) << "a folder is no Option.ini: the defaults apply";
    ASSERT_TRUE(chooseMenuItem("Save"));
    dispatch();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Die Daten konnten nicht gespeichert werden!");
    EXPECT_TRUE(std::filesystem::is_directory(dataPath("Daten.dat")));
    EXPECT_TRUE(temporaryFiles(dataPath("")).empty());
}

// A save cut short leaves its temporary file next to the data file it was to replace. The start
// removes it and never reads it, even when it is complete and the data file itself is missing.
TEST_F(BadInputTest, LeftoversOfAnInterruptedSaveAreNoData) {
    const std::string suffix(kTemporarySuffix);
    writeData("Daten.dat" + suffix, "1\r\nHerr|Beispiel|Max||Hauptstr. 1|Musterstadt\r\n0\r\n9\r\n");
    writeData("ReData.dat", "3|Beispiel|1|0,50|01.12.2026\r\n");
    writeData("ReData.dat" + suffix, "3|Beispiel|1|0,50|01.12.2026\r\n4|Muster|1|1,00|02.12.2026\r\n");
    writeData("Option.ini" + suffix, "Firma");
    writeData("Rechnungen/4.txt" + suffix, "Herr\r\n");
    const FileSet before = readDataFiles(dataPath(""));
    start();
    EXPECT_EQ(rowCount(kCustomerList), 0);
    EXPECT_EQ(rowCount(kInvoiceList), 1);
    EXPECT_EQ(invoiceState().invoiceCounter, 3);
    EXPECT_EQ(settings().logoLine1, "") << "the defaults, as without Option.ini";
    EXPECT_TRUE(temporaryFiles(dataPath("")).empty());
    EXPECT_EQ(readDataFiles(dataPath("")), before);
}

// The checksum list as anyone may have left it: its check names the first line that is not the one
// written, and adding an invoice keeps the bytes that were there.
TEST_F(BadInputTest, ChecksumListThatWasTamperedWith) {
    ASSERT_EQ(archiveInvoice(1, "<xml/>", "%PDF", std::nullopt), ArchiveOutcome::Archived);
    const std::string list = readData("Archiv/" + std::string(kChainFileName));
    const std::size_t secondLine = list.find("\r\n") + 2;
    struct Row {
        const char* name;
        std::string bytes;
        int firstChangedLine;
    };
    const Row rows[] = {
        {"10 MB line before the first", kTenMegabytes + "\r\n" + list, 1},
        {"10 MB line at the end, without a line end", list + kTenMegabytes, 3},
        {"NUL inside the second line", list.substr(0, secondLine + 3) + '\0' + list.substr(secondLine + 3),
         2},
        {"NUL bytes only", std::string(1000, '\0'), 1},
        {"second line cut off", list.substr(0, list.size() - 9), 2},
        {"a line that names a file outside the archive", "../Daten.dat|" + list.substr(list.find('|') + 1),
         1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        writeData("Archiv/" + std::string(kChainFileName), row.bytes);
        const auto began = Clock::now();
        const ArchiveCheck check = verifyArchive();
        EXPECT_LT(Clock::now() - began, std::chrono::seconds(10));
        EXPECT_EQ(check.problem, ArchiveProblem::ListChanged);
        EXPECT_EQ(check.line, row.firstChangedLine);
    }
    // A list cut off inside a line gets a line end before the next line.
    writeData("Archiv/" + std::string(kChainFileName), list.substr(0, list.size() - 9));
    ASSERT_EQ(archiveInvoice(2, "<xml/>", "%PDF", std::nullopt), ArchiveOutcome::Archived);
    const std::string added = readData("Archiv/" + std::string(kChainFileName));
    EXPECT_EQ(added.substr(0, list.size() - 7), list.substr(0, list.size() - 9) + "\r\n");
    EXPECT_EQ(verifyArchive().line, 2) << "the cut line stays where it was";
}

// Archived files as anyone may have left them, behind a list that fits them: "Archiv prüfen" reads
// the XML's number and the PDF's attachment without a crash or a hang, and names the file.
TEST_F(BadInputTest, ArchivedFilesNoProgramOfOursWrote) {
    const std::string numbered = "<CrossIndustryInvoice><ExchangedDocument><ID>1</ID></ExchangedDocument>"
                                 "</CrossIndustryInvoice>";
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<a>";
    struct Row {
        const char* name;
        std::string xml;
        std::string pdf;
        ArchiveProblem problem;
    };
    const Row rows[] = {
        {"XML of NUL bytes", std::string(1000, '\0'), "%PDF", ArchiveProblem::NumberDiffers},
        {"XML of 10 MB without markup", kTenMegabytes, "%PDF", ArchiveProblem::NumberDiffers},
        {"XML nested 100 000 deep", "<CrossIndustryInvoice>" + deep, "%PDF", ArchiveProblem::NumberDiffers},
        {"XML with an entity in its DTD",
         "<!DOCTYPE CrossIndustryInvoice [<!ENTITY n \"1\">]>" + numbered.substr(0, 45) + "&n;" +
             numbered.substr(46),
         "%PDF", ArchiveProblem::NumberDiffers},
        {"PDF of NUL bytes", numbered, std::string(1000, '\0'), ArchiveProblem::AttachmentDiffers},
        {"PDF of 10 MB junk", numbered, "%PDF-1.7\n" + kTenMegabytes, ArchiveProblem::AttachmentDiffers},
    };
    start();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove_all(dataPath("Archiv"));
        ASSERT_EQ(archiveInvoice(1, row.xml, row.pdf, std::nullopt), ArchiveOutcome::Archived);
        const auto began = Clock::now();
        const ArchiveCheck check = auditArchive();
        EXPECT_LT(Clock::now() - began, std::chrono::seconds(10));
        EXPECT_EQ(check.problem, row.problem) << describeArchiveCheck(check);
    }
}

TEST_F(BadInputTest, LineReaderTakesA10MegabyteLineWhole) {
    writeData("long.txt", kTenMegabytes + "\r\nnext");
    ASSERT_NE(openForReading(0, "long.txt"), 0);
    EXPECT_EQ(readLine(0), kTenMegabytes);
    EXPECT_EQ(readLine(0), "next");
    EXPECT_EQ(atEnd(0), 1);
    closeFile(0);
}

// A read that fails half way is no end of the file: the start says so, and whatever would write that
// file in this run is refused, with the writer's own failure message.
TEST_F(BadInputTest, AFileReadOnlyInPartIsNeverWrittenOver) {
    std::string master = "150\r\n";
    std::string entries;
    for (int i = 1; i <= 300; ++i) {
        master += i <= 150 ? "Herr|Kunde" + std::to_string(i) + "|Max||Hauptstr. 1|Musterstadt\r\n" : "";
        entries += std::to_string(i) + "|Kunde|1|1,00|01.12.2026\r\n";
    }
    master += "0\r\n7\r\n";
    struct Case {
        const char* file;
        std::string bytes;
        /// The read that fails, counted from the start; files of more than one block fail in the middle.
        int failingRead;
        void (*write)();
        const char* failure;
        /// The writer asks first ("Löschen"), and is answered Ja.
        bool asks = false;
        /// ReData.dat of the folder, when the writer needs an invoice.
        std::string registerLines = {};
    };
    const Case cases[] = {
        {"Daten.dat", master, 2, [] { ASSERT_TRUE(chooseMenuItem("Save")); },
         "Die Daten konnten nicht gespeichert werden!"},
        {"Option.ini", "Firma\r\n\r\n18", 1,
         [] {
             ASSERT_TRUE(chooseMenuItem("Algemeine Einstellungen"));
             dispatch();
             ASSERT_TRUE(clickButton(kSaveOptionsButton));
         },
         "Die Optionen konnten nicht gespeichert werden!"},
        {"ReData.dat", entries, 2,
         [] {
             setState(kTabPanel, kInvoicesPage);
             ASSERT_TRUE(selectRow(kInvoiceList, 0));
             ASSERT_TRUE(clickButton(kDeleteInvoiceButton));
         },
         "Das Rechnungsregister konnte nicht ge\xE4ndert werden!", true},
        // The register's two reads come first.
        {"Zahlungen.dat", "1|01.12.2026|0,50|\r\n1|02.12.2026|0,25|\r\n", 4,
         [] {
             setState(kTabPanel, kInvoicesPage);
             ASSERT_TRUE(selectRow(kInvoiceList, 0));
             ASSERT_TRUE(clickButton(kPaymentButton));
             dispatch();
             ASSERT_TRUE(clickButton(kPaymentOkButton));
             dispatch();
             // "Bezahlt", the second column of the receivables.
             EXPECT_EQ(getCell(kInvoiceList, 0, receivables().firstColumn + 1), "0,75")
                 << "a payment not saved is not shown";
         },
         "Die Zahlungen konnten nicht gespeichert werden!", false, "1|Kunde|1|1,00|01.12.2026\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        for (const char* name : {"Daten.dat", "ReData.dat", "Option.ini", "Zahlungen.dat"})
            std::filesystem::remove(dataPath(name));
        writeData(c.file, c.bytes);
        if (!c.registerLines.empty())
            writeData("ReData.dat", c.registerLines);
        writeData("Rechnungen/1.txt", "Herr\r\n");
        messages.clear();
        resetDiskFaults();
        diskFaults().failReadAt = c.failingRead;
        start();
        EXPECT_EQ(diskFaults().injected, 1);
        resetDiskFaults();
        EXPECT_EQ(errorTexts(), std::vector<std::string>{"Die Datei " + std::string(c.file) +
                                                         " konnte nicht vollst\xE4ndig gelesen werden! Sie "
                                                         "wird in dieser Sitzung nicht \xFC"
                                                         "berschrieben."});
        messages.clear();
        if (c.asks)
            answerNext(kAnswerYes);
        c.write();
        dispatch();
        EXPECT_EQ(errorTexts(), std::vector<std::string>{c.failure});
        EXPECT_EQ(readData(c.file), c.bytes);
    }
}

// The backup's checksum list as anyone may have left it: only what the backup writes is read.
TEST_F(BadInputTest, BackupChecksumListTakesOnlyWhatIsWritten) {
    const std::string hash(64, 'a');
    const std::string head = "Quillora-Datensicherung|1|02.04.2026\r\n";
    struct Row {
        const char* name;
        std::string bytes;
        std::size_t badLine;
    };
    const Row rows[] = {
        {"as written", head + "Daten.dat|3|" + hash + "\r\na|b|0|" + hash + "\r\n", 0},
        {"no line end at the end", head + "Daten.dat|3|" + hash, 2},
        {"a path out of the folder", head + "../Daten.dat|3|" + hash + "\r\n", 2},
        {"an absolute path", head + "/etc/passwd|3|" + hash + "\r\n", 2},
        {"a path twice", head + "a|1|" + hash + "\r\na|1|" + hash + "\r\n", 3},
        {"the list itself", head + "Quillora-Sicherung.txt|1|" + hash + "\r\n", 2},
        {"an upper-case hash", head + "a|1|" + std::string(64, 'A') + "\r\n", 2},
        {"a size with a sign", head + "a|-1|" + hash + "\r\n", 2},
        {"a lone LF", head + "a|1|" + hash + "\n\r\n", 2},
        {"another header", "Sicherung|1|02.04.2026\r\n", 1},
        {"nothing", "", 1},
        {"NUL bytes only", std::string(1000, '\0'), 1},
        {"a 10 MB path", head + kTenMegabytes + "|1|" + hash + "\r\n", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto began = Clock::now();
        const BackupListReading reading = readBackupList(row.bytes);
        EXPECT_LT(Clock::now() - began, std::chrono::seconds(10));
        EXPECT_EQ(reading.badLine, row.badLine);
        EXPECT_EQ(reading.list.has_value(), row.badLine == 0);
        if (reading.list) {
            EXPECT_EQ(backupListText(*reading.list), row.bytes);
        }
    }
}

// E-invoices no supplier should send. Each is refused with its reason, within seconds and without
// memory out of all proportion; nothing outside the file is ever read.
TEST_F(BadInputTest, HostileEInvoicesAreRefused) {
    const std::string cii = "<rsm:CrossIndustryInvoice "
                            "xmlns:rsm=\"urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100\">";
    std::string laughs = "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY l0 \"lol\">";
    for (int i = 1; i <= 9; ++i) {
        laughs += "<!ENTITY l" + std::to_string(i) + " \"";
        for (int k = 0; k < 10; ++k)
            laughs += "&l" + std::to_string(i - 1) + ";";
        laughs += "\">";
    }
    laughs += "]>" + cii + "&l9;</rsm:CrossIndustryInvoice>";
    std::string deep;
    for (int i = 0; i < 65; ++i)
        deep = "<a>" + deep + "</a>";
    const std::string xml = einvoice::ciiXml(sampleDocument(), einvoice::Profile::En16931);
    QBuffer page;
    page.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&page);
        QPainter(&writer).drawText(QPointF(500, 800), "Rechnung");
    }
    // A PDF whose factur-x.xml unpacks to 60 MB from a few kilobytes.
    writeData("page.pdf", page.data().toStdString());
    writeData("huge.xml", "<a>" + std::string(60 * 1024 * 1024, ' ') + "</a>");
    ASSERT_EQ(runTool("qpdf", {QString::fromStdString(dataPath("page.pdf")), "--add-attachment",
                               QString::fromStdString(dataPath("huge.xml")), "--key=factur-x.xml", "--",
                               QString::fromStdString(dataPath("bomb.pdf"))})
                  .exitCode,
              0);
    struct Hostile {
        const char* name;
        std::string bytes;
        const char* reason;
    };
    const Hostile rows[] = {
        {"external entity",
         "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>" + cii +
             "&x;</rsm:CrossIndustryInvoice>",
         "sie enth\xE4lt eine Dokumenttypdefinition (DTD), die nicht gelesen wird"},
        {"billion laughs", laughs, "sie enth\xE4lt eine Dokumenttypdefinition (DTD), die nicht gelesen wird"},
        {"cut off", xml.substr(0, xml.size() / 2), "sie bricht mitten im XML ab"},
        {"PDF without attachment", page.data().toStdString(),
         "das PDF enth\xE4lt keine Rechnungsdaten (kein XML-Anhang)"},
        {"PDF with a 60 MB attachment", readData("bomb.pdf"),
         "ihr XML-Anhang ist gr\xF6\xDF"
         "er als 50 MB"},
        {"UBL content under a CII root",
         cii + "<cbc:ID xmlns:cbc=\"urn:oasis:names:specification:ubl:schema:xsd:"
               "CommonBasicComponents-2\">R1</cbc:ID></rsm:CrossIndustryInvoice>",
         "ihr fehlt der Rechnungskopf oder der Handelsvorgang einer CII-Rechnung"},
        {"nested 65 deep", deep, "sie ist tiefer als 64 Ebenen verschachtelt"},
        {"over 50 MB", std::string(50 * 1024 * 1024 + 1, '<'),
         "sie ist gr\xF6\xDF"
         "er als 50 MB"},
        {"no XML, no PDF", "Rechnung\r\n\x80\x00", "sie ist weder eine XML- noch eine PDF-Datei"},
    };
    for (const Hostile& row : rows) {
        SCOPED_TRACE(row.name);
        writeData("hostile", row.bytes);
        const long peakBefore = peakMegabytes();
        const auto began = Clock::now();
        const incoming::ReceivedFile file = incoming::readReceivedFile(dataPath("hostile"));
        EXPECT_LT(Clock::now() - began, std::chrono::seconds(10));
        EXPECT_LT(peakMegabytes() - peakBefore, 400) << "megabytes more at the peak";
        EXPECT_FALSE(file.result.invoice.has_value());
        EXPECT_EQ(file.result.refusal.substr(0, std::strlen(row.reason)), row.reason);
    }
}

} // namespace
