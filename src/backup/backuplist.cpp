#include "backup/backuplist.h"

#include "runtime/folderbuilder.h"

#include <algorithm>
#include <set>

namespace {

constexpr std::string_view kHeader = "Quillora-Datensicherung|1|";
constexpr std::size_t kHashLength = 64;
constexpr std::size_t kMaxSizeDigits = 15;

bool allOf(std::string_view s, bool (*ok)(char)) {
    return std::all_of(s.begin(), s.end(), ok);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isLowerHex(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'f');
}

// "dd.mm.yyyy" with digits where digits belong.
bool isMadeText(std::string_view s) {
    constexpr std::string_view kShape = "00.00.0000";
    if (s.size() != kShape.size())
        return false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (kShape[i] == '0' ? !isDigit(s[i]) : s[i] != kShape[i])
            return false;
    }
    return true;
}

// The fields of a line from its right end, so that a path may hold "|".
std::optional<BackupEntry> entryOf(std::string_view line) {
    const std::size_t hashBar = line.rfind('|');
    if (hashBar == std::string_view::npos || hashBar == 0)
        return std::nullopt;
    const std::size_t sizeBar = line.rfind('|', hashBar - 1);
    if (sizeBar == std::string_view::npos)
        return std::nullopt;
    const std::string_view path = line.substr(0, sizeBar);
    const std::string_view size = line.substr(sizeBar + 1, hashBar - sizeBar - 1);
    const std::string_view hash = line.substr(hashBar + 1);
    if (!isInsidePath(path) || path == kBackupListName || size.empty() || size.size() > kMaxSizeDigits ||
        (size.size() > 1 && size[0] == '0') || !allOf(size, isDigit) || hash.size() != kHashLength ||
        !allOf(hash, isLowerHex))
        return std::nullopt;
    return BackupEntry{std::string(path), std::stoll(std::string(size)), std::string(hash)};
}

} // namespace

std::string backupListText(const BackupList& list) {
    std::string text = std::string(kHeader) + list.made + "\r\n";
    for (const BackupEntry& e : list.entries)
        text += e.path + "|" + std::to_string(e.size) + "|" + e.sha256 + "\r\n";
    return text;
}

BackupListReading readBackupList(std::string_view bytes) {
    BackupList list;
    std::set<std::string_view> paths;
    std::size_t number = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        ++number;
        const std::size_t end = bytes.find("\r\n", at);
        if (end == std::string_view::npos)
            return {std::nullopt, number};
        const std::string_view line = bytes.substr(at, end - at);
        at = end + 2;
        // A lone CR, LF or NUL is no part of any line that was written.
        if (line.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
            return {std::nullopt, number};
        if (number == 1) {
            if (!line.starts_with(kHeader) || !isMadeText(line.substr(kHeader.size())))
                return {std::nullopt, number};
            list.made = std::string(line.substr(kHeader.size()));
            continue;
        }
        std::optional<BackupEntry> entry = entryOf(line);
        if (!entry || !paths.insert(line.substr(0, entry->path.size())).second)
            return {std::nullopt, number};
        list.entries.push_back(std::move(*entry));
    }
    if (number == 0)
        return {std::nullopt, 1};
    return {std::move(list), 0};
}
