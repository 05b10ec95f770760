// ReData.dat: loading into the invoice list at start, appending, rewriting without one invoice, and
// the counter that start-up raises to the highest registered number.

#include "datafiles/registerfile.h"
#include "runtime/conversions.h"
#include "runtime/diskops.h"
#include "runtime/linefile.h"
#include "shell/mainwindow.h"
#include "state/companydata.h"
#include "state/invoicestate.h"
#include "state/settings.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"

#include <QFile>
#include <string>
#include <vector>

namespace {

using Row = std::vector<std::string>;

const std::string kLine1 = "1|Beispiel|3|249,90|06.12.2026\r\n";
const std::string kLine2 = "2|Muster|1|12,50|07.12.2026\r\n";
const std::string kLine3 = "3|Meier|2|0,00|08.12.2026\r\n";

class RegisterFileTest : public ProgramTest {
  protected:
    std::vector<Row> invoiceRows() {
        std::vector<Row> rows;
        for (int i = 0; i < rowCount(kInvoiceList); ++i) {
            Row row;
            for (int c = 0; c < 5; ++c)
                row.push_back(getCell(kInvoiceList, i, c));
            rows.push_back(row);
        }
        return rows;
    }
};

struct LoadCase {
    const char* name;
    bool present;
    std::string bytes;
    std::vector<Row> rows;
};

TEST_F(RegisterFileTest, LoadGivesOneRowPerNumberedLine) {
    const std::vector<LoadCase> cases = {
        {"missing", false, "", {}},
        {"empty", true, "", {}},
        {"only-empty-lines", true, "\r\n\r\n\n", {}},
        {"first-field-empty", true, "|Beispiel|3|249,90|06.12.2026\r\n", {}},
        {"two-lines",
         true,
         kLine1 + kLine2,
         {{"1", "Beispiel", "3", "249,90", "06.12.2026"}, {"2", "Muster", "1", "12,50", "07.12.2026"}}},
        {"number-only", true, "5\r\n", {{"5", "", "", "", ""}}},
        {"sixth-field-dropped",
         true,
         "4|A|1|2,00|01.01.2026|extra\r\n",
         {{"4", "A", "1", "2,00", "01.01.2026"}}},
        {"mixed-line-ends-no-final-end",
         true,
         "1|a\r\n\r\n2|b\n3|c",
         {{"1", "a", "", "", ""}, {"2", "b", "", "", ""}, {"3", "c", "", "", ""}}},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        deleteFile("ReData.dat");
        if (c.present)
            writeData("ReData.dat", c.bytes);
        start();
        EXPECT_EQ(invoiceRows(), c.rows);
        // A sixth field that is no amount is not shown as "Brutto".
        EXPECT_NE(getCell(kInvoiceList, 0, 5), "extra");
        EXPECT_EQ(fileSize("ReData.dat") >= 0, c.present);
    }
}

struct CounterCase {
    const char* name;
    std::string masterCounter;
    std::string registerBytes;
    int counterAfterStart;
};

TEST_F(RegisterFileTest, StartRaisesACounterBelowTheRegister) {
    const std::vector<CounterCase> cases = {
        {"register-ahead", "3", "5|b\r\n2|a\r\n", 5},
        {"counter-ahead", "9", "2|a\r\n5|b\r\n", 9},
        {"no-register", "4", "", 4},
        {"highest-in-the-middle", "0", "2|a\r\n7|b\r\n4|c", 7},
        // A line without a number names no invoice, whatever follows its "|".
        {"unnamed-lines-ignored", "1", "|9999|x\r\n\r\n3|a\r\n", 3},
    };
    for (const CounterCase& c : cases) {
        SCOPED_TRACE(c.name);
        writeData("Daten.dat", "0\r\n0\r\n" + c.masterCounter + "\r\n");
        writeData("ReData.dat", c.registerBytes);
        start();
        EXPECT_EQ(invoiceState().invoiceCounter, c.counterAfterStart);
    }
}

class AppendTest : public RegisterFileTest {
  protected:
    void SetUp() override {
        RegisterFileTest::SetUp();
        InvoiceState& invoice = invoiceState();
        invoice.invoiceCounter = 17;
        invoice.customerLastName = "Beispiel";
        invoice.customerNumberText = "3";
        invoice.invoiceTotalText = "249,90";
    }
    static std::string expectedLine() {
        return "17|Beispiel|3|249,90|" + formatDate("%dd.%mm.%yyyy", currentDate()) + "\r\n";
    }
};

TEST_F(AppendTest, CreatesTheRegisterWhenMissing) {
    ASSERT_TRUE(appendRegisterLine());
    EXPECT_EQ(readData("ReData.dat"), expectedLine());
}

TEST_F(AppendTest, AddsOneLineAtTheEnd) {
    writeData("ReData.dat", kLine1 + kLine2);
    ASSERT_TRUE(appendRegisterLine());
    EXPECT_EQ(readData("ReData.dat"), kLine1 + kLine2 + expectedLine());
}

TEST_F(AppendTest, ALastLineWithoutItsEndStaysALineOfItsOwn) {
    writeData("ReData.dat", kLine1 + "\r\n2|Muster");
    ASSERT_TRUE(appendRegisterLine());
    EXPECT_EQ(readData("ReData.dat"), kLine1 + "\r\n2|Muster\r\n" + expectedLine());
}

TEST_F(AppendTest, WithCompanyDataTheGrossTotalIsTheSixthField) {
    companyData().present = true;
    settings().taxRate = "19";
    ASSERT_TRUE(appendRegisterLine());
    std::string line = expectedLine();
    EXPECT_EQ(readData("ReData.dat"), line.insert(line.size() - 2, "|297,38"));
}

TEST_F(RegisterFileTest, BruttoIsTheSixthFieldOrWhatThePrintoutComputed) {
    struct Case {
        const char* name;
        std::string line;
        const char* pricesGross;
        const char* company;
        const char* brutto;
    };
    const Case cases[] = {
        {"net prices: the tax added", "1|A|1|100,00|01.01.2026", "0", nullptr, "119,00"},
        {"gross prices: the amount", "1|A|1|100,00|01.01.2026", "1", nullptr, "100,00"},
        {"small business: the amount", "1|A|1|100,00|01.01.2026", "0", "Kleinunternehmer=1\r\n", "100,00"},
        {"as written", "1|A|1|100,00|01.01.2026|107,00", "0", nullptr, "107,00"},
        {"no amount in the sixth field", "1|A|1|100,00|01.01.2026|extra", "0", nullptr, "119,00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeData("ReData.dat", c.line + "\r\n");
        writeData("Option.ini", std::string(29, '\n') + "19\r\n" + c.pricesGross);
        QFile::remove(QString::fromStdString(dataPath("Firma.ini")));
        if (c.company)
            writeData("Firma.ini", c.company);
        start();
        EXPECT_EQ(getCell(kInvoiceList, -1, 5), "Brutto");
        EXPECT_EQ(getCell(kInvoiceList, 0, 5), c.brutto);
    }
}

TEST_F(AppendTest, EveryFailingDiskStepIsReported) {
    // A clean run counts the steps that change the disk (open, write, flush to disk, ...).
    writeData("ReData.dat", kLine1);
    resetDiskFaults();
    ASSERT_TRUE(appendRegisterLine());
    const int steps = diskFaults().changes;
    ASSERT_GE(steps, 3); // opening, writing and the flush to disk at least
    for (int k = 1; k <= steps; ++k) {
        SCOPED_TRACE(k);
        writeData("ReData.dat", kLine1);
        resetDiskFaults();
        diskFaults().mode = FaultMode::Once;
        diskFaults().failAt = k;
        EXPECT_FALSE(appendRegisterLine());
        EXPECT_EQ(diskFaults().injected, 1);
        resetDiskFaults();
        const std::string now = readData("ReData.dat");
        EXPECT_TRUE(now == kLine1 || now == kLine1 + expectedLine()) << now;
    }
    // A disk that fills up in the middle of the line leaves no half line behind.
    writeData("ReData.dat", kLine1);
    diskFaults().mode = FaultMode::FromThenOn;
    diskFaults().failAt = 1;
    diskFaults().shortWrite = true;
    diskFaults().error = ENOSPC;
    EXPECT_FALSE(appendRegisterLine());
    resetDiskFaults();
    EXPECT_EQ(readData("ReData.dat"), kLine1);
}

struct RewriteCase {
    const char* name;
    std::string before;
    int r;
    std::string number;
    std::string after;
};

TEST_F(RegisterFileTest, RewriteDropsTheLineOfTheDeletedInvoice) {
    const std::vector<RewriteCase> cases = {
        {"first-of-three", kLine1 + kLine2 + kLine3, 0, "1", kLine2 + kLine3},
        {"row-past-the-end", kLine1 + kLine2, 5, "2", kLine1},
        {"line-r-preferred-among-equals", "4|a\r\n4|b\r\n", 1, "4", "4|a\r\n"},
        {"number-not-registered", kLine1 + kLine2, 1, "9", kLine1 + kLine2},
        {"empty-number-drops-no-empty-line", kLine1 + "\r\n", 1, "", kLine1 + "\r\n"},
        {"last-line-without-end", kLine1 + "2|Muster", 0, "1", "2|Muster\r\n"},
    };
    for (const RewriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        writeData("ReData.dat", c.before);
        EXPECT_TRUE(rewriteRegister(c.r, c.number));
        EXPECT_EQ(readData("ReData.dat"), c.after);
    }
}

TEST_F(RegisterFileTest, RewriteReadsEveryLineOfALongRegister) {
    std::string before;
    std::string after;
    for (int n = 1; n <= 5000; ++n) {
        const std::string line = std::to_string(n) + "|Kunde|1|1,00|01.01.2026\r\n";
        before += line;
        if (n != 4321)
            after += line;
    }
    writeData("ReData.dat", before);
    EXPECT_TRUE(rewriteRegister(4320, "4321"));
    EXPECT_EQ(readData("ReData.dat"), after);
}

TEST_F(RegisterFileTest, RewriteWithoutRegisterCreatesNone) {
    EXPECT_TRUE(rewriteRegister(0, "1"));
    EXPECT_EQ(fileSize("ReData.dat"), -1);
}

TEST_F(RegisterFileTest, FailedRewriteNeverLosesTheRegister) {
    const std::string before = kLine1 + kLine2 + kLine3;
    const std::string after = kLine1 + kLine3;
    writeData("ReData.dat", before);
    resetDiskFaults();
    ASSERT_TRUE(rewriteRegister(1, "2"));
    const int steps = diskFaults().changes;
    ASSERT_GE(steps, 3);
    for (int k = 1; k <= steps; ++k) {
        SCOPED_TRACE(k);
        writeData("ReData.dat", before);
        resetDiskFaults();
        diskFaults().mode = FaultMode::Once;
        diskFaults().failAt = k;
        EXPECT_FALSE(rewriteRegister(1, "2"));
        resetDiskFaults();
        // Old or new, never a mixture and never gone; no temporary file is left behind.
        const std::string now = readData("ReData.dat");
        EXPECT_TRUE(now == before || now == after) << now;
        if (k == 1) {
            EXPECT_EQ(now, before);
        }
        EXPECT_EQ(fileSize("ReData.dat.quillora-tmp"), -1);
    }
}

} // namespace
