// Option.ini: defaults, the 31 lines, short and damaged files, and replacement that never loses the
// old file.

#include "runtime/atomicsave.h"
#include "runtime/diskops.h"
#include "settings/settingsfile.h"
#include "state/settings.h"
#include "support/ordinaryuser.h"
#include "support/testenv.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

// Every field of the record as text, in file order, the font face last.
Lines fieldsOf(const Settings& s) {
    Lines out = {s.logoLine1,
                 s.logoLine2,
                 std::to_string(s.logoSize),
                 s.companyAddress,
                 std::to_string(s.companyAddressSize),
                 std::to_string(s.customerAddressSize),
                 std::to_string(s.invoiceTextSize),
                 std::to_string(s.otherTextSize)};
    for (const FooterLines* block : {&s.footerLines1, &s.footerLines2, &s.footerLines3, &s.footerLines4})
        out.insert(out.end(), block->begin(), block->end());
    out.insert(out.end(), {s.taxNumber, s.taxRate, std::to_string(s.pricesGross), s.fontName});
    return out;
}

// Lines joined by CR LF, with no line end after the last, as Option.ini is written.
std::string fileOf(const Lines& lines) {
    std::string bytes;
    for (std::size_t i = 0; i < lines.size(); ++i)
        bytes += (i > 0 ? "\r\n" : "") + lines[i];
    return bytes;
}

Lines defaultFileLines() {
    Lines lines = {"", "", "18", "", "6", "10", "8", "7"};
    for (const char* text : {"Adresse", "Telefon Telefax", "Bankverbindung", "Name Steuernummer"})
        lines.insert(lines.end(), 5, text);
    lines.insert(lines.end(), {"", "", "0"});
    return lines;
}

Settings fullSettings() {
    Settings s;
    s.logoLine1 = "M\xFCller & S\xF6hne";
    s.logoLine2 = "Tischlerei seit 1890";
    s.logoSize = 20;
    s.companyAddress = "Hauptstra\xDF"
                       "e 1, 12345 K\xF6ln";
    s.companyAddressSize = 99;
    s.customerAddressSize = -4;
    s.invoiceTextSize = 11;
    s.otherTextSize = 7;
    s.footerLines1 = {"", "Zeile 2", "", "Zeile 4", ""};
    s.footerLines2 = {"Tel. 0221 1", "Fax 0221 2", "", "", ""};
    s.footerLines3 = {"Bank", "IBAN DE00", "BIC X", "\x80", "letzte"};
    s.footerLines4 = {"", "", "", "", ""};
    s.taxNumber = "214/5678/0912";
    s.taxRate = "19 %";
    s.pricesGross = 1;
    s.fontName = "Arial";
    return s;
}

class SettingsFileTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        resetDiskFaults();
    }
    void TearDown() override {
        resetDiskFaults();
        ProgramTest::TearDown();
    }
    static void reload() {
        resetSettings();
        loadSettings();
    }
};

TEST_F(SettingsFileTest, NoFileGivesTheDefaultsAndWritesNothing) {
    settings().taxNumber = "bleibt";
    loadSettings();
    Settings expected = defaultSettings();
    expected.taxNumber = "bleibt"; // only the defaulted fields are set
    EXPECT_EQ(fieldsOf(settings()), fieldsOf(expected));
    EXPECT_EQ(settings().fontName, "Arial");
    EXPECT_FALSE(fs::exists(dataPath("Option.ini")));
}

TEST_F(SettingsFileTest, TheDefaultsSaveAs31LinesWithoutAFinalLineEnd) {
    loadSettings();
    ASSERT_TRUE(saveSettings());
    const std::string bytes = readData("Option.ini");
    EXPECT_EQ(bytes, fileOf(defaultFileLines()));
    EXPECT_EQ(bytes.back(), '0');
}

TEST_F(SettingsFileTest, SaveThenLoadGivesTheSameSettings) {
    settings() = fullSettings();
    ASSERT_TRUE(saveSettings());
    const std::string bytes = readData("Option.ini");
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 30);
    EXPECT_TRUE(bytes.ends_with("\r\n19 %\r\n1"));
    reload();
    EXPECT_EQ(fieldsOf(settings()), fieldsOf(fullSettings()));
    ASSERT_TRUE(saveSettings());
    EXPECT_EQ(readData("Option.ini"), bytes);
}

struct LoadCase {
    const char* name;
    std::string bytes;
    Lines expected; // fieldsOf the loaded record
};

Lines withFields(Lines fields) {
    fields.resize(31);
    for (std::size_t i : {2u, 4u, 5u, 6u, 7u, 30u})
        if (fields[i].empty())
            fields[i] = "0";
    fields.push_back("Arial");
    return fields;
}

