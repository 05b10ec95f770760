// Writes a 100 000-line file through the atomic replacement and reads it back through the line files,
// printing the times.

#include "runtime/atomicsave.h"
#include "runtime/linefile.h"
#include "timing.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

const int kLines = sized(100000, 1000);

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main() {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("linefile_bench_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path previous = fs::current_path();
    fs::current_path(folder);

    // Lines shaped like register lines: number, surname, customer number, total, date.
    auto start = std::chrono::steady_clock::now();
    ReplacementFile file("ReData.dat");
    for (int i = 1; i <= kLines; ++i)
        file.writeLine(std::to_string(i) + "|M\xFCller-Schmidt|" + std::to_string(i % 977) +
                       "|1234,56|06.12.2026");
    const bool written = file.commit();
    const double writeMs = millisecondsSince(start);

    start = std::chrono::steady_clock::now();
    int lines = 0;
    std::size_t bytes = 0;
    if (openForReading(0, "ReData.dat") != 0) {
        while (atEnd(0) == 0) {
            bytes += readLine(0).size();
            ++lines;
        }
        closeFile(0);
    }
    const double readMs = millisecondsSince(start);

    std::printf("file size: %lld bytes\n", static_cast<long long>(fileSize("ReData.dat")));
    std::printf("write %d lines: %.2f ms%s\n", kLines, writeMs, written ? "" : " (write failed)");
    std::printf("read  %d lines (%zu bytes of text): %.2f ms\n", lines, bytes, readMs);

    fs::current_path(previous);
    fs::remove_all(folder);
    return lines == kLines && written ? 0 : 1;
}
