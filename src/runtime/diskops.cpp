#include "runtime/diskops.h"

#include "runtime/runtimestate.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Counts one changing operation and tells whether the plan makes it fail.
bool faultStrikes() {
    DiskFaults& plan = runtimeState().diskFaults;
    ++plan.changes;
    const bool strikes = (plan.mode == FaultMode::Once && plan.changes == plan.failAt) ||
                         (plan.mode == FaultMode::FromThenOn && plan.changes >= plan.failAt);
    if (strikes)
        ++plan.injected;
    return strikes;
}

int fail() {
    errno = runtimeState().diskFaults.error;
    return -1;
}

} // namespace

DiskFaults& diskFaults() {
    return runtimeState().diskFaults;
}

void resetDiskFaults() {
    runtimeState().diskFaults = DiskFaults{};
}

namespace diskops {

int open(const char* path, int flags, mode_t mode) {
    const bool changes = (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) != 0;
    if (changes && faultStrikes())
        return fail();
    int fd;
    do
        fd = ::open(path, flags, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

ssize_t read(int fd, void* buf, std::size_t n) {
    DiskFaults& plan = runtimeState().diskFaults;
    if (++plan.reads == plan.failReadAt) {
        ++plan.injected;
        return fail();
    }
    ssize_t r;
    do
        r = ::read(fd, buf, n);
    while (r < 0 && errno == EINTR);
    return r;
}

ssize_t write(int fd, const void* buf, std::size_t n) {
    if (faultStrikes()) {
        if (!diskFaults().shortWrite || n < 2)
            return fail();
        n /= 2;
    }
    ssize_t r;
    do
        r = ::write(fd, buf, n);
    while (r < 0 && errno == EINTR);
    return r;
}

int syncfs(int fd) {
    return faultStrikes() ? fail() : ::syncfs(fd);
}

int fsync(int fd) {
    return faultStrikes() ? fail() : ::fsync(fd);
}

int close(int fd) {
    return ::close(fd);
}

off_t lseek(int fd, off_t offset, int whence) {
    return ::lseek(fd, offset, whence);
}

int fstat(int fd, struct stat* st) {
    return ::fstat(fd, st);
}

int stat(const char* path, struct stat* st) {
    return ::stat(path, st);
}

int fchmod(int fd, mode_t mode) {
    return faultStrikes() ? fail() : ::fchmod(fd, mode);
}

int fchown(int fd, uid_t owner, gid_t group) {
    return ::fchown(fd, owner, group);
}

int rename(const char* from, const char* to) {
    return faultStrikes() ? fail() : ::rename(from, to);
}

int renameNoReplace(const char* from, const char* to) {
    if (faultStrikes())
        return fail();
    if (diskFaults().withoutNoReplace) {
        errno = EINVAL;
        return -1;
    }
    return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE);
}

int link(const char* from, const char* to) {
    return faultStrikes() ? fail() : ::link(from, to);
}

int unlink(const char* path) {
    return faultStrikes() ? fail() : ::unlink(path);
}

int mkdir(const char* path, mode_t mode) {
    return faultStrikes() ? fail() : ::mkdir(path, mode);
}

} // namespace diskops
