#pragma once
// One open line file: its handle and its read buffer. Internal to the line files.

#include <array>

struct OpenFile {
    static constexpr int kCapacity = 4096;
    int fd = -1;
    std::array<char, kCapacity> buffer{};
    /// Bytes of the buffer not yet consumed: the last `count` of the `filled` ones.
    int count = 0;
    int filled = 0;
    /// A read failed: the end reached is not the file's real end.
    bool readFailed = false;
};
