// One program per data folder: a second start in a folder in use is refused without touching a file;
// the lock of a killed program, or one whose number now belongs to another program, does not count.
// The first program is the real build of Quillora, started offscreen in the test's data folder.

#include "runtime/atomicsave.h"
#include "shell/instancelock.h"
#include "shell/mainwindow.h"
#include "shell/startup.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <map>
#include <sys/stat.h>
#include <utime.h>

namespace {

const std::string kFolderInUse = "Quillora ist in diesem Ordner bereits ge\xF6"
                                 "ffnet!";
const std::string kMasterData = "1\r\nHerr|Beispiel|Max||Hauptstr. 1|Musterstadt\r\n0\r\n4\r\n";

// Every file below the folder with its bytes and modification time, to prove nothing was touched.
std::map<QString, std::pair<QByteArray, qint64>> folderState(const QString& folder) {
    std::map<QString, std::pair<QByteArray, qint64>> state;
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat st {};
        ::stat(QFile::encodeName(path).constData(), &st);
        QFile file(path);
        QByteArray bytes;
        if (file.open(QIODevice::ReadOnly))
            bytes = file.readAll();
        state[path] = {bytes, static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
    }
    return state;
}

class InstanceLockTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        folder_ = QString::fromStdString(dataPath(""));
    }
    void TearDown() override {
        stopFirst();
        releaseInstanceLock();
        ProgramTest::TearDown();
    }

    QString lockPath() const { return folder_ + "/" + kInstanceLockName; }

    /// The process number written in the lock file (0 when there is none).
    qint64 lockOwner() const {
        QFile file(lockPath());
        if (!file.open(QIODevice::ReadOnly))
            return 0;
        return file.readLine().trimmed().toLongLong();
    }

    /// Starts the real program in the data folder and waits until it holds the lock and has removed
    /// the leftovers of interrupted saves.
    void startFirst() {
        const QString program = QCoreApplication::applicationDirPath() + "/../src/quillora";
        ASSERT_TRUE(QFileInfo(program).isExecutable())
            << "build the target quillora: " << program.toStdString();
        first_.setProgram(program);
        first_.setWorkingDirectory(folder_);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        first_.setProcessEnvironment(env);
        first_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        first_.start();
        ASSERT_TRUE(first_.waitForStarted(10000));
        for (int i = 0; i < 1000 && !(lockOwner() == first_.processId() && temporaryFiles() == 0); ++i)
            QThread::msleep(10);
        ASSERT_EQ(lockOwner(), first_.processId());
        ASSERT_EQ(temporaryFiles(), 0);
    }
    /// Sets the lock file's modification time seconds into the past.
    void ageLock(int seconds) const {
        const struct utimbuf then = {time(nullptr) - seconds, time(nullptr) - seconds};
        ASSERT_EQ(::utime(QFile::encodeName(lockPath()).constData(), &then), 0);
    }
    /// SIGKILL, as a crash or the task manager would.
    void killFirst() {
        if (first_.state() == QProcess::NotRunning)
            return;
        first_.kill();
        ASSERT_TRUE(first_.waitForFinished(10000));
    }
    void stopFirst() { killFirst(); }

    int temporaryFiles() const {
        int count = 0;
        QDirIterator it(folder_, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            count +=
                it.next().endsWith(QString::fromLatin1(kTemporarySuffix.data(), kTemporarySuffix.size()));
        return count;
    }
    void writeLeftovers() {
        writeData(std::string("Daten.dat") + std::string(kTemporarySuffix), "1\r\nhalb");
        writeData(std::string("Rechnungen/7.txt") + std::string(kTemporarySuffix), "Herr\r\n");
    }

    QString folder_;
    QProcess first_;
};

TEST_F(InstanceLockTest, SecondStartIsRefusedAndTouchesNothing) {
    writeData("Daten.dat", kMasterData);
    writeData("Rechnungen/3.txt", "Herr\r\n");
    writeLeftovers();
    startFirst();
    // The first program removed the leftovers at its start; new ones must survive the second start.
    writeLeftovers();
    const auto before = folderState(folder_);

    EXPECT_EQ(runProgram(), 2);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Hinweis!");
    EXPECT_EQ(messages[0].text, kFolderInUse);
    EXPECT_EQ(messages[0].flags, kMessageOk);
    EXPECT_FALSE(instanceLockHeld());
    EXPECT_FALSE(windowExists(kMainWindow));

    EXPECT_FALSE(startProgram());
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(folderState(folder_), before);
    EXPECT_EQ(first_.state(), QProcess::Running);
}

TEST_F(InstanceLockTest, AnOldLockOfARunningProgramStillCounts) {
    startFirst();
    // Hours of running leave the lock file old; age alone must not make it stale.
    ageLock(7200);
    EXPECT_FALSE(acquireInstanceLock());
    EXPECT_EQ(lockOwner(), first_.processId());
}

TEST_F(InstanceLockTest, LockOfAKilledProgramDoesNotBlock) {
    writeData("Daten.dat", kMasterData);
    startFirst();
    killFirst();
    ASSERT_TRUE(QFileInfo::exists(lockPath())) << "a killed program cannot remove its lock";
    writeLeftovers();

    start();
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(instanceLockHeld());
    EXPECT_EQ(lockOwner(), QCoreApplication::applicationPid());
    EXPECT_EQ(rowCount(kCustomerList), 1);
    EXPECT_EQ(temporaryFiles(), 0) << "the start removes what an interrupted save left";
    EXPECT_EQ(readData("Daten.dat"), kMasterData);
}

TEST_F(InstanceLockTest, LockWhoseNumberBelongsToAnotherProgramDoesNotBlock) {
    startFirst();
    killFirst();
    // The same lock, as if the killed program's number had since gone to process 1.
    QFile file(lockPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    lines[0] = "1";
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(lines.join('\n'));
    file.close();

    EXPECT_TRUE(acquireInstanceLock());
    EXPECT_EQ(lockOwner(), QCoreApplication::applicationPid());
}

// A kill between creating the lock file and writing the owner's number leaves an empty file.
TEST_F(InstanceLockTest, EmptyLockOfAKilledStartDoesNotBlockForLong) {
    writeData(kInstanceLockName, "");
    EXPECT_FALSE(acquireInstanceLock()) << "a start may be writing it right now";
    ageLock(60);
    start();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(lockOwner(), QCoreApplication::applicationPid());
}

TEST_F(InstanceLockTest, EmptiedLockOfARunningProgramStillCounts) {
    startFirst();
    QFile file(lockPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.close();
    ageLock(60);
    EXPECT_FALSE(acquireInstanceLock()) << "the running program still holds the file's system lock";
    EXPECT_TRUE(QFileInfo::exists(lockPath()));
}

TEST_F(InstanceLockTest, ShutdownGivesTheLockBack) {
    start();
    ASSERT_TRUE(instanceLockHeld());
    ASSERT_TRUE(QFileInfo::exists(lockPath()));
    shutDownProgram();
    EXPECT_FALSE(instanceLockHeld());
    EXPECT_FALSE(QFileInfo::exists(lockPath()));
    startFirst();
}

TEST_F(InstanceLockTest, AStartInTheSameProcessTakesItsOwnLockAgain) {
    start();
    start();
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(instanceLockHeld());
    releaseInstanceLock();
    EXPECT_FALSE(QFileInfo::exists(lockPath()));
    releaseInstanceLock();
    EXPECT_FALSE(instanceLockHeld());
}

} // namespace
