// The command line through the real program: which folder it works in, the folders it creates, and
// the short answers and refusals that end it before any window opens.

#include "runtime/userfolders.h"
#include "shell/commandline.h"
#include "shell/instancelock.h"
#include "support/ordinaryuser.h"

#include <gtest/gtest.h>

#include <QProcess>

#include <chrono>
#include <fstream>
#include <regex>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const fs::path kProgram = fs::read_symlink("/proc/self/exe").parent_path() / "../src/quillora";
// Exit status of a child run as nobody that cannot reach the program in this checkout.
constexpr int kProgramOutOfReach = 11;

struct Ended {
    int status = -1;
    std::string out, err;
};

class CommandLineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char name[] = "/tmp/quillora-cli.XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        root_ = name;
        // The runs as nobody need to pass through it.
        fs::permissions(root_, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
        fs::create_directories(root_ / "work");
        fs::create_directories(root_ / "home");
        ASSERT_TRUE(fs::exists(kProgram)) << "build the target quillora: " << kProgram;
    }
    void TearDown() override { fs::remove_all(root_); }

    /// Starts the program in root/work with HOME root/home and XDG_CONFIG_HOME root/config.
    void launch(QProcess& program, const QStringList& args) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", QString::fromStdString((root_ / "home").string()));
        env.insert("XDG_CONFIG_HOME", QString::fromStdString((root_ / "config").string()));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(QString::fromStdString((root_ / "work").string()));
        program.start(QString::fromStdString(kProgram.string()), args);
        program.waitForStarted(10000);
    }

    /// Runs the program to its end; one still running after 20 s has opened a window.
    Ended runToEnd(const QStringList& args) const {
        QProcess program;
        launch(program, args);
        Ended ended;
        if (program.waitForFinished(20000) && program.exitStatus() == QProcess::NormalExit)
            ended.status = program.exitCode();
        program.kill();
        program.waitForFinished(10000);
        ended.out = program.readAllStandardOutput().toStdString();
        ended.err = program.readAllStandardError().toStdString();
        return ended;
    }

    fs::path root_;
};

TEST_F(CommandLineTest, ProgramWorksInTheChosenFolder) {
    const struct {
        const char* name;
        QStringList args;
        const char* userDirs; // user-dirs.dirs, or none
        fs::path folder;      // below root, where the lock must appear
    } cases[] = {
        {"no-argument-means-current-folder", {}, nullptr, "work"},
        {"missing-folder-created-with-parents", {"neu/2026/daten"}, nullptr, "work/neu/2026/daten"},
        {"folder-after-double-dash", {"--", "-daten"}, nullptr, "work/-daten"},
        {"own-folder-without-user-dirs", {"--eigener-ordner"}, nullptr, "home/Dokumente/Quillora"},
        {"own-folder-from-user-dirs",
         {"--eigener-ordner"},
         "XDG_DOCUMENTS_DIR=\"$HOME/Schriftst\xC3\xBC"
         "cke\"\n",
         "home/Schriftst\xC3\xBC"
         "cke/Quillora"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(root_ / "config");
        if (c.userDirs) {
            fs::create_directories(root_ / "config");
            std::ofstream(root_ / "config/user-dirs.dirs") << c.userDirs;
        }
        const fs::path lock = root_ / c.folder / kInstanceLockName;
        QProcess program;
        launch(program, c.args);
        for (int i = 0; i < 2000 && !fs::exists(lock); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_TRUE(fs::exists(lock));
        program.kill();
        program.waitForFinished(10000);
        fs::remove(lock);
        EXPECT_FALSE(fs::exists(root_ / "work" / kInstanceLockName));
    }
}

TEST_F(CommandLineTest, AnswersAndRefusalsEndBeforeAnyWindow) {
    std::ofstream(root_ / "work/datei") << "x";
    const std::string any = "[\\s\\S]*";
    const struct {
        const char* name;
        QStringList args;
        int status;
        std::string shown; // all of stdout when the status is 0, else all of stderr; the other is empty
    } cases[] = {
        {"help", {"--help"}, 0, "Aufruf: quillora " + any + "hier: .*/home/Dokumente/Quillora\n" + any},
        {"help-wins-over-the-rest", {"ordner", "-h", "--farbe"}, 0, "Aufruf: quillora " + any},
        {"version", {"--version"}, 0, "Quillora [0-9]+(\\.[0-9]+)+\n"},
        {"unknown-option",
         {"--farbe"},
         kUsageStatus,
         "quillora: Unbekannte Option \xE2\x80\x9E--farbe\xE2\x80\x9C.\n.*\n"},
        {"two-folders", {"a", "b"}, kUsageStatus, "quillora: Nur ein Datenordner ist m\xC3\xB6glich.\n.*\n"},
        {"own-folder-and-a-folder",
         {"a", "--eigener-ordner"},
         kUsageStatus,
         "quillora: --eigener-ordner und .*\n.*\n"},
        {"file-in-the-way", {"datei/neu"}, kFolderStatus, "quillora: .*datei/neu.* kann nicht angelegt .*\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Ended ended = runToEnd(c.args);
        EXPECT_EQ(ended.status, c.status) << ended.err;
        EXPECT_TRUE(std::regex_match(c.status == 0 ? ended.out : ended.err, std::regex(c.shown)))
            << ended.out << ended.err;
        EXPECT_EQ(c.status == 0 ? ended.err : ended.out, "");
        EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "work"), {}), 1) << "a file was touched";
        EXPECT_TRUE(fs::is_empty(root_ / "home"));
    }
}

