// Daten.dat: byte-exact saving, loading of good and damaged files, and replacement that never loses
// the old file.

#include "datafiles/masterdatafile.h"
#include "runtime/atomicsave.h"
#include "runtime/diskops.h"
#include "shell/mainwindow.h"
#include "state/invoicestate.h"
#include "support/ordinaryuser.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows rowsOf(int list, int columns) {
    Rows rows;
    for (int r = 0; r < rowCount(list); ++r) {
        rows.emplace_back();
        for (int c = 0; c < columns; ++c)
            rows.back().push_back(getCell(list, r, c));
    }
    return rows;
}

void addRows(int list, const Rows& rows) {
    for (const auto& cells : rows) {
        std::string text;
        for (const std::string& cell : cells)
            text += cell + '\n';
        addRow(list, -1, text);
    }
}

const Rows kCustomers = {
    {"Herr", "M\xFCller", "J\xFCrgen", "",
     "Stra\xDF"
     "e 1",
     "12345 K\xF6ln"},
    {"", "Leer", "Anrede", "c/o Firma", "Weg 2", "Ort"},
    {"", "", "", "", "", ""},
    {"Frau", "Meier", "Anna", "Hinterhaus", "Gasse 3", ""},
};
const Rows kArticles = {
    {"Tisch",
     "M\xF6"
     "bel",
     "12,50", "Eiche, 2 m"},
    {"", "", "", ""},
    {"Stuhl",
     "M\xF6"
     "bel",
     "7.00", "\x80 inklusive"},
};

class MasterDataTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        resetDiskFaults();
    }
    void TearDown() override {
        resetDiskFaults();
        ProgramTest::TearDown();
    }
    void fill(const Rows& customers, const Rows& articles, std::int32_t counter) {
        addRows(kCustomerList, customers);
        addRows(kArticleList, articles);
        invoiceState().invoiceCounter = counter;
    }
    // A fresh main window and the load step of start-up alone, without what start-up does after it.
    void reload() {
        resetInvoiceState();
        resetToolkit();
        ASSERT_TRUE(buildMainWindow());
        loadMasterData();
    }
    bool temporaryLeft() const { return fs::exists(dataPath("Daten.dat" + std::string(kTemporarySuffix))); }
};

TEST_F(MasterDataTest, EmptyListsSaveAsThreeZeros) {
    start();
    ASSERT_TRUE(saveMasterData());
    EXPECT_EQ(readData("Daten.dat"), "0\r\n0\r\n0\r\n");
}

TEST_F(MasterDataTest, SavesLineByLineWithCountsFirstAndTheCounterLast) {
    start();
    fill({{"Herr", "M\xFCller", "Hans", "", "Hauptstr. 1", "12345 Stadt"}},
         {{"Tisch",
           "M\xF6"
           "bel",
           "12,50", "Eiche"},
          {"Stuhl", "", "7,00", ""}},
         17);
    ASSERT_TRUE(saveMasterData());
    EXPECT_EQ(readData("Daten.dat"), "1\r\n"
                                     "Herr|M\xFCller|Hans||Hauptstr. 1|12345 Stadt\r\n"
                                     "2\r\n"
                                     "Tisch|M\xF6"
                                     "bel|12,50|Eiche\r\n"
                                     "Stuhl||7,00|\r\n"
                                     "17\r\n");
    EXPECT_FALSE(temporaryLeft());
}

TEST_F(MasterDataTest, SaveThenLoadGivesTheSameRowsOrderAndCounter) {
    for (const std::int32_t counter : {0, 1, -7, 2147483647}) {
        SCOPED_TRACE(counter);
        fs::remove(dataPath("Daten.dat"));
        start();
        fill(kCustomers, kArticles, counter);
        ASSERT_TRUE(saveMasterData());
        const std::string saved = readData("Daten.dat");
        EXPECT_NE(saved.find("\r\n|Leer|Anrede|"), std::string::npos);
        EXPECT_NE(saved.find("\r\n|||||\r\n"), std::string::npos);
        reload();
        EXPECT_EQ(rowsOf(kCustomerList, 6), kCustomers);
        EXPECT_EQ(rowsOf(kArticleList, 4), kArticles);
        EXPECT_EQ(invoiceState().invoiceCounter, counter);
        // What was loaded saves to the very same bytes.
        ASSERT_TRUE(saveMasterData());
        EXPECT_EQ(readData("Daten.dat"), saved);
    }
}

