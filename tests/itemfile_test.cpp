// The item files in "Rechnungen": their exact lines, the folder, replacing an older file, failures.

#include "datafiles/invoicelines.h"
#include "datafiles/itemfile.h"
#include "money/money.h"
#include "runtime/diskops.h"
#include "runtime/linefile.h"
#include "state/invoicestate.h"
#include "state/settings.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"

#include <string>
#include <vector>

namespace {

class ItemFileTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        // The lines list as the new-invoice window holds it: Pos, Bezeichnung, Beschreibung,
        // Einzelpr., Menge, Gesamtpr.
        ASSERT_NE(openWindow(kDialogWindow, 100, 100, 782, 500, "Neue Rechnung", kWindowCaption), 0);
        ASSERT_NE(useControlList(kDialogWindow), 0);
        ASSERT_NE(createReportList(kLinesList, 10, 120, 752, 490, "Pos", 25, kReportListFlags), 0);
        addColumn(kLinesList, 2, "Bezeichnung", 100);
        addColumn(kLinesList, 3, "Beschreibung", 120);
        addColumn(kLinesList, 4, "Einzelpr.", 60);
        addColumn(kLinesList, 5, "Menge", 60);
        addColumn(kLinesList, 6, "Gesamtpr.", 60);

        InvoiceState& invoice = invoiceState();
        invoice.invoiceCounter = 17;
        invoice.customerSalutation = "Herr";
        invoice.customerFullName = "Max Beispiel";
        invoice.customerAddition = "";
        invoice.customerStreet = "Hauptstr. 1";
        invoice.customerTown = "Musterstadt";
        invoice.invoiceTotalText = "0,00";
    }

    void addLine(const std::vector<std::string>& cells) {
        std::string row;
        for (const std::string& cell : cells)
            row += cell + "\n";
        addRow(kLinesList, -1, row);
    }

    static constexpr const char* kAddress = "Herr\r\nMax Beispiel\r\n\r\nHauptstr. 1\r\nMusterstadt\r\n";
};

TEST_F(ItemFileTest, ExampleInvoiceGivesItsSevenLines) {
    addLine({"1", "Schraube", "M6", "0,50", "10", "5,00"});
    invoiceState().invoiceTotalText = "5,00";
    EXPECT_EQ(fileSize("Rechnungen"), -1);
    ASSERT_TRUE(writeItemFile());
    EXPECT_EQ(fileSize("Rechnungen"), -2);
    EXPECT_EQ(readData("Rechnungen/17.txt"), std::string(kAddress) + "Schraube 0,50 M6\r\n5,00\r\n");
}

TEST_F(ItemFileTest, NoLinesGiveSixLines) {
    ASSERT_TRUE(writeItemFile());
    EXPECT_EQ(readData("Rechnungen/17.txt"), std::string(kAddress) + "0,00\r\n");
}

TEST_F(ItemFileTest, CellsAreWrittenAsTheyStand) {
    addLine({"1", "", "ohne Bezeichnung", "1,00", "1", "1,00"});
    addLine({"2", "Holz Schraube", "", "12,5", "3", "37,50"});
    addLine({"3", "\xC4pfel", "gr\xFCn", "", "2", "0,00"});
    invoiceState().invoiceCounter = 1;
    invoiceState().customerFullName = " Beispiel";
    invoiceState().invoiceTotalText = "1234,50";
    ASSERT_TRUE(writeItemFile());
    EXPECT_EQ(readData("Rechnungen/1.txt"), "Herr\r\n Beispiel\r\n\r\nHauptstr. 1\r\nMusterstadt\r\n"
                                            " 1,00 ohne Bezeichnung\r\n"
                                            "Holz Schraube 12,5 \r\n"
                                            "\xC4pfel  gr\xFCn\r\n"
                                            "1234,50\r\n");
}

