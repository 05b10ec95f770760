#include "runtime/atomicsave.h"

#include "runtime/diskops.h"
#include "runtime/linefile.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
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

// Writes the temporary file completely and flushes it; false after any failed step.
bool writeTemporary(const std::string& temporary, const std::string& content) {
    const int fd = diskops::open(temporary.c_str(), O_CREAT | O_TRUNC | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, content) && diskops::fsync(fd) == 0;
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

ReplacementFile::ReplacementFile(std::string_view name, FileNaming naming) : name_(name), naming_(naming) {}

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
    if (!mayReplace(target))
        return false;
    const std::string temporary = target + std::string(kTemporarySuffix);
    if (!writeTemporary(temporary, content_) || diskops::rename(temporary.c_str(), target.c_str()) != 0) {
        diskops::unlink(temporary.c_str());
        return false;
    }
    return flushFolder(folderOf(target));
}

int removeTemporaryLeftovers(std::string_view folder) {
    return removeLeftoversIn(folder.empty() ? std::string(".") : platformPath(folder));
}
