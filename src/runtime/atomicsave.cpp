#include "runtime/atomicsave.h"

#include "runtime/diskops.h"
#include "runtime/linefile.h"
#include "runtime/runtimestate.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

// The folder a path lies in, for flushing the rename to disk.
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool writeAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t written = diskops::write(fd, data.data() + done, data.size() - done);
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// Creates the temporary file exclusively, so that a link planted under its name is removed, never
// followed. A file that replaces another gets its mode bits and its group before any content, so no
// moment shows the content to more people than the old file did; the group only where the process
// may set it. A new file gets the default mode. The descriptor, or -1.
int createTemporary(const std::string& temporary, const std::string& target) {
    struct stat old {};
    const bool replacing = diskops::stat(target.c_str(), &old) == 0;
    const mode_t mode = replacing ? (old.st_mode & 07777) : 0666;
    constexpr int kFlags = O_CREAT | O_EXCL | O_NOFOLLOW | O_WRONLY | O_CLOEXEC;
    int fd = diskops::open(temporary.c_str(), kFlags, mode & 0777);
    if (fd < 0 && errno == EEXIST) {
        if (diskops::unlink(temporary.c_str()) != 0)
            return -1;
        fd = diskops::open(temporary.c_str(), kFlags, mode & 0777);
    }
    if (fd < 0 || !replacing)
        return fd;
    struct stat made {};
    if (diskops::fchmod(fd, mode) != 0 || diskops::fstat(fd, &made) != 0) {
        diskops::close(fd);
        return -1;
    }
    if (made.st_gid != old.st_gid)
        diskops::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    return fd;
}

// Writes the temporary file completely and flushes it (unless the caller flushes later); false after any
// failed step. A file written once is read-only (0444) before it takes its name, so that no moment shows
// it writable there.
bool writeTemporary(const std::string& temporary, const std::string& target, const std::string& content,
                    bool flush, bool readOnly) {
    const int fd = createTemporary(temporary, target);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, content) && (!readOnly || diskops::fchmod(fd, 0444) == 0) &&
                         (!flush || diskops::fsync(fd) == 0);
    const bool closed = diskops::close(fd) == 0;
    return written && closed;
}

bool flushFolder(const std::string& folder) {
    const int fd = diskops::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = diskops::fsync(fd) == 0;
    return diskops::close(fd) == 0 && synced;
}

// A file the user has made read-only keeps its content: the rename would replace it all the same,
// since replacing only asks the folder.
bool mayReplace(const std::string& target) {
    return ::access(target.c_str(), W_OK) == 0 || errno == ENOENT;
}

// Gives the complete temporary file the target's name unless that name exists. Where the file system
// cannot refuse in a rename, a second link is made and the temporary name dropped; when only that
// drop fails, the file is in place and the leftover name goes at the next start.
bool takeNewName(const std::string& temporary, const std::string& target) {
    if (diskops::renameNoReplace(temporary.c_str(), target.c_str()) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return false;
    if (diskops::link(temporary.c_str(), target.c_str()) != 0)
        return false;
    diskops::unlink(temporary.c_str());
    return true;
}

bool hasTemporarySuffix(const std::string& name) {
    return name.size() > kTemporarySuffix.size() &&
           std::string_view(name).substr(name.size() - kTemporarySuffix.size()) == kTemporarySuffix;
}

int removeLeftoversIn(const std::filesystem::path& folder) {
    std::error_code ec;
    int removed = 0;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError) || !hasTemporarySuffix(it->path().filename().string()))
            continue;
        if (diskops::unlink(it->path().c_str()) == 0)
            ++removed;
    }
    return removed;
}

} // namespace

ReplacementFile::ReplacementFile(std::string_view name, SaveMode mode, FileNaming naming)
    : name_(name), mode_(mode), naming_(naming) {}

void ReplacementFile::writeLine(std::string_view s) {
    content_.append(s);
    content_.append("\r\n");
}

void ReplacementFile::writeText(std::string_view s) {
    content_.append(s);
}

bool ReplacementFile::commit() {
    const std::string target = naming_ == FileNaming::Platform ? name_ : platformPath(name_);
    if (target.empty())
        return false;
    const bool newOnly = mode_ == SaveMode::NewOnly;
    if (runtimeState().protectedFiles.contains(target) || (!newOnly && !mayReplace(target)))
        return false;
    const std::string temporary = target + std::string(kTemporarySuffix);
    if (!writeTemporary(temporary, target, content_, flush_, readOnly_) ||
        !(newOnly ? takeNewName(temporary, target)
                  : diskops::rename(temporary.c_str(), target.c_str()) == 0)) {
        diskops::unlink(temporary.c_str());
        return false;
    }
    return !flush_ || flushFolder(folderOf(target));
}

int removeTemporaryLeftovers(std::string_view folder) {
    return removeLeftoversIn(folder.empty() ? std::string(".") : platformPath(folder));
}

void protectFromReplacement(std::string_view name) {
    runtimeState().protectedFiles.insert(platformPath(name));
}

void clearReplacementProtection() {
    runtimeState().protectedFiles.clear();
}

bool replaceWithLineAdded(std::string_view name, std::string_view line, int channel) {
    ReplacementFile replacement(name);
    if (fileSize(name) != -1) {
        if (openForReading(channel, name) == 0)
            return false;
        while (atEnd(channel) == 0)
            replacement.writeLine(readLine(channel));
        const bool whole = fileReadOk(channel);
        closeFile(channel);
        if (!whole)
            return false;
    }
    replacement.writeLine(line);
    return replacement.commit();
}
