// Inputs from the fuzz runs (fuzz/), kept with their bytes so that every build checks them: each row
// is held to the property its fuzz target checks, read back here through the program's own reader.
// An input that ever made a target crash or abort is added here as a row; the others are small
// inputs the fuzzers found to reach rare paths.

#include "datafiles/masterdatafile.h"
#include "datafiles/registerfile.h"
#include "runtime/conversions.h"
#include "runtime/linefile.h"
#include "settings/settingsfile.h"
#include "shell/mainwindow.h"
#include "state/invoicestate.h"
#include "state/settings.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"

#include <string>
#include <vector>

namespace {

struct Input {
    const char* name;
    std::string bytes;
};

std::string bytes(const char* data, std::size_t size) {
    return std::string(data, size);
}

class FuzzRegressionsTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        start();
    }
    static void emptyLists() {
        for (const int list : {kCustomerList, kArticleList, kInvoiceList})
            for (int r = rowCount(list) - 1; r >= 0; --r)
                removeRow(list, r);
    }
    static std::vector<std::string> masterCells() {
        std::vector<std::string> cells;
        for (const auto& [list, columns] :
             {std::pair{kCustomerList, kCustomerEInvoiceColumn + kCustomerEInvoiceColumns},
              std::pair{kArticleList, 4}}) {
            cells.push_back(std::to_string(rowCount(list)));
            for (int r = 0; r < rowCount(list); ++r)
                for (int c = 0; c < columns; ++c)
                    cells.push_back(getCell(list, r, c));
        }
        cells.push_back(std::to_string(invoiceState().invoiceCounter));
        return cells;
    }
    static void loadMaster() {
        emptyLists();
        invoiceState().invoiceCounter = 0;
        loadMasterData();
    }
};

// Daten.dat read, saved and read again gives the same lists and counter.
TEST_F(FuzzRegressionsTest, MasterDataRoundTrip) {
    const Input inputs[] = {
        {"count, NUL, count", bytes("4724\r\n\0"
                                    "5\r\n",
                                    10)},
        {"LF count, byte 0xAF, CR", "6\n\xAF"
                                    "48\r"},
        {"count with a sign", "+"},
        {"count 2147483647 then a short line", "2147483647\r\nA|B\r\n"},
        {"negative count then articles", "-5\r\n1\r\na|b|c|d|e|f\r\n-1"},
        {"lone CR between counts", "1\r\r1\r|||\r9"},
    };
    for (const Input& input : inputs) {
        SCOPED_TRACE(input.name);
        writeData("Daten.dat", input.bytes);
        loadMaster();
        const std::vector<std::string> first = masterCells();
        ASSERT_TRUE(saveMasterData());
        loadMaster();
        EXPECT_EQ(masterCells(), first);
    }
}

// ReData.dat: deleting the invoice of any row leaves one row fewer after the next load.
TEST_F(FuzzRegressionsTest, RegisterDeletionRemovesOneRow) {
    const Input inputs[] = {
        {"a number twice", "7|a\r\n7|b\r\n"},
        {"lines that give no row around one that does", "|x\r\n\r\n3\r\n|\r\n"},
        {"NUL ends a line", bytes("1|A\0"
                                  "2|B\r\n",
                                  10)},
        {"number with leading blanks", " 5|x\r\n5|y"},
    };
    for (const Input& input : inputs) {
        SCOPED_TRACE(input.name);
        for (int r = 0;; ++r) {
            writeData("ReData.dat", input.bytes);
            emptyLists();
            loadRegister();
            const int rows = rowCount(kInvoiceList);
            if (r >= rows)
                break;
            ASSERT_TRUE(rewriteRegister(r, getCell(kInvoiceList, r, 0)));
            emptyLists();
            loadRegister();
            EXPECT_EQ(rowCount(kInvoiceList), rows - 1) << "row " << r;
        }
    }
}

// Option.ini read, saved and read again gives the same settings.
TEST_F(FuzzRegressionsTest, SettingsRoundTrip) {
    const Input inputs[] = {
        {"only CRs", std::string(40, '\r')},
        {"NUL in a text line", bytes("a\0b\r\n-2147483648", 17)},
        {"number lines with signs and blanks", "x\r\ny\r\n \t-7\r\nz\r\n+6\r\n- 1"},
    };
    for (const Input& input : inputs) {
        SCOPED_TRACE(input.name);
        writeData("Option.ini", input.bytes);
        resetSettings();
        loadSettings();
        const Settings first = settings();
        ASSERT_TRUE(saveSettings());
        resetSettings();
        loadSettings();
        const Settings& again = settings();
        EXPECT_EQ(again.logoLine1, first.logoLine1);
        EXPECT_EQ(again.logoSize, first.logoSize);
        EXPECT_EQ(again.footerLines1, first.footerLines1);
        EXPECT_EQ(again.footerLines4, first.footerLines4);
        EXPECT_EQ(again.taxRate, first.taxRate);
        EXPECT_EQ(again.pricesGross, first.pricesGross);
    }
}

// The line reader against its rule: a line ends at CR LF, CR, LF, NUL or the end of the file.
TEST_F(FuzzRegressionsTest, LineReaderFollowsItsRule) {
    struct Lines {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Lines inputs[] = {
        {"CR at the end of the 4096-byte buffer, LF after it",
         std::string(4095, 'a') + "\r\nb",
         {std::string(4095, 'a'), "b"}},
        {"NUL then CR LF", bytes("x\0\r\n", 4), {"x", ""}},
        {"LF CR", "\n\r", {"", ""}},
        {"CR CR LF", "\r\r\n", {"", ""}},
    };
    for (const Lines& input : inputs) {
        SCOPED_TRACE(input.name);
        writeData("lines.txt", input.bytes);
        ASSERT_NE(openForReading(0, "lines.txt"), 0);
        std::vector<std::string> lines;
        while (atEnd(0) == 0 && lines.size() <= input.bytes.size())
            lines.push_back(readLine(0));
        closeFile(0);
        EXPECT_EQ(lines, input.lines);
    }
}

} // namespace
