#include "runtime/diskops.h"
#include "runtime/linefile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Every test runs in a fresh folder of its own as the current directory.
class LineFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = fs::current_path();
        folder_ =
            fs::temp_directory_path() / ("linefile_test_" + std::to_string(::getpid()) + "_" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        fs::current_path(folder_);
        resetDiskFaults();
    }
    void TearDown() override {
        closeAllFiles();
        resetDiskFaults();
        fs::current_path(previous_);
        fs::remove_all(folder_);
    }

    static void putBytes(const std::string& name, std::string_view bytes) {
        std::ofstream(name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    static std::string bytesOf(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

  private:
    fs::path previous_;
    fs::path folder_;
};

// Splits bytes into lines one byte at a time, the way the line ends are defined.
std::vector<std::string> referenceLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::string line;
        while (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n' && bytes[i] != '\0')
            line += bytes[i++];
        if (i < bytes.size() && bytes[i++] == '\r' && i < bytes.size() && bytes[i] == '\n')
            ++i;
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> readAllLines(int file) {
    std::vector<std::string> lines;
    while (atEnd(file) == 0)
        lines.push_back(readLine(file));
    return lines;
}

TEST_F(LineFileTest, LineEnds) {
    struct Row {
        const char* name;
        std::string_view bytes;
        std::vector<std::string> lines;
    };
    const std::string longLine(10000, 'x');
    const std::string crAtBlockEnd = std::string(4095, 'a') + "\r\nb";
    const std::string crBeforeBlockEnd = std::string(4095, 'a') + "\rb";
    const Row rows[] = {
        {"mixed", "a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"crlf-at-end", "a\r\nb\r\n", {"a", "b"}},
        {"lone-cr-at-end", "a\rb\r", {"a", "b"}},
        {"lf-then-cr", "a\n\rb", {"a", "", "b"}},
        {"two-crs", "a\r\rb", {"a", "", "b"}},
        {"nul", std::string_view("a\0b\0", 4), {"a", "b"}},
        {"empty-lines", "\r\n\r\n", {"", ""}},
        {"long-line", longLine, {longLine}},
        {"crlf-split-over-blocks", crAtBlockEnd, {std::string(4095, 'a'), "b"}},
        {"cr-and-next-byte-in-two-blocks", crBeforeBlockEnd, {std::string(4095, 'a'), "b"}},
        {"empty-file", "", {}},
    };
    for (const Row& row : rows) {
        putBytes("in.txt", row.bytes);
        ASSERT_NE(openForReading(0, "in.txt"), 0) << row.name;
        EXPECT_EQ(readAllLines(0), row.lines) << row.name;
        EXPECT_EQ(atEnd(0), 1) << row.name;
        EXPECT_EQ(readLine(0), "") << row.name << ": reading past the end";
        EXPECT_EQ(atEnd(0), 1) << row.name;
        EXPECT_TRUE(closeFile(0)) << row.name;
    }
}

TEST_F(LineFileTest, MatchesByteWiseSplittingAcrossBlocks) {
    std::mt19937 random(7);
    const char pieces[] = {'\r', '\n', '\0', 'x', 'y', '\xE4'};
    std::string bytes;
    while (bytes.size() < 50000) {
        bytes.append(random() % 40 == 0 ? 5000 : random() % 12, 'q');
        bytes += pieces[random() % sizeof pieces];
    }
    putBytes("random.txt", bytes);
    ASSERT_NE(openForReading(0, "random.txt"), 0);
    EXPECT_EQ(readAllLines(0), referenceLines(bytes));
}

TEST_F(LineFileTest, ReopeningANumberClosesTheOldFile) {
    putBytes("first.txt", "a\r\nb\r\n");
    putBytes("second.txt", "x\r\n");
    ASSERT_NE(openForReading(3, "first.txt"), 0);
    EXPECT_EQ(readLine(3), "a");
    ASSERT_NE(openForReading(3, "second.txt"), 0);
    EXPECT_EQ(readLine(3), "x");
    EXPECT_EQ(openForReading(3, "missing.txt"), 0);
    EXPECT_EQ(readLine(3), "") << "a failed opening keeps the open file";
    EXPECT_EQ(atEnd(3), 1);
    ASSERT_NE(openForReading(4, "first.txt"), 0);
    closeAllFiles();
    EXPECT_FALSE(closeFile(3));
    EXPECT_FALSE(closeFile(4));
}

TEST_F(LineFileTest, UnopenedNumbersDoNothing) {
    EXPECT_EQ(readLine(5), "");
    EXPECT_EQ(atEnd(5), 0);
    EXPECT_EQ(fileLength(5), -1);
    EXPECT_FALSE(fileReadOk(5));
    EXPECT_FALSE(closeFile(5));
}

TEST_F(LineFileTest, OpeningFailures) {
    fs::create_directory("Rechnungen");
    EXPECT_EQ(openForReading(0, "missing.txt"), 0);
    EXPECT_EQ(openForReading(0, "Rechnungen"), 0);
    EXPECT_EQ(openForReading(0, "nowhere\\17.txt"), 0);
    EXPECT_FALSE(fs::exists("missing.txt"));
}

TEST_F(LineFileTest, BackslashSeparatesFolders) {
    EXPECT_EQ(platformPath("Rechnungen\\17.txt"), "Rechnungen/17.txt");
    EXPECT_NE(createDirectory("Rechnungen\\ \\"), 0);
    EXPECT_EQ(createDirectory("Rechnungen"), 0) << "exists already";
    EXPECT_EQ(fileSize("Rechnungen"), -2);
    EXPECT_EQ(fileSize("Rechnungen\\"), -2);
    putBytes("Rechnungen/17.txt", "1|Tisch\r\n");
    ASSERT_NE(openForReading(0, "Rechnungen\\17.txt"), 0);
    EXPECT_EQ(readLine(0), "1|Tisch");
    EXPECT_TRUE(closeFile(0));
    EXPECT_FALSE(fs::exists("Rechnungen\\17.txt"));
    EXPECT_EQ(fileSize("Rechnungen\\17.txt"), 9);
    EXPECT_EQ(deleteFile("Rechnungen\\17.txt"), 1);
    EXPECT_FALSE(fs::exists("Rechnungen/17.txt"));
}

TEST_F(LineFileTest, FileSizes) {
    putBytes("seven.txt", "1234567");
    fs::create_directory("Rechnungen");
    struct Row {
        const char* name;
        std::string_view file;
        std::int64_t size;
    };
    const Row rows[] = {
        {"file", "seven.txt", 7},
        {"missing", "Fehlt", -1},
        {"directory", "Rechnungen", -2},
        {"trailing-backslash", "Rechnungen\\", -2},
        {"empty", "", -1},
        {"drive", "C:", -1},
        {"drive-with-separator", "C:\\", -1},
    };
    for (const Row& row : rows)
        EXPECT_EQ(fileSize(row.file), row.size) << row.name;
}

TEST_F(LineFileTest, CreateAndDelete) {
    EXPECT_EQ(createDirectory(""), 0);
    EXPECT_EQ(createDirectory("  "), 0);
    EXPECT_EQ(createDirectory("a\\b"), 0) << "the parent must exist";
    EXPECT_NE(createDirectory("a/  "), 0);
    EXPECT_TRUE(fs::is_directory("a"));
    EXPECT_EQ(deleteFile("a"), 0) << "folders are not deleted";
    EXPECT_EQ(deleteFile("missing.txt"), 0);
    putBytes("gone.txt", "x");
    EXPECT_EQ(deleteFile("gone.txt"), 1);
    EXPECT_EQ(fileSize("gone.txt"), -1);
}

TEST_F(LineFileTest, ReadErrorsAreNotTheEndOfTheFile) {
    putBytes("fine.txt", "a\r\nb\r\n");
    ASSERT_NE(openForReading(0, "fine.txt"), 0);
    while (atEnd(0) == 0)
        readLine(0);
    EXPECT_TRUE(fileReadOk(0));
    closeFile(0);
    // Reading this process's memory from address 0 fails with an I/O error on Linux.
    ASSERT_NE(openForReading(0, "/proc/self/mem"), 0);
    EXPECT_EQ(readLine(0), "");
    EXPECT_EQ(atEnd(0), 1);
    EXPECT_FALSE(fileReadOk(0));
    closeFile(0);
    EXPECT_FALSE(fileReadOk(0));
}

} // namespace
