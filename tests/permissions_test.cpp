// Files and folders the user may not change: a read-only data file, a read-only data folder, and a
// folder that is gone. The old data stay and the user is told. Root may write anywhere, so as root
// each test runs itself again as the user nobody.

#include "printing/printtarget.h"
#include "runtime/atomicsave.h"
#include "shell/instancelock.h"
#include "shell/mainwindow.h"
#include "state/shellstate.h"
#include "support/datafolder.h"
#include "support/ordinaryuser.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"

#include <QDir>

#include <cstdlib>
#include <filesystem>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

const char* const kSaveFailed = "Die Daten konnten nicht gespeichert werden!";
const char* const kOptionsFailed = "Die Optionen konnten nicht gespeichert werden!";
const char* const kInvoiceIncomplete = "Die Rechnung Nr.:5 konnte nicht vollst\xE4ndig gespeichert werden!";
const char* const kNotDeleted = "Die Rechnung Nr.:3 konnte nicht gel\xF6scht werden!";
const char* const kRegisterUnchanged = "Das Rechnungsregister konnte nicht ge\xE4ndert werden!";

const FileSet kFolder = {
    {"Daten.dat", "1\r\nHerr|Beispiel|Max||Hauptstr. 1|Musterstadt\r\n1\r\nSchraube|Teile|0,50|M6\r\n4\r\n"},
    {"ReData.dat", "3|Beispiel|1|0,50|01.12.2026\r\n4|Beispiel|1|1,00|02.12.2026\r\n"},
    {"Option.ini",
     "Firma\r\n\r\n18\r\nWeg 1\r\n6\r\n10\r\n8\r\n7\r\nA\r\nA\r\nA\r\nA\r\nA\r\nT\r\nT\r\nT\r\nT\r\nT\r\n"
     "B\r\nB\r\nB\r\nB\r\nB\r\nN\r\nN\r\nN\r\nN\r\nN\r\n12/345\r\n19\r\n0"},
    {"Rechnungen/3.txt", "Herr\r\nMax Beispiel\r\n\r\nHauptstr. 1\r\nMusterstadt\r\n0,50\r\n"},
    {"Rechnungen/4.txt", "Herr\r\nMax Beispiel\r\n\r\nHauptstr. 1\r\nMusterstadt\r\n1,00\r\n"},
};

void press(int control) {
    ASSERT_TRUE(clickButton(control));
    dispatch();
}

class PermissionsTest : public ProgramTest {
  protected:
    /// True when this process is to run the test's body. As root the body runs in a child that has
    /// become nobody; the child's verdict is this test's.
    bool asOrdinaryUser() {
        if (::geteuid() != 0)
            return true;
        const std::string self = fs::read_symlink("/proc/self/exe").string();
        // The run as nobody starts this test's program file again, in a folder of its own under /tmp.
        if (const std::string why = whyOrdinaryUserCannotReach(self); !why.empty()) {
            GTEST_MESSAGE_(why.c_str(), ::testing::TestPartResult::kSkip);
            return false;
        }
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string filter =
            std::string("--gtest_filter=") + info->test_suite_name() + "." + info->name();
        std::vector<std::string> env = {"HOME=/tmp", "TMPDIR=/tmp", "QT_QPA_PLATFORM=offscreen"};
        for (char** e = environ; *e; ++e) {
            const std::string entry = *e;
            if (!entry.starts_with("HOME=") && !entry.starts_with("TMPDIR=") &&
                !entry.starts_with("QT_QPA_PLATFORM="))
                env.push_back(entry);
        }
        std::vector<char*> envp;
        for (std::string& entry : env)
            envp.push_back(entry.data());
        envp.push_back(nullptr);
        std::string arg0 = self;
        std::string arg1 = filter;
        char* argv[] = {arg0.data(), arg1.data(), nullptr};
        const pid_t child = ::fork();
        if (child == 0) {
            // Only calls that are safe between fork and exec.
            if (::setgroups(0, nullptr) != 0 || ::setresgid(kNobody, kNobody, kNobody) != 0 ||
                ::setresuid(kNobody, kNobody, kNobody) != 0)
                ::_exit(126);
            ::execve(self.c_str(), argv, envp.data());
            ::_exit(127);
        }
        int status = 0;
        EXPECT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << "the run as nobody failed (status " << status << "), its output is above";
        return false;
    }

    void writeFolder() {
        for (const auto& [name, bytes] : kFolder)
            writeData(name, *bytes);
    }
    void setMode(const std::string& name, fs::perms mode) const { fs::permissions(dataPath(name), mode); }
    FileSet files() const { return readDataFiles(dataPath("")); }
    std::vector<std::string> failures() const {
        std::vector<std::string> texts;
        for (const ShownMessage& m : messages) {
            if (m.caption == "Fehler!")
                texts.push_back(m.text);
        }
        return texts;
    }

