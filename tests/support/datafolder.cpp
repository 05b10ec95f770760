#include "support/datafolder.h"

#include "runtime/atomicsave.h"
#include "runtime/conversions.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const char* const kTopFiles[] = {"Daten.dat",     "ReData.dat",      "Option.ini",     "Firma.ini",
                                 "Zahlungen.dat", "Forderungen.dat", "Mahnungen.dat",  "Eingang.dat",
                                 "AngData.dat",   "Serien.dat",      "Korrekturen.dat"};
const char* const kFolders[] = {"Rechnungen", "Archiv", "Eingang", "Angebote"};

// The bytes of a regular file; nullopt when there is none. A file that is there but cannot be read
// to its end clears readable.
std::optional<std::string> bytesOf(const fs::path& path, bool& readable) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec && ec != std::errc::no_such_file_or_directory)
        readable = false;
    if (ec || !fs::is_regular_file(status))
        return std::nullopt;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        readable = readable && errno == ENOENT;
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    ssize_t got = 0;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, static_cast<std::size_t>(got));
    if (got < 0)
        readable = false;
    ::close(fd);
    return bytes;
}

bool isLeftover(const std::string& name) {
    return name.ends_with(kTemporarySuffix);
}

} // namespace

FileSet readDataFiles(const std::string& folder, bool* readable) {
    bool allRead = true;
    FileSet files;
    const fs::path base(folder);
    for (const char* name : kTopFiles) {
        if (auto bytes = bytesOf(base / name, allRead))
            files[name] = std::move(bytes);
    }
    std::error_code topError;
    for (fs::directory_iterator top(base, topError), end; !topError && top != end; top.increment(topError)) {
        const std::string name = top->path().filename().string();
        if (name.ends_with(".csv") || name.ends_with(".zip")) {
            if (auto bytes = bytesOf(top->path(), allRead))
                files[name] = std::move(bytes);
        }
    }
    if (topError && topError != std::errc::no_such_file_or_directory)
        allRead = false;
    for (const char* folder : kFolders) {
        std::error_code ec;
        fs::directory_iterator it(base / folder, ec);
        for (fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (isLeftover(name))
                continue;
            if (auto bytes = bytesOf(it->path(), allRead))
                files[std::string(folder) + "/" + name] = std::move(bytes);
        }
        if (ec && ec != std::errc::no_such_file_or_directory)
            allRead = false;
    }
    // The tests' folder for exports and restorations, whole.
    std::error_code ec;
    for (fs::recursive_directory_iterator it(base / kOutputFolder, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (!it->is_regular_file(ec) || isLeftover(it->path().filename().string()))
            continue;
        if (auto bytes = bytesOf(it->path(), allRead))
            files[it->path().lexically_relative(base).generic_string()] = std::move(bytes);
    }
    if (readable)
        *readable = allRead;
    return files;
}

std::vector<std::string> temporaryFiles(const std::string& folder) {
    std::vector<std::string> found;
    const fs::path base(folder);
    for (const fs::path& dir :
         {base, base / kFolders[0], base / kFolders[1], base / kFolders[2], base / kFolders[3]}) {
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