TEST_F(MasterDataTest, AFileOfAnEarlierInstallationLoadsAndSavesUnchanged) {
    const std::string earlier = "2\r\n"
                                "Firma|Gr\xFC"
                                "n & S\xF6hne||z. Hd. Frau B\xE4r|Allee 9|80331 M\xFCnchen\r\n"
                                "Herr|Kunz|Karl|||\r\n"
                                "1\r\n"
                                "Beratung|Dienst|85,00|je Stunde (\x80)\r\n"
                                "41\r\n";
    writeData("Daten.dat", earlier);
    start();
    EXPECT_EQ(rowsOf(kCustomerList, 6), (Rows{{"Firma",
                                               "Gr\xFC"
                                               "n & S\xF6hne",
                                               "", "z. Hd. Frau B\xE4r", "Allee 9", "80331 M\xFCnchen"},
                                              {"Herr", "Kunz", "Karl", "", "", ""}}));
    EXPECT_EQ(rowsOf(kArticleList, 4), (Rows{{"Beratung", "Dienst", "85,00", "je Stunde (\x80)"}}));
    EXPECT_EQ(invoiceState().invoiceCounter, 41);
    ASSERT_TRUE(saveMasterData());
    EXPECT_EQ(readData("Daten.dat"), earlier);
}

// An earlier installation's file saves unchanged; a customer keeps its number when rows above it go,
// a number goes into the file only where it is not the place, and none is given twice.
TEST_F(MasterDataTest, CustomersKeepTheirNumbersAndNoneComesTwice) {
    const std::string earlier = "3\r\nHerr|A||||\r\nFrau|B|||||b@c.de|||||\r\nHerr|C||||\r\n0\r\n5\r\n";
    writeData("Daten.dat", earlier);
    start();
    ASSERT_TRUE(saveMasterData());
    EXPECT_EQ(readData("Daten.dat"), earlier);
    const auto remove = [this](int row) {
        setState(kCustomerList, row);
        answerNext(kAnswerYes);
        ASSERT_TRUE(clickButton(kDeleteCustomerButton));
        dispatch();
    };
    const auto add = [](const char* name) {
        ASSERT_TRUE(clickButton(kNewCustomerButton));
        dispatch();
        ASSERT_TRUE(typeInto(kNewCustomerFirstField + 1, name));
        ASSERT_TRUE(clickButton(kNewCustomerOkButton));
        dispatch();
    };
    remove(0);
    ASSERT_TRUE(saveMasterData());
    EXPECT_EQ(readData("Daten.dat"), "2\r\nFrau|B|||||b@c.de||||||2\r\nHerr|C|||||||||||3\r\n0\r\n5\r\n");
    // The last customer goes: its number is remembered after the counter.
    remove(1);
    ASSERT_TRUE(saveMasterData());
    EXPECT_EQ(readData("Daten.dat"), "1\r\nFrau|B|||||b@c.de||||||2\r\n0\r\n5\r\n3\r\n");
    start();
    add("D");
    ASSERT_TRUE(saveMasterData());
    EXPECT_EQ(readData("Daten.dat"), "2\r\nFrau|B|||||b@c.de||||||2\r\n|D|||||||||||4\r\n0\r\n5\r\n");
}

// USt-Satz, Steuerkategorie and Einheit follow an article's four fields only where one is set.
TEST_F(MasterDataTest, ArticleTaxFieldsFollowOnlyOnArticlesThatHaveThem) {
    const std::string file =
        "0\r\n3\r\nTisch|M|12,50|E\r\nBrot|B|2,00||7|S|KGM\r\nMontage|D|45||||HUR\r\n0\r\n";
    writeData("Daten.dat", file);
    start();
    EXPECT_EQ(rowsOf(kArticleList, 7), (Rows{{"Tisch", "M", "12,50", "E", "", "", ""},
                                             {"Brot", "B", "2,00", "", "7", "S", "KGM"},
                                             {"Montage", "D", "45", "", "", "", "HUR"}}));
    ASSERT_TRUE(saveMasterData());
    EXPECT_EQ(readData("Daten.dat"), file);
}

struct LoadCase {
    const char* name;
    std::string bytes;
    bool missingFile;
    Rows customers;
    Rows articles;
    std::int32_t counter;
};

