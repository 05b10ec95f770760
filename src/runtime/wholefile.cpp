#include "runtime/wholefile.h"

#include "runtime/diskops.h"

#include <fcntl.h>

std::optional<std::string> readWholeFile(const std::string& path) {
    const int fd = diskops::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    std::string bytes;
    if (diskops::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        diskops::close(fd);
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    ssize_t got = 1;
    // The file may have grown since fstat: read on until the end.
    while (got > 0) {
        if (done == bytes.size())
            bytes.resize(bytes.size() + 65536);
        got = diskops::read(fd, bytes.data() + done, bytes.size() - done);
        if (got > 0)
            done += static_cast<std::size_t>(got);
    }
    diskops::close(fd);
    if (got < 0)
        return std::nullopt;
    bytes.resize(done);
    return bytes;
}
