#include "support/datafolder.h"

#include "runtime/atomicsave.h"
#include "runtime/conversions.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

const char* const kTopFiles[] = {"Daten.dat", "ReData.dat", "Option.ini"};

std::optional<std::string> bytesOf(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool isLeftover(const std::string& name) {
    return name.ends_with(kTemporarySuffix);
}

} // namespace

FileSet readDataFiles(const std::string& folder) {
    FileSet files;
    const fs::path base(folder);
    for (const char* name : kTopFiles) {
        if (auto bytes = bytesOf(base / name))
            files[name] = std::move(bytes);
    }
    std::error_code ec;
    for (fs::directory_iterator it(base / "Rechnungen", ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (isLeftover(name))
            continue;
        if (auto bytes = bytesOf(it->path()))
            files["Rechnungen/" + name] = std::move(bytes);
    }
    return files;
}

std::vector<std::string> temporaryFiles(const std::string& folder) {
    std::vector<std::string> found;
    const fs::path base(folder);
    for (const fs::path& dir : {base, base / "Rechnungen"}) {
        std::error_code ec;
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
            if (isLeftover(it->path().filename().string()))
                found.push_back(it->path().string());
        }
    }
    return found;
}

FileSet applied(FileSet snapshot, const FileSet& changes) {
    for (const auto& [name, bytes] : changes) {
        if (bytes)
            snapshot[name] = bytes;
        else
            snapshot.erase(name);
    }
    return snapshot;
}

std::string describeDifference(const std::optional<std::string>& expected,
                               const std::optional<std::string>& actual) {
    if (expected == actual)
        return {};
    if (!expected)
        return "present (" + std::to_string(actual->size()) + " bytes), expected absent";
    if (!actual)
        return "absent, expected " + std::to_string(expected->size()) + " bytes";
    std::size_t at = 0;
    while (at < expected->size() && at < actual->size() && (*expected)[at] == (*actual)[at])
        ++at;
    return std::to_string(actual->size()) + " bytes, expected " + std::to_string(expected->size()) +
           ", first difference at byte " + std::to_string(at);
}

std::vector<int> registerNumbers(const std::string& bytes) {
    std::vector<int> numbers;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos)
            end = bytes.size();
        const std::string line = bytes.substr(start, end - start);
        if (!fieldOf(line, 1, "|").empty())
            numbers.push_back(parseInt(fieldOf(line, 1, "|")));
        start = end + 2;
    }
    return numbers;
}