TEST_F(ItemFileTest, AnOlderFileOfTheSameNumberIsReplacedWhole) {
    writeData("Rechnungen/17.txt", std::string(500, 'x'));
    writeData("Rechnungen/16.txt", "bleibt\r\n");
    ASSERT_TRUE(writeItemFile());
    EXPECT_EQ(readData("Rechnungen/17.txt"), std::string(kAddress) + "0,00\r\n");
    EXPECT_EQ(readData("Rechnungen/16.txt"), "bleibt\r\n");
}

TEST_F(ItemFileTest, AFileNamedLikeTheFolderIsAFailure) {
    writeData("Rechnungen", "kein Ordner");
    EXPECT_FALSE(writeItemFile());
    EXPECT_EQ(readData("Rechnungen"), "kein Ordner");
}

TEST_F(ItemFileTest, EveryFailingDiskStepIsReported) {
    createDirectory("Rechnungen");
    const std::string old = "alt\r\n";
    writeData("Rechnungen/17.txt", old);
    resetDiskFaults();
    ASSERT_TRUE(writeItemFile());
    const int steps = diskFaults().changes;
    ASSERT_GE(steps, 3);
    for (int k = 1; k <= steps; ++k) {
        SCOPED_TRACE(k);
        writeData("Rechnungen/17.txt", old);
        resetDiskFaults();
        diskFaults().mode = FaultMode::Once;
        diskFaults().failAt = k;
        EXPECT_FALSE(writeItemFile());
        resetDiskFaults();
        const std::string now = readData("Rechnungen/17.txt");
        EXPECT_TRUE(now == old || now == std::string(kAddress) + "0,00\r\n") << now;
    }
}

} // namespace

namespace {

// A line with its own rate, category or unit: the item file has the three after "|" signs, and the
// line record keeps the whole line, read back as it was; without a record the item file's texts.
TEST_F(ItemFileTest, FullLinesAreKeptAndReadBack) {
    for (int c = 0; c < 3; ++c)
        addHiddenColumn(kLinesList);
    settings().taxRate = "19";
    addLine({"1", "Schraube", "M6", "0,50", "10", "5,00"});
    addLine({"2", "Montage", "je Stunde", "45", "2,5", "112,50", "7", "", "HUR"});
    ASSERT_TRUE(invoiceLinesNeeded());
    ASSERT_TRUE(writeItemFile());
    ASSERT_TRUE(writeInvoiceLines());
    EXPECT_EQ(readData("Rechnungen/17.txt"),
              std::string(kAddress) + "Schraube 0,50 M6\r\nMontage 45 je Stunde|7||HUR\r\n0,00\r\n");
    struct Case {
        const char* name;
        bool recorded;
        std::vector<std::string> read; // designation|description|quantity|price|amount|rate|category|unit
    };
    const Case cases[] = {
        {"recorded",
         true,
         {"Schraube|M6|10|0,50|5,00|19|S|C62", "Montage|je Stunde|2,5|45,00|112,50|7|S|HUR"}},
        {"item file only", false, {"Schraube 0,50 M6|||||0|S|C62", "Montage 45 je Stunde|||||0|S|C62"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.recorded)
            deleteFile(invoiceLinesName("17"));
        const InvoiceLines lines = readInvoiceLines("17");
        EXPECT_EQ(lines.recorded, c.recorded);
        std::vector<std::string> read;
        for (const InvoiceLine& l : lines.lines) {
            const bool known = lines.recorded;
            read.push_back(l.designation + "|" + l.description + "|" +
                           (known ? money::formatQuantity(l.quantity) : "") + "|" +
                           (known ? money::formatDecimal(l.unitPrice.units, 4, 2, ',') : "") + "|" +
                           (known ? money::formatAmount(l.amount) : "") + "|" +
                           money::formatDecimal(l.rate.units, 2, 0, ',') + "|" + l.category + "|" + l.unit);
        }
        EXPECT_EQ(read, c.read);
    }
}

} // namespace
