// The line reader against the rule it follows: a line ends at CR LF, CR, LF, NUL or the end of the
// file, and atEnd is 1 exactly when no byte is left.

#include "fuzzsupport.h"

#include "runtime/linefile.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> expectedLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::string line;
        while (at < bytes.size() && bytes[at] != '\r' && bytes[at] != '\n' && bytes[at] != '\0')
            line += bytes[at++];
        if (at < bytes.size()) {
            const char ender = bytes[at++];
            if (ender == '\r' && at < bytes.size() && bytes[at] == '\n')
                ++at;
        }
        lines.push_back(line);
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    prepareFuzzing(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    writeInput("lines.txt", data, size);
    if (openForReading(0, "lines.txt") == 0)
        std::abort();
    std::vector<std::string> lines;
    while (atEnd(0) == 0 && lines.size() <= size)
        lines.push_back(readLine(0));
    if (readLine(0) != "" || atEnd(0) != 1 || !closeFile(0))
        std::abort();
    if (lines != expectedLines(bytes))
        std::abort();
    return 0;
}
