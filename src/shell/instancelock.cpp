#include "shell/instancelock.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <memory>

namespace {

// A start writes its number into the lock file within microseconds of creating it; a file that still
// names no owner after this long was left by a program killed in between.
constexpr qint64 kUnwrittenLockAgeMs = 2000;

// The lock this process holds, the one piece of state of this file.
struct InstanceLock {
    std::unique_ptr<QLockFile> file;
};

InstanceLock theInstanceLock;

bool namesNoOwnerForLong(const QLockFile& lock, const QString& path) {
    qint64 pid = 0;
    QString host;
    QString application;
    if (lock.getLockInfo(&pid, &host, &application))
        return false;
    const QFileInfo info(path);
    return info.exists() && info.lastModified().msecsTo(QDateTime::currentDateTime()) > kUnwrittenLockAgeMs;
}

} // namespace

bool acquireInstanceLock() {
    releaseInstanceLock();
    // The full path, so that a later change of directory cannot make the release miss the file.
    const QString path = QDir::current().absoluteFilePath(QLatin1String(kInstanceLockName));
    auto lock = std::make_unique<QLockFile>(path);
    // A running program may hold the lock for days; only a dead owner makes it stale, never its age.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0) && lock->error() == QLockFile::LockFailedError &&
        namesNoOwnerForLong(*lock, path)) {
        // Removed only when no living program holds the file's system lock.
        lock->removeStaleLockFile();
        lock->tryLock(0);
    }
    if (lock->isLocked()) {
        theInstanceLock.file = std::move(lock);
        return true;
    }
    // A folder that takes no new file cannot be written by anyone, so there is nothing to guard.
    return lock->error() == QLockFile::PermissionError;
}

void releaseInstanceLock() {
    if (theInstanceLock.file)
        theInstanceLock.file->unlock();
    theInstanceLock.file.reset();
}

bool instanceLockHeld() {
    return theInstanceLock.file != nullptr && theInstanceLock.file->isLocked();
}