TEST_F(MasterDataTest, DamagedAndUnusualFilesLoadWithoutStopping) {
    const Rows none;
    const std::vector<LoadCase> cases = {
        {"missing file", "", true, none, none, 0},
        {"empty file", "", false, none, none, 0},
        {"short and long lines",
         "2\r\nHerr|Kurz\r\na|b|c|d|e|f|g|h\r\n1\r\nNurName\r\n3\r\n",
         false,
         {{"Herr", "Kurz", "", "", "", ""}, {"a", "b", "c", "d", "e", "f"}},
         {{"NurName", "", "", ""}},
         3},
        {"huge count in a short file",
         "2000000000\r\nA|B|C|D|E|F\r\n1\r\n",
         false,
         {{"A", "B", "C", "D", "E", "F"}, {"1", "", "", "", "", ""}},
         none,
         0},
        {"count one too large shifts the rest",
         "2\r\nA|B|C|D|E|F\r\n0\r\n5\r\n",
         false,
         {{"A", "B", "C", "D", "E", "F"}, {"0", "", "", "", "", ""}},
         none,
         0},
        {"negative count reads no rows",
         "-3\r\n1\r\nT|K|1,00|B\r\n8\r\n",
         false,
         none,
         {{"T", "K", "1,00", "B"}},
         8},
        {"count that is no number",
         "zwei\r\n1\r\nT|K|1,00|B\r\n8\r\n",
         false,
         none,
         {{"T", "K", "1,00", "B"}},
         8},
        {"count too small shifts the rest",
         "1\r\nA|B|C|D|E|F\r\nG|H|I|J|K|L\r\n0\r\n4\r\n",
         false,
         {{"A", "B", "C", "D", "E", "F"}},
         none,
         0},
        {"lines after the counter are ignored", "0\r\n0\r\n12\r\n1\r\nX|Y|Z|W|V|U\r\n", false, none, none,
         12},
        {"LF and CR line ends",
         "1\nA|B|C|D|E|F\r1\nT|K|2,00|B\r\n9",
         false,
         {{"A", "B", "C", "D", "E", "F"}},
         {{"T", "K", "2,00", "B"}},
         9},
        {"no counter line", "0\r\n1\r\nT|K|2,00|B\r\n", false, none, {{"T", "K", "2,00", "B"}}, 0},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(dataPath("Daten.dat"));
        if (!c.missingFile)
            writeData("Daten.dat", c.bytes);
        reload();
        EXPECT_EQ(rowsOf(kCustomerList, 6), c.customers);
        EXPECT_EQ(rowsOf(kArticleList, 4), c.articles);
        EXPECT_EQ(invoiceState().invoiceCounter, c.counter);
    }
}

TEST_F(MasterDataTest, NoCellCanSplitARecord) {
    start();
    fill({{"a|b", "", "", "", "|", "x"}}, {{"|||", "", "1,00", "ok"}}, 3);
    setCell(kCustomerList, 0, "c\rd", 1);
    setCell(kCustomerList, 0, "e\nf", 2);
    setCell(kCustomerList, 0, std::string("g\0h", 3), 3);
    setCell(kArticleList, 0, "\r\n", 1);
    ASSERT_TRUE(saveMasterData());
    EXPECT_EQ(readData("Daten.dat"), "1\r\na b|c d|e f|g h| |x\r\n1\r\n   |  |1,00|ok\r\n3\r\n");
    start();
    EXPECT_EQ(rowsOf(kCustomerList, 6), (Rows{{"a b", "c d", "e f", "g h", " ", "x"}}));
    EXPECT_EQ(rowsOf(kArticleList, 4), (Rows{{"   ", "  ", "1,00", "ok"}}));
}

TEST_F(MasterDataTest, ASaveReplacesTheWholeLongerFile) {
    start();
    fill(kCustomers, kArticles, 5);
    ASSERT_TRUE(saveMasterData());
    removeRow(kCustomerList, 3);
    removeRow(kCustomerList, 2);
    removeRow(kCustomerList, 1);
    removeRow(kArticleList, 2);
    removeRow(kArticleList, 1);
    ASSERT_TRUE(saveMasterData());
    EXPECT_EQ(readData("Daten.dat"), "1\r\nHerr|M\xFCller|J\xFCrgen||Stra\xDF"
                                     "e 1|12345 K\xF6ln\r\n"
                                     "1\r\nTisch|M\xF6"
                                     "bel|12,50|Eiche, 2 m\r\n5\r\n");
}

