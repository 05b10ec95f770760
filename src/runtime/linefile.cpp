#include "runtime/linefile.h"

#include "runtime/diskops.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <map>
#include <memory>
#include <sys/stat.h>

namespace {

constexpr int kCapacity = 4096;
// Longest name fileSize and createDirectory look at.
constexpr std::size_t kMaxName = 260;

// One open file. The buffer serves both directions: while writing, its first kCapacity - count bytes
// wait for the disk; while reading, its last count of filled bytes are not yet consumed.
struct OpenFile {
    int fd = -1;
    std::array<char, kCapacity> buffer{};
    int count = 0;
    int filled = 0;
    bool reading = true;
    bool writeFailed = false;
    bool readFailed = false;
};

// The runtime's table of open file numbers, the counterpart of the handle table of the system.
std::map<int, std::unique_ptr<OpenFile>>& openFiles() {
    static std::map<int, std::unique_ptr<OpenFile>> table;
    return table;
}

OpenFile* find(int file) {
    const auto& table = openFiles();
    const auto it = table.find(file);
    return it == table.end() ? nullptr : it->second.get();
}

// Hands every byte to the disk, going on after partial writes; a failure is remembered for closeFile.
void writeAll(OpenFile& f, const char* data, std::size_t n) {
    while (n > 0 && !f.writeFailed) {
        const ssize_t written = diskops::write(f.fd, data, n);
        if (written <= 0) {
            f.writeFailed = true;
            return;
        }
        data += written;
        n -= static_cast<std::size_t>(written);
    }
}

void flushPending(OpenFile& f) {
    if (!f.reading)
        writeAll(f, f.buffer.data(), static_cast<std::size_t>(kCapacity - f.count));
}

void switchToReading(OpenFile& f) {
    if (f.reading)
        return;
    flushPending(f);
    f.reading = true;
    f.count = 0;
    f.filled = 0;
}

void bufferedWrite(OpenFile& f, std::string_view piece) {
    if (f.reading) {
        f.reading = false;
        f.count = kCapacity;
    }
    const std::size_t used = static_cast<std::size_t>(kCapacity - f.count);
    if (piece.size() < static_cast<std::size_t>(f.count)) {
        std::copy(piece.begin(), piece.end(), f.buffer.begin() + used);
        f.count -= static_cast<int>(piece.size());
        return;
    }
    writeAll(f, f.buffer.data(), used);
    f.count = kCapacity;
    if (piece.size() >= static_cast<std::size_t>(kCapacity)) {
        writeAll(f, piece.data(), piece.size());
    } else {
        std::copy(piece.begin(), piece.end(), f.buffer.begin());
        f.count -= static_cast<int>(piece.size());
    }
}

// Reads the next block into the empty read buffer; false at the end of the file or on a read error,
// which is remembered: a reader must not take a file cut short by the disk for the whole file.
bool refill(OpenFile& f) {
    ssize_t got = 0;
    do {
        got = diskops::read(f.fd, f.buffer.data(), kCapacity);
    } while (got < 0 && errno == EINTR);
    if (got < 0)
        f.readFailed = true;
    f.filled = f.count = got > 0 ? static_cast<int>(got) : 0;
    return f.count > 0;
}

int clampedCount(std::size_t n) {
    return static_cast<int>(std::min<std::size_t>(n, INT_MAX));
}

int openAs(int file, std::string_view name, int flags) {
    const int fd = diskops::open(platformPath(name).c_str(), flags | O_CLOEXEC, 0666);
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

} // namespace

std::string platformPath(std::string_view name) {
    std::string path(name.substr(0, name.find('\0')));
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

int openForReading(int file, std::string_view name) {
    return openAs(file, name, O_RDONLY);
}

int openFile(int file, std::string_view name) {
    return openAs(file, name, O_RDWR | O_CREAT);
}

int writeLine(int file, std::string_view s) {
    OpenFile* f = find(file);
    if (f == nullptr)
        return 0;
    if (!s.empty())
        bufferedWrite(*f, s);
    bufferedWrite(*f, "\r\n");
    return clampedCount(s.size() + 2);
}

int writeText(int file, std::string_view s) {
    OpenFile* f = find(file);
    if (f == nullptr || s.empty())
        return 0;
    bufferedWrite(*f, s);
    return clampedCount(s.size());
}

std::string readLine(int file) {
    OpenFile* f = find(file);
    if (f == nullptr)
        return {};
    switchToReading(*f);
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
    switchToReading(*f);
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
    return static_cast<std::int64_t>(st.st_size) + (f->reading ? 0 : kCapacity - f->count);
}

std::int64_t seekTo(int file, std::int64_t p) {
    OpenFile* f = find(file);
    if (f == nullptr)
        return -1;
    flushPending(*f);
    f->reading = true;
    f->count = 0;
    f->filled = 0;
    return diskops::lseek(f->fd, static_cast<off_t>(p), SEEK_SET);
}

bool closeFile(int file) {
    auto& table = openFiles();
    const auto it = table.find(file);
    if (it == table.end())
        return false;
    OpenFile& f = *it->second;
    flushPending(f);
    const bool closed = diskops::close(f.fd) == 0;
    const bool ok = closed && !f.writeFailed;
    table.erase(it);
    return ok;
}

void closeAllFiles() {
    auto& table = openFiles();
    while (!table.empty())
        closeFile(table.begin()->first);
}

bool fileWriteOk(int file) {
    const OpenFile* f = find(file);
    return f != nullptr && !f->writeFailed;
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