    void addCustomerAndSave() {
        press(kNewCustomerButton);
        ASSERT_TRUE(typeInto(kNewCustomerFirstField + 1, "Neukunde"));
        press(kNewCustomerOkButton);
        ASSERT_TRUE(chooseMenuItem("Save"));
        dispatch();
    }
    void changeAndSaveOptions() {
        ASSERT_TRUE(chooseMenuItem(QString::fromLatin1("Algemeine Einstellungen")));
        dispatch();
        ASSERT_TRUE(typeInto(kLogoLine1Field, "Neue Firma"));
        press(kSaveOptionsButton);
    }
    void createInvoice() {
        printTarget().kind = PrintTargetKind::Recorder;
        printTarget().recorderArea = {2000, 2800, 200, 280};
        press(kNewInvoiceButton);
        ASSERT_TRUE(selectRow(kCustomerPicks, 0));
        dispatch();
        answerNext(kAnswerYes);
        press(kCreateInvoiceButton);
    }
    void deleteFirstInvoice() {
        setState(kTabPanel, kInvoicesPage);
        ASSERT_TRUE(selectRow(kInvoiceList, 0));
        answerNext(kAnswerYes);
        press(kDeleteInvoiceButton);
    }
};

const fs::perms kReadOnlyFile = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
const fs::perms kReadOnlyFolder =
    kReadOnlyFile | fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;

TEST_F(PermissionsTest, ReadOnlyFilesStayAsTheyWere) {
    if (!asOrdinaryUser())
        return;
    writeFolder();
    for (const char* name : {"Daten.dat", "ReData.dat", "Option.ini"})
        setMode(name, kReadOnlyFile);
    start();

    addCustomerAndSave();
    EXPECT_EQ(failures(), std::vector<std::string>{kSaveFailed});
    EXPECT_EQ(shellState().savedFlag, 0);
    messages.clear();
    changeAndSaveOptions();
    EXPECT_EQ(failures(), std::vector<std::string>{kOptionsFailed});
    messages.clear();
    deleteFirstInvoice();
    EXPECT_EQ(failures(), std::vector<std::string>{kRegisterUnchanged});

    FileSet expected = kFolder;
    expected.erase("Rechnungen/3.txt");
    EXPECT_EQ(files(), expected) << "only the item file, which may be deleted, is gone";
    EXPECT_TRUE(temporaryFiles(dataPath("")).empty());
    EXPECT_EQ(fs::status(dataPath("Daten.dat")).permissions() & fs::perms::all, kReadOnlyFile);
}

TEST_F(PermissionsTest, ReadOnlyFolderKeepsItsFilesAndStillStarts) {
    if (!asOrdinaryUser())
        return;
    writeFolder();
    setMode("Rechnungen", kReadOnlyFolder);
    setMode("", kReadOnlyFolder);
    start();
    EXPECT_TRUE(messages.empty()) << "nothing can be written there, so there is no lock to take";
    EXPECT_EQ(rowCount(kCustomerList), 1);
    EXPECT_EQ(rowCount(kInvoiceList), 2);

    addCustomerAndSave();
    changeAndSaveOptions();
    deleteFirstInvoice();
    createInvoice();
    EXPECT_EQ(failures(),
              (std::vector<std::string>{kSaveFailed, kOptionsFailed, kNotDeleted, kInvoiceIncomplete}));

    // The register file itself may be written: the new invoice's line is added to the old ones.
    const FileSet now = files();
    for (const auto& [name, bytes] : kFolder) {
        if (name != "ReData.dat") {
            EXPECT_EQ(now.at(name), bytes) << name;
        }
    }
    EXPECT_TRUE(now.at("ReData.dat")->starts_with(*kFolder.at("ReData.dat")));
    EXPECT_EQ(now.size(), kFolder.size());
    EXPECT_TRUE(temporaryFiles(dataPath("")).empty());
    setMode("", fs::perms::owner_all);
    setMode("Rechnungen", fs::perms::owner_all);
}

TEST_F(PermissionsTest, FolderThatIsGoneIsToldOnEverySave) {
    if (!asOrdinaryUser())
        return;
    writeFolder();
    start();
    releaseInstanceLock();
    // A removed stick or another program took the folder away while the program ran.
    fs::remove_all(dataPath(""));
    addCustomerAndSave();
    changeAndSaveOptions();
    createInvoice();
    EXPECT_EQ(failures(), (std::vector<std::string>{kSaveFailed, kOptionsFailed, kInvoiceIncomplete}));
    EXPECT_FALSE(fs::exists(dataPath("")));
}

} // namespace