TEST_F(MasterDataTest, ASaveThatFailsAtAnyStepKeepsTheOldBytesAndSaysSo) {
    const std::string old = "1\r\nalt|alt|alt|alt|alt|alt\r\n0\r\n3\r\n";
    start();
    fill(kCustomers, kArticles, 9);
    writeData("Daten.dat", old);
    resetDiskFaults();
    ASSERT_TRUE(saveMasterData());
    const std::string saved = readData("Daten.dat");
    const int steps = diskFaults().changes;
    ASSERT_GE(steps, 4); // create, keep the mode, write, flush, rename, flush the folder
    for (int step = 1; step <= steps; ++step) {
        SCOPED_TRACE(step);
        writeData("Daten.dat", old);
        resetDiskFaults();
        diskFaults().mode = FaultMode::Once;
        diskFaults().failAt = step;
        EXPECT_FALSE(saveMasterData());
        EXPECT_EQ(diskFaults().injected, 1);
        EXPECT_FALSE(temporaryLeft());
        // Only the flush of the folder comes after the rename: then the new content is in place.
        EXPECT_EQ(readData("Daten.dat"), step < steps ? old : saved);
    }
}

TEST_F(MasterDataTest, AFullDiskKeepsTheOldBytes) {
    const std::string old = "0\r\n0\r\n4\r\n";
    start();
    fill(kCustomers, kArticles, 9);
    writeData("Daten.dat", old);
    // The disk fills up during the first write: half of it goes through, then nothing more.
    diskFaults().mode = FaultMode::FromThenOn;
    diskFaults().failAt = 2;
    diskFaults().error = ENOSPC;
    diskFaults().shortWrite = true;
    EXPECT_FALSE(saveMasterData());
    EXPECT_GE(diskFaults().injected, 1);
    resetDiskFaults();
    EXPECT_EQ(readData("Daten.dat"), old);
    start();
    EXPECT_EQ(invoiceState().invoiceCounter, 4);
}

// Exit codes of the read-only scenario.
enum : int {
    kScenarioOk = 0,
    kSaveClaimedSuccess = 11,
    kOldBytesChanged = 12,
    kTemporaryLeft = 13,
    kWritableFolderFailed = 14,
};

TEST_F(MasterDataTest, AReadOnlyFolderKeepsTheOldFileForAnOrdinaryUser) {
    if (const std::string why = whyOrdinaryUserCannotReach(dataPath("")); ::geteuid() == 0 && !why.empty())
        GTEST_SKIP() << why;
    start();
    fill(kCustomers, kArticles, 9);
    const std::string old = "0\r\n0\r\n6\r\n";
    // The data folder must be passable for the other user; "nur-lesen" is read-only, "frei" writable.
    const fs::path base = dataPath("");
    fs::permissions(base, fs::perms(0755));
    const fs::path readOnly = base / "nur-lesen";
    const fs::path writable = base / "frei";
    fs::create_directory(readOnly);
    fs::create_directory(writable);
    std::ofstream(readOnly / "Daten.dat", std::ios::binary) << old;
    fs::permissions(readOnly / "Daten.dat", fs::perms(0644));
    fs::permissions(readOnly, fs::perms(0555));
    fs::permissions(writable, fs::perms(0777));

    const int result = runAsOrdinaryUser([&]() -> int {
        if (chdir(readOnly.c_str()) != 0)
            return kCannotSwitchUser;
        if (saveMasterData())
            return kSaveClaimedSuccess;
        std::ifstream in("Daten.dat", std::ios::binary);
        if (std::string(std::istreambuf_iterator<char>(in), {}) != old)
            return kOldBytesChanged;
        if (fs::exists("Daten.dat" + std::string(kTemporarySuffix)))
            return kTemporaryLeft;
        // The same user can save where the folder lets it: the refusal came from the folder.
        if (chdir(writable.c_str()) != 0 || !saveMasterData())
            return kWritableFolderFailed;
        return kScenarioOk;
    });
    fs::permissions(readOnly, fs::perms(0755));
    if (result == kCannotSwitchUser)
        GTEST_SKIP() << "cannot switch to the user nobody here";
    EXPECT_EQ(result, kScenarioOk);
    EXPECT_EQ(readData("nur-lesen/Daten.dat"), old);
    EXPECT_EQ(readData("frei/Daten.dat").substr(0, 3), "4\r\n");
}

} // namespace