TEST_F(SettingsFileTest, ShortAndDamagedFilesLoadWithoutDefaults) {
    Lines longer = defaultFileLines();
    longer.back() = "2";
    longer.insert(longer.end(), {"zu viel", "1"});
    Lines loadedLonger = defaultFileLines();
    loadedLonger.back() = "2";
    loadedLonger.push_back("Arial");

    const std::vector<LoadCase> cases = {
        {"empty file", "", withFields({})},
        {"only eight lines", fileOf({"Logo", "Zwei", "12", "Anschrift", "7", "11", "9", "8"}),
         withFields({"Logo", "Zwei", "12", "Anschrift", "7", "11", "9", "8"})},
        {"numbers with text after them and no number",
         fileOf({"", "", "14pt", "", "gross", " 9", "-2", "+3"}),
         withFields({"", "", "14", "", "0", "9", "-2", "3"})},
        {"lines after the 31st and pricesGross 2", fileOf(longer), loadedLonger},
        {"LF line ends and a final line end", "A\nB\n19\nC\n6\n10\n8\n7\n",
         withFields({"A", "B", "19", "C", "6", "10", "8", "7"})},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        writeData("Option.ini", c.bytes);
        reload();
        EXPECT_EQ(fieldsOf(settings()), c.expected);
    }
}

TEST_F(SettingsFileTest, ALineBreakInATextCannotShiftTheLaterValues) {
    settings() = fullSettings();
    settings().logoLine1 = "eins\r\nzwei";
    settings().footerLines2[1] = std::string("a\nb\0c", 5);
    ASSERT_TRUE(saveSettings());
    reload();
    Settings expected = fullSettings();
    expected.logoLine1 = "eins  zwei";
    expected.footerLines2[1] = "a b c";
    EXPECT_EQ(fieldsOf(settings()), fieldsOf(expected));
}

TEST_F(SettingsFileTest, ASaveThatFailsAtAnyStepKeepsTheOldBytesAndSaysSo) {
    const std::string old = fileOf(defaultFileLines());
    settings() = fullSettings();
    // Counted over a file that is there, as below: its replacement keeps the old mode bits.
    writeData("Option.ini", old);
    ASSERT_TRUE(saveSettings());
    const std::string saved = readData("Option.ini");
    const int steps = diskFaults().changes;
    ASSERT_GE(steps, 4);
    for (int step = 1; step <= steps; ++step) {
        SCOPED_TRACE(step);
        writeData("Option.ini", old);
        resetDiskFaults();
        diskFaults().mode = FaultMode::Once;
        diskFaults().failAt = step;
        diskFaults().error = ENOSPC;
        EXPECT_FALSE(saveSettings());
        EXPECT_EQ(diskFaults().injected, 1);
        EXPECT_FALSE(fs::exists(dataPath("Option.ini" + std::string(kTemporarySuffix))));
        // Only the flush of the folder comes after the rename: then the new content is in place.
        EXPECT_EQ(readData("Option.ini"), step < steps ? old : saved);
    }
}

enum : int {
    kScenarioOk = 0,
    kSaveClaimedSuccess = 11,
    kOldBytesChanged = 12,
    kWritableFolderFailed = 14,
};

TEST_F(SettingsFileTest, AReadOnlyFolderKeepsTheOldFileForAnOrdinaryUser) {
    if (const std::string why = whyOrdinaryUserCannotReach(dataPath("")); ::geteuid() == 0 && !why.empty())
        GTEST_SKIP() << why;
    const std::string old = fileOf(defaultFileLines());
    settings() = fullSettings();
    const fs::path base = dataPath("");
    fs::permissions(base, fs::perms(0755));
    const fs::path readOnly = base / "nur-lesen";
    const fs::path writable = base / "frei";
    fs::create_directory(readOnly);
    fs::create_directory(writable);
    std::ofstream(readOnly / "Option.ini", std::ios::binary) << old;
    fs::permissions(readOnly / "Option.ini", fs::perms(0644));
    fs::permissions(readOnly, fs::perms(0555));
    fs::permissions(writable, fs::perms(0777));

    const int result = runAsOrdinaryUser([&]() -> int {
        if (chdir(readOnly.c_str()) != 0)
            return kCannotSwitchUser;
        if (saveSettings())
            return kSaveClaimedSuccess;
        std::ifstream in("Option.ini", std::ios::binary);
        if (std::string(std::istreambuf_iterator<char>(in), {}) != old)
            return kOldBytesChanged;
        // The same user can save where the folder lets it: the refusal came from the folder.
        if (chdir(writable.c_str()) != 0 || !saveSettings())
            return kWritableFolderFailed;
        return kScenarioOk;
    });
    fs::permissions(readOnly, fs::perms(0755));
    if (result == kCannotSwitchUser)
        GTEST_SKIP() << "cannot switch to the user nobody here";
    EXPECT_EQ(result, kScenarioOk);
    EXPECT_EQ(readData("nur-lesen/Option.ini"), old);
    EXPECT_TRUE(readData("frei/Option.ini").starts_with("M\xFCller & S\xF6hne\r\n"));
}

} // namespace
