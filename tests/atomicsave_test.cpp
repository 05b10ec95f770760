#include "runtime/atomicsave.h"
#include "runtime/diskops.h"
#include "support/ordinaryuser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string kOld = "alt\r\n1|Tisch|12,50\r\n";

class AtomicSaveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = fs::current_path();
        folder_ =
            fs::temp_directory_path() / ("atomicsave_test_" + std::to_string(::getpid()) + "_" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        fs::current_path(folder_);
        resetDiskFaults();
    }
    void TearDown() override {
        resetDiskFaults();
        fs::current_path(previous_);
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(folder_);
    }

    static void putBytes(const std::string& name, std::string_view bytes) {
        std::ofstream(name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    static std::string bytesOf(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static bool saveNew(std::string_view name, SaveMode mode = SaveMode::Replace) {
        ReplacementFile file(name, mode);
        // Files written once are the archive's, which are read-only.
        if (mode == SaveMode::NewOnly)
            file.makeReadOnly();
        file.writeLine("neu");
        file.writeText("2|Stuhl|7,00");
        return file.commit();
    }
    static bool temporaryLeft() {
        for (const auto& entry : fs::recursive_directory_iterator("."))
            if (entry.path().string().ends_with(kTemporarySuffix))
                return true;
        return false;
    }

  private:
    fs::path previous_;
    fs::path folder_;
};

TEST_F(AtomicSaveTest, ReplacesTheWholeFile) {
    putBytes("Daten.dat", kOld + std::string(500, 'z'));
    ReplacementFile file("Daten.dat");
    file.writeLine("");
    file.writeLine("Herr|M\xFCller");
    file.writeText("7");
    EXPECT_EQ(file.content(), "\r\nHerr|M\xFCller\r\n7");
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(bytesOf("Daten.dat"), "\r\nHerr|M\xFCller\r\n7");
    EXPECT_FALSE(temporaryLeft());
}

TEST_F(AtomicSaveTest, CreatesMissingFilesAndEmptyContent) {
    ASSERT_TRUE(saveNew("ReData.dat"));
    EXPECT_EQ(bytesOf("ReData.dat"), "neu\r\n2|Stuhl|7,00");
    ASSERT_TRUE(ReplacementFile("ReData.dat").commit());
    EXPECT_TRUE(fs::exists("ReData.dat"));
    EXPECT_EQ(fs::file_size("ReData.dat"), 0u);
}

TEST_F(AtomicSaveTest, BackslashNamesAFileInTheFolder) {
    fs::create_directory("Rechnungen");
    ASSERT_TRUE(saveNew("Rechnungen\\17.txt"));
    EXPECT_EQ(bytesOf("Rechnungen/17.txt"), "neu\r\n2|Stuhl|7,00");
    EXPECT_FALSE(fs::exists("Rechnungen\\17.txt"));
}

TEST_F(AtomicSaveTest, FailuresLeaveNoTrace) {
    EXPECT_FALSE(saveNew("nowhere\\17.txt"));
    fs::create_directory("folder");
    EXPECT_FALSE(saveNew("folder"));
    EXPECT_TRUE(fs::is_directory("folder"));
    EXPECT_FALSE(saveNew(""));
    EXPECT_FALSE(temporaryLeft());
}

// The steps of a save over an existing file in the order they change the disk.
enum Step {
    OpenTemporary = 1,
    KeepMode,
    WriteContent,
    FlushFile,
    RenameOverTarget,
    FlushFolder,
    StepCount = FlushFolder
};

TEST_F(AtomicSaveTest, SaveChangesTheDiskInSixSteps) {
    putBytes("Daten.dat", kOld);
    ASSERT_TRUE(saveNew("Daten.dat"));
    EXPECT_EQ(diskFaults().changes, StepCount);
}

TEST_F(AtomicSaveTest, FaultAtEveryStepKeepsTheOldFile) {
    struct Row {
        const char* name;
        Step step;
    };
    const Row rows[] = {{"open", OpenTemporary},      {"fchmod", KeepMode},
                        {"write", WriteContent},      {"fsync-file", FlushFile},
                        {"rename", RenameOverTarget}, {"fsync-folder", FlushFolder}};
    for (const int error : {ENOSPC, EIO, EACCES}) {
        for (const Row& row : rows) {
            for (const FaultMode mode : {FaultMode::Once, FaultMode::FromThenOn}) {
                const std::string label = std::string(row.name) + " errno " + std::to_string(error) +
                                          (mode == FaultMode::Once ? " once" : " from then on");
                putBytes("Daten.dat", kOld);
                resetDiskFaults();
                diskFaults().mode = mode;
                diskFaults().failAt = row.step;
                diskFaults().error = error;
                EXPECT_FALSE(saveNew("Daten.dat")) << label;
                EXPECT_GE(diskFaults().injected, 1) << label;
                // Once the rename is done it cannot be taken back: a failed folder flush reports false
                // with the new content in place.
                EXPECT_EQ(bytesOf("Daten.dat"), row.step == FlushFolder ? "neu\r\n2|Stuhl|7,00" : kOld)
                    << label;
                // A disk that fails from then on also refuses to delete the temporary file; the next
                // start removes it.
                if (mode == FaultMode::FromThenOn) {
                    resetDiskFaults();
                    removeTemporaryLeftovers("");
                }
                EXPECT_FALSE(temporaryLeft()) << label;
            }
        }
    }
}

TEST_F(AtomicSaveTest, ShortWriteIsCompleted) {
    putBytes("Daten.dat", kOld);
    diskFaults().mode = FaultMode::Once;
    diskFaults().failAt = WriteContent;
    diskFaults().shortWrite = true;
    ASSERT_TRUE(saveNew("Daten.dat"));
    EXPECT_EQ(diskFaults().injected, 1);
    EXPECT_EQ(bytesOf("Daten.dat"), "neu\r\n2|Stuhl|7,00");
}

TEST_F(AtomicSaveTest, BrokenDiskLeavesTheTemporaryFileForTheNextStart) {
    putBytes("Daten.dat", kOld);
    diskFaults().mode = FaultMode::FromThenOn;
    diskFaults().failAt = WriteContent;
    diskFaults().shortWrite = true;
    diskFaults().error = EIO;
    EXPECT_FALSE(saveNew("Daten.dat"));
    EXPECT_EQ(bytesOf("Daten.dat"), kOld);
    EXPECT_TRUE(temporaryLeft()) << "the disk refused to delete it as well";
    resetDiskFaults();
    EXPECT_EQ(removeTemporaryLeftovers(""), 1);
    EXPECT_FALSE(temporaryLeft());
    EXPECT_EQ(bytesOf("Daten.dat"), kOld);
}

// A file written once: an existing one keeps its bytes, and a fault at any change leaves the new
// file whole or absent, by either way of taking the name (renameat2, or a second link).
TEST_F(AtomicSaveTest, NewOnlyNeverReplacesAndNeverLeavesAHalfFile) {
    const std::string whole = "neu\r\n2|Stuhl|7,00";
    for (const bool withoutNoReplace : {false, true}) {
        const std::string way = withoutNoReplace ? "link" : "renameat2";
        putBytes("1.xml", kOld);
        diskFaults().withoutNoReplace = withoutNoReplace;
        EXPECT_FALSE(saveNew("1.xml", SaveMode::NewOnly)) << way;
        EXPECT_EQ(bytesOf("1.xml"), kOld) << way;
        EXPECT_FALSE(temporaryLeft()) << way;
        for (const FaultMode mode : {FaultMode::Once, FaultMode::FromThenOn}) {
            for (int n = 1;; ++n) {
                const std::string label = way + ", change " + std::to_string(n);
                fs::remove("2.xml");
                resetDiskFaults();
                diskFaults() = {
                    .mode = mode, .failAt = n, .error = ENOSPC, .withoutNoReplace = withoutNoReplace};
                const bool saved = saveNew("2.xml", SaveMode::NewOnly);
                const int injected = diskFaults().injected;
                resetDiskFaults();
                removeTemporaryLeftovers("");
                EXPECT_FALSE(temporaryLeft()) << label;
                if (fs::exists("2.xml"))
                    EXPECT_EQ(bytesOf("2.xml"), whole) << label;
                else
                    EXPECT_FALSE(saved) << label;
                if (injected == 0) {
                    EXPECT_TRUE(saved) << label;
                    EXPECT_EQ(n, withoutNoReplace ? 9 : 7) << label << ": one change more than the save has";
                    break;
                }
            }
        }
        resetDiskFaults();
    }
}

TEST_F(AtomicSaveTest, ReadOnlyFolderOrFileFailsCleanly) {
    if (const std::string why = whyOrdinaryUserCannotReach(fs::current_path().string());
        ::geteuid() == 0 && !why.empty())
        GTEST_SKIP() << why;
    // Root ignores permissions, so the saves run as an ordinary user.
    fs::permissions(".", fs::perms(0755));
    fs::create_directory("locked");
    fs::create_directory("open");
    putBytes("locked/Daten.dat", kOld);
    putBytes("open/Daten.dat", kOld);
    fs::permissions("locked", fs::perms(0555));
    fs::permissions("open", fs::perms(0777));
    fs::permissions("open/Daten.dat", fs::perms(0444));
    const int result = runAsOrdinaryUser([]() -> int {
        if (saveNew("locked\\Daten.dat"))
            return 1;
        if (saveNew("open\\Daten.dat"))
            return 2;
        // The same user may create the file anew where none is.
        return saveNew("open\\Neu.dat") ? 0 : 3;
    });
    fs::permissions("locked", fs::perms::owner_all);
    if (result == kCannotSwitchUser)
        GTEST_SKIP() << "cannot switch to the user nobody here";
    EXPECT_EQ(result, 0);
    EXPECT_EQ(bytesOf("locked/Daten.dat"), kOld);
    EXPECT_EQ(bytesOf("open/Daten.dat"), kOld);
    EXPECT_FALSE(temporaryLeft());
}

TEST_F(AtomicSaveTest, RemovesLeftoversOfInterruptedSaves) {
    fs::create_directory("Rechnungen");
    putBytes("Daten.dat.quillora-tmp", "halb");
    putBytes("Rechnungen/17.txt.quillora-tmp", "halb");
    putBytes("Daten.dat", kOld);
    putBytes("Rechnungen/17.txt", kOld);
    putBytes("quillora-tmp", "kein Rest");
    fs::create_directory("keep.quillora-tmp");
    EXPECT_EQ(removeTemporaryLeftovers("") + removeTemporaryLeftovers("Rechnungen"), 2);
    EXPECT_FALSE(fs::exists("Daten.dat.quillora-tmp"));
    EXPECT_FALSE(fs::exists("Rechnungen/17.txt.quillora-tmp"));
    EXPECT_TRUE(fs::exists("Daten.dat"));
    EXPECT_TRUE(fs::exists("Rechnungen/17.txt"));
    EXPECT_TRUE(fs::exists("quillora-tmp"));
    EXPECT_TRUE(fs::is_directory("keep.quillora-tmp"));
    EXPECT_EQ(removeTemporaryLeftovers("."), 0);
    EXPECT_EQ(removeTemporaryLeftovers("missing"), 0);
}

// A replacement keeps what the user set on the file, its mode bits and its group, and a link planted
// under the temporary name cannot send the new content elsewhere.
TEST_F(AtomicSaveTest, KeepsModeAndGroupAndFollowsNoPlantedLink) {
    const mode_t mask = ::umask(022);
    ::umask(mask);
    for (const mode_t mode : {0600, 0640, 0604, 0666}) {
        SCOPED_TRACE(mode);
        putBytes("Daten.dat", kOld);
        ASSERT_EQ(::chmod("Daten.dat", mode), 0);
        // Root may give the file any group, an ordinary user only one of its own.
        const bool regrouped = ::chown("Daten.dat", static_cast<uid_t>(-1), 65534) == 0;
        ASSERT_TRUE(saveNew("Daten.dat"));
        struct stat st {};
        ASSERT_EQ(::stat("Daten.dat", &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode);
        if (regrouped) {
            EXPECT_EQ(st.st_gid, 65534u);
        }
    }
    fs::remove("Daten.dat");
    putBytes("victim", kOld);
    fs::create_symlink("victim", std::string("Daten.dat") + std::string(kTemporarySuffix));
    ASSERT_TRUE(saveNew("Daten.dat"));
    EXPECT_EQ(bytesOf("victim"), kOld);
    EXPECT_FALSE(fs::is_symlink("Daten.dat"));
    EXPECT_EQ(bytesOf("Daten.dat"), "neu\r\n2|Stuhl|7,00");
    EXPECT_EQ(fs::status("Daten.dat").permissions(), fs::perms(0666 & ~mask)) << "a new file has the default";
}

} // namespace
