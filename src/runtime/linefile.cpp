#include "runtime/linefile.h"

#include "runtime/diskops.h"
#include "runtime/openfile.h"
#include "runtime/runtimestate.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <map>
#include <memory>
#include <sys/stat.h>

namespace {

// Longest name fileSize and createDirectory look at.
constexpr std::size_t kMaxName = 260;

std::map<int, std::unique_ptr<OpenFile>>& openFiles() {
    return runtimeState().openFiles;
}

OpenFile* find(int file) {
    const auto& table = openFiles();
    const auto it = table.find(file);
    return it == table.end() ? nullptr : it->second.get();
}

// Reads the next block into the empty buffer; false at the end of the file or on a read error,
// which is remembered: a reader must not take a file cut short by the disk for the whole file.
bool refill(OpenFile& f) {
    const ssize_t got = diskops::read(f.fd, f.buffer.data(), OpenFile::kCapacity);
    if (got < 0)
        f.readFailed = true;
    f.filled = f.count = got > 0 ? static_cast<int>(got) : 0;
    return f.count > 0;
}

} // namespace

std::string platformPath(std::string_view name) {
    std::string path(name.substr(0, name.find('\0')));
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

int openForReading(int file, std::string_view name) {
    const int fd = diskops::open(platformPath(name).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    // A folder opens on POSIX systems but cannot be read as a file.
    struct stat st {};
    if (diskops::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        diskops::close(fd);
        return 0;
    }
    // Only a successful opening replaces a file already open under this number.
    closeFile(file);
    auto record = std::make_unique<OpenFile>();
    record->fd = fd;
    openFiles()[file] = std::move(record);
    return 1;
}

std::string readLine(int file) {
    OpenFile* f = find(file);
    if (f == nullptr)
        return {};
    std::string line;
    for (;;) {
        if (f->count == 0 && !refill(*f))
            return line;
        // Scan the unread part of the buffer for the first CR, LF or NUL in one go.
        const char* begin = f->buffer.data() + (f->filled - f->count);
        const char* end = f->buffer.data() + f->filled;
        const char* p = begin;
        while (p != end && *p != '\r' && *p != '\n' && *p != '\0')
            ++p;
        line.append(begin, p);
        if (p == end) {
            f->count = 0;
            continue;
        }
        const char ender = *p;
        f->count = static_cast<int>(end - p - 1);
        if (ender == '\r') {
            // CR LF is one line end; any other byte after a CR stays unread for the next line.
            if (f->count == 0 && !refill(*f))
                return line;
            if (f->buffer[static_cast<std::size_t>(f->filled - f->count)] == '\n')
                --f->count;
        }
        return line;
    }
}

int atEnd(int file) {
    OpenFile* f = find(file);
    if (f == nullptr)
        return 0;
    if (f->count > 0)
        return 0;
    return refill(*f) ? 0 : 1;
}

std::int64_t fileLength(int file) {
    OpenFile* f = find(file);
    if (f == nullptr)
        return -1;
    struct stat st {};
    if (diskops::fstat(f->fd, &st) != 0)
        return -1;
    return static_cast<std::int64_t>(st.st_size);
}

bool closeFile(int file) {
    auto& table = openFiles();
    const auto it = table.find(file);
    if (it == table.end())
        return false;
    diskops::close(it->second->fd);
    table.erase(it);
    return true;
}

void closeAllFiles() {
    auto& table = openFiles();
    while (!table.empty())
        closeFile(table.begin()->first);
}

bool fileReadOk(int file) {
    const OpenFile* f = find(file);
    return f != nullptr && !f->readFailed;
}

int deleteFile(std::string_view name) {
    return diskops::unlink(platformPath(name).c_str()) == 0 ? 1 : 0;
}

std::int64_t fileSize(std::string_view name) {
    std::string path = platformPath(name.substr(0, kMaxName));
    if (path.empty())
        return -1;
    // A drive name ("C:", "C:\"); there are no drives here.
    if ((path.size() == 2 || path.size() == 3) && path[1] == ':')
        return -1;
    if (path.back() == '/')
        path.pop_back();
    struct stat st {};
    if (path.empty() || diskops::stat(path.c_str(), &st) != 0)
        return -1;
    if (S_ISDIR(st.st_mode))
        return -2;
    return static_cast<std::int64_t>(st.st_size);
}

int createDirectory(std::string_view name) {
    std::string path = platformPath(name.substr(0, kMaxName));
    while (!path.empty() && (path.back() == ' ' || path.back() == '/'))
        path.pop_back();
    if (path.empty())
        return 0;
    return diskops::mkdir(path.c_str(), 0777) == 0 ? 1 : 0;
}
