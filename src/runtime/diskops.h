#pragma once
// The one door to the disk.
//
// Every file-system call of the runtime passes through here, so that a test can make the Nth
// operation that changes something on disk (opening for writing, writing, setting a mode, flushing,
// renaming, deleting, creating a folder), or the Nth read, fail as a full or broken disk would. Without a
// planned fault every call goes straight to the operating system.

#include <cerrno>
#include <cstddef>
#include <sys/stat.h>
#include <sys/types.h>

/// When a planned fault strikes.
enum class FaultMode {
    Off,        ///< never
    Once,       ///< only the changing operation number failAt
    FromThenOn, ///< every changing operation from number failAt on
};

/// The planned disk fault and the counters tests read. Reset with resetDiskFaults().
struct DiskFaults {
    FaultMode mode = FaultMode::Off;
    /// 1-based number of the changing operation that fails first.
    int failAt = 0;
    /// errno reported by a failing operation (ENOSPC, EIO, EACCES, ...).
    int error = EIO;
    /// A failing write first writes half of its bytes and reports that count, as a disk that fills up
    /// does; only a write of a single byte then fails outright.
    bool shortWrite = false;
    /// 1-based number of the read (counted on its own, apart from the changes) that fails; 0 for none.
    int failReadAt = 0;
    /// Changing operations attempted since the last reset.
    int changes = 0;
    /// Reads attempted since the last reset.
    int reads = 0;
    /// Faults delivered since the last reset.
    int injected = 0;
    /// renameNoReplace answers EINVAL, as on a file system that cannot refuse an existing name in a
    /// rename (NFS), so that the way round it can be tried.
    bool withoutNoReplace = false;
};

/// The fault plan every disk operation consults.
DiskFaults& diskFaults();

/// No fault planned, counters at zero.
void resetDiskFaults();

namespace diskops {

/// open(2); counts as a change when flags ask for writing or creating.
int open(const char* path, int flags, mode_t mode = 0666);
/// read(2), retried on EINTR; fails when it is the planned read.
ssize_t read(int fd, void* buf, std::size_t n);
/// write(2), retried on EINTR; a change.
ssize_t write(int fd, const void* buf, std::size_t n);
/// fsync(2); a change.
int fsync(int fd);
/// syncfs(2): everything of the file system that holds fd goes to the disk; a change.
int syncfs(int fd);
/// close(2).
int close(int fd);
/// lseek(2).
off_t lseek(int fd, off_t offset, int whence);
/// fstat(2).
int fstat(int fd, struct stat* st);
/// stat(2).
int stat(const char* path, struct stat* st);
/// fchmod(2); a change.
int fchmod(int fd, mode_t mode);
/// fchown(2); a change of ownership the program tries but never depends on, so not counted.
int fchown(int fd, uid_t owner, gid_t group);
/// rename(2); a change.
int rename(const char* from, const char* to);
/// renameat2(2) with RENAME_NOREPLACE: fails with EEXIST when `to` exists, and with EINVAL or ENOSYS
/// where the file system or the kernel cannot refuse so; a change.
int renameNoReplace(const char* from, const char* to);
/// link(2); a change.
int link(const char* from, const char* to);
/// unlink(2); a change.
int unlink(const char* path);
/// mkdir(2); a change.
int mkdir(const char* path, mode_t mode = 0777);

} // namespace diskops