TEST_F(CommandLineTest, FolderTheUserMayNotUseIsRefused) {
    fs::create_directories(root_ / "work/gesperrt");
    fs::create_directories(root_ / "work/zu");
    // Owned by root, nobody may neither write into the first nor enter the second.
    fs::permissions(root_ / "work/gesperrt",
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    fs::permissions(root_ / "work/zu", fs::perms::owner_read, fs::perm_options::replace);
    const struct {
        const char* name;
        const char* folder;
        const char* err;
    } cases[] = {
        {"parent-without-write-permission", "gesperrt/neu",
         "kann nicht angelegt werden (keine Berechtigung)"},
        {"folder-without-entry-permission", "zu",
         "kann nicht ge\xC3\xB6"
         "ffnet werden (keine Berechtigung)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int verdict = runAsOrdinaryUser([&] {
            if (::access(kProgram.c_str(), X_OK) != 0)
                return kProgramOutOfReach;
            const Ended ended = runToEnd({QString::fromUtf8(c.folder)});
            if (ended.status == kFolderStatus && ended.err.find(c.err) != std::string::npos)
                return 0;
            std::fprintf(stderr, "status %d: %s", ended.status, ended.err.c_str());
            return 1;
        });
        if (verdict == kProgramOutOfReach)
            GTEST_SKIP() << "the user nobody cannot reach the program at " << kProgram;
        EXPECT_EQ(verdict, 0);
        EXPECT_FALSE(fs::exists(root_ / "work/gesperrt/neu"));
    }
}

TEST(OwnDataFolder, FollowsTheDocumentsFolderOfUserDirs) {
    const struct {
        const char* name;
        const char* userDirs;
        fs::path expected;
    } cases[] = {
        {"absolute-and-indented", "  XDG_DOCUMENTS_DIR=\"/srv/akten\"\n", "/srv/akten/Quillora"},
        {"home-itself", "XDG_DOCUMENTS_DIR=\"$HOME/\"\n", "/h/Dokumente/Quillora"},
        {"other-entries-and-comments", "# XDG_DOCUMENTS_DIR=\"$HOME/x\"\nXDG_DESKTOP_DIR=\"$HOME/D\"\n",
         "/h/Dokumente/Quillora"},
        {"escaped-quote", "XDG_DOCUMENTS_DIR=\"$HOME/Akten \\\"alt\\\"\"\n", "/h/Akten \"alt\"/Quillora"},
        {"relative-is-ignored", "XDG_DOCUMENTS_DIR=\"Akten\"\n", "/h/Dokumente/Quillora"},
        {"cut-off-after-a-backslash", "XDG_DOCUMENTS_DIR=\"$HOME/Akten\\", "/h/Akten\\/Quillora"},
    };
    const fs::path config = fs::temp_directory_path() / ("quillora-userdirs-" + std::to_string(::getpid()));
    fs::create_directories(config);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::ofstream(config / "user-dirs.dirs") << c.userDirs;
        EXPECT_EQ(ownDataFolder("/h", config), c.expected);
    }
    fs::remove_all(config);
}

} // namespace
