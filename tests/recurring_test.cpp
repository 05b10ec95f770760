// Recurring invoices: the dates a template moves on by, and the invoices its due dates make.

#include "einvoicefolder.h"
#include "einvoicetesting.h"
#include "payments/receivables.h"
#include "payments/recurring.h"
#include "printing/printjob.h"
#include "printing/printtarget.h"
#include "printing/recordingdevice.h"
#include "runtime/atomicsave.h"
#include "state/settings.h"
#include "support/datafolder.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_testing.h"

#include <QCheckBox>
#include <QDir>

#include <gtest/gtest.h>

namespace {

TEST(RecurringDatesTest, MonthEndsKeepTheAnchorAndLeapYearsCount) {
    struct Row {
        const char* from;
        Interval interval;
        int anchor;
        const char* to;
    };
    const Row rows[] = {
        {"31.01.2026", Interval::Monthly, 31, "28.02.2026"},
        {"28.02.2026", Interval::Monthly, 31, "31.03.2026"},
        {"31.03.2026", Interval::Monthly, 31, "30.04.2026"},
        {"31.01.2028", Interval::Monthly, 31, "29.02.2028"},
        {"29.02.2028", Interval::Monthly, 30, "30.03.2028"},
        {"15.12.2026", Interval::Monthly, 15, "15.01.2027"},
        {"30.11.2026", Interval::Quarterly, 31, "28.02.2027"},
        {"31.10.2026", Interval::Quarterly, 31, "31.01.2027"},
        {"29.02.2028", Interval::Yearly, 29, "28.02.2029"},
        {"28.02.2031", Interval::Yearly, 29, "29.02.2032"},
        {"31.01.2100", Interval::Monthly, 31, "28.02.2100"},
        {"28.02.2399", Interval::Yearly, 29, "29.02.2400"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.from);
        EXPECT_EQ(formatDate("%dd.%mm.%yyyy", followingDate(*parseDate(row.from), row.interval, row.anchor)),
                  row.to);
    }
}

TEST(RecurringDatesTest, LinesReadBackAndOnlyTheirOwnForm) {
    const std::string line = "7|3|viertelj\xE4hrlich|31.01.2027|31.12.2027|31";
    const std::optional<RecurringTemplate> t = templateOf(line);
    ASSERT_TRUE(t);
    EXPECT_EQ(templateLine(*t), line);
    EXPECT_TRUE(isDue(*t, *parseDate("31.01.2027")));
    EXPECT_FALSE(isDue(*t, *parseDate("30.01.2027")));
    for (const char* bad :
         {"7|3|woechentlich|31.01.2027||31", "7|3|monatlich|31.02.2027||31", "7|3|monatlich|31.01.2027|x|31",
          "7|3|monatlich|31.01.2027||32", "|3|monatlich|31.01.2027||1"})
        EXPECT_FALSE(templateOf(bad)) << bad;
    RecurringTemplate ended = *t;
    ended.end = *parseDate("30.01.2027");
    EXPECT_FALSE(isDue(ended, *parseDate("01.02.2027")));
}

// Erika (number 1) has her e-invoice data and a Leitweg-ID; invoice 1 kept its full lines. Two templates
// of it are due, the one between them names customer 9, who is gone.
const std::string kTemplates = "1|1|monatlich|30.01.2027||30\r\n1|9|j\xE4hrlich|01.01.2027||1\r\n1|1|"
                               "viertelj\xE4hrlich|15.01.2027||15\r\n";
const FileSet kSeriesFolder = {
    {"Daten.dat",
     "2\r\nFrau|Muster|Erika|c/o Amt|Ringweg 2|54321 Beispielort|erika@amt.de|04011000-12345-03||"
     "54321|Beispielort|DE\r\nHerr|Beispiel|Max||Hauptstr. 1|Musterstadt\r\n0\r\n1\r\n"},
    {"ReData.dat", "1|Muster|1|100,00|31.12.2026\r\n"},
    {"Rechnungen/1.txt", "Frau\r\nErika Muster\r\n\r\nRingweg 2\r\n54321 Beispielort\r\n100,00\r\n"},
    {"Rechnungen/1-Zeilen.txt", "Wartung|Heizung|1|100,00|100,00|19|S|C62\r\n"},
    {"Serien.dat", kTemplates},
};

class RecurringTest : public ProgramTest {
  protected:
    void startWith(bool company, PrintTargetKind target = PrintTargetKind::Recorder) {
        for (const char* name : {"Firma.ini", "Archiv", "Rechnungen"})
            std::filesystem::remove_all(dataPath(name));
        for (const auto& [name, bytes] : kSeriesFolder)
            writeData(name, *bytes);
        if (company)
            writeData("Firma.ini", companyFile(kCompleteCompany));
        setClock([] { return dateValueOf(2027, 1, 31, 9); });
        restart();
        resetPrintJob();
        printTarget().kind = target;
        printTarget().recorderArea = {2000, 2800, 200, 280};
    }
    void restart() {
        start();
        settings().taxRate = "19";
    }
    void TearDown() override {
        resetPrintJob();
        resetPrintTarget();
        ProgramTest::TearDown();
    }
    static void press(int button) {
        ASSERT_TRUE(clickButton(button));
        dispatch();
    }
};

TEST_F(RecurringTest, DueTemplatesWaitForTheConfirmationAndAreCreatedOnce) {
    const std::string moved =
        "1|1|monatlich|28.02.2027||30\r\n1|9|j\xE4hrlich|01.01.2027||1\r\n1|1|viertelj\xE4"
        "hrlich|15.04.2027||15\r\n";
    struct Row {
        const char* name;
        bool company;
        bool archiveOnly;
        PrintTargetKind target;
        std::vector<int> invoices;
        int pageBreaks; // -1: nothing printed
        const std::string& templates;
        const char* message;
        bool fileFails = false;
    };
    const Row rows[] = {
        {"with company data, nur archivieren",
         true,
         true,
         PrintTargetKind::Recorder,
         {1, 2, 3},
         -1,
         moved,
         "Nicht erstellt:\nRechnung 1: der Kunde ist gel\xF6scht"},
        {"with company data, printed in one job",
         true,
         false,
         PrintTargetKind::Recorder,
         {1, 2, 3},
         1,
         moved,
         "Nicht erstellt:\nRechnung 1: der Kunde ist gel\xF6scht"},
        {"without company data, printed in one job",
         false,
         false,
         PrintTargetKind::Recorder,
         {1, 2, 3},
         1,
         moved,
         "Nicht erstellt:\nRechnung 1: der Kunde ist gel\xF6scht"},
        {"print dialog cancelled",
         false,
         false,
         PrintTargetKind::Cancelled,
         {1},
         -1,
         kTemplates,
         "Nicht erstellt:\nRechnung 1: nicht erstellt"},
        // The date could not move on: no invoice, so that none is made twice.
        {"Serien.dat cannot be written",
         false,
         false,
         PrintTargetKind::Recorder,
         {1},
         -1,
         kTemplates,
         "Die Serienrechnungen konnten nicht gespeichert werden!",
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        startWith(row.company, row.target);
        // Listed at start, nothing created before "Erstellen"; "Abbruch" creates nothing either.
        EXPECT_EQ(rowCount(kDueSeriesList), 3);
        press(kDueSeriesCancelButton);
        EXPECT_EQ(readData("ReData.dat"), "1|Muster|1|100,00|31.12.2026\r\n");
        ASSERT_TRUE(chooseMenuItem(QString::fromLatin1("F\xE4llige Serienrechnungen...")));
        dispatch();
        if (row.archiveOnly)
            qobject_cast<QCheckBox*>(controlWidget(kDueSeriesArchiveBox))->click();
        messages.clear();
        if (row.fileFails)
            protectFromReplacement(kRecurringFileName);
        press(kDueSeriesCreateButton);
        EXPECT_EQ(registerNumbers(readData("ReData.dat")), row.invoices);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, row.message);
        EXPECT_EQ(readData("Serien.dat"), row.templates);
        const PrintRecording* printed = printJob().device ? printJob().device->recording() : nullptr;
        EXPECT_EQ(printed ? printed->page : -1, row.pageBreaks);
        EXPECT_EQ(readData("Archiv/3.pdf").empty(), !row.company);
        // Started again: what was created is not due any more.
        restart();
        EXPECT_EQ(rowCount(kDueSeriesList), row.invoices.size() > 1 ? 1 : 3);
        if (row.invoices.size() > 1) {
            press(kDueSeriesCreateButton);
            EXPECT_EQ(registerNumbers(readData("ReData.dat")), row.invoices);
        }
    }
    // The archived invoices of the templates pass the official rules, each with its period's first day as
    // the Leistungsdatum and the lines of the invoice it copies.
    startWith(true);
    qobject_cast<QCheckBox*>(controlWidget(kDueSeriesArchiveBox))->click();
    press(kDueSeriesCreateButton);
    EXPECT_EQ(readData("Rechnungen/3-Zeilen.txt"), "Wartung|Heizung|1|100,00|100,00|19|S|C62\r\n");
    const std::string delivery = "SupplyChainTradeTransaction/ApplicableHeaderTradeDelivery/"
                                 "ActualDeliverySupplyChainEvent/OccurrenceDateTime/DateTimeString";
    EXPECT_EQ(readXmlFields(readData("Archiv/2.xml")).at(delivery), std::vector<std::string>{"20270130"});
    EXPECT_EQ(readXmlFields(readData("Archiv/3.xml")).at(delivery), std::vector<std::string>{"20270115"});
    const ToolRun check = runEinvoiceCheck(QString::fromStdString(dataPath("Archiv")));
    EXPECT_EQ(check.exitCode, 0) << check.out;
}

} // namespace
