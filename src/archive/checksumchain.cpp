#include "archive/checksumchain.h"

#include <QCryptographicHash>

#include <algorithm>

namespace {

bool isHexDigest(std::string_view s) {
    return s.size() == kNoPreviousLine.size() && std::all_of(s.begin(), s.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

// A plain name inside the archive folder; "\" is a folder separator in program file names.
bool isPlainName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string_view::npos;
}

bool endsLine(char c) {
    return c == '\r' || c == '\n' || c == '\0';
}

} // namespace

std::string sha256Hex(std::string_view bytes) {
    const QByteArray digest = QCryptographicHash::hash(
        QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())), QCryptographicHash::Sha256);
    return digest.toHex().toStdString();
}

std::string chainLine(std::string_view name, std::string_view fileHash,
                      std::optional<std::string_view> previousLine) {
    const std::string previous = previousLine ? sha256Hex(*previousLine) : std::string(kNoPreviousLine);
    std::string line(name);
    line += '|';
    line += fileHash;
    line += '|';
    line += previous;
    return line;
}

std::vector<std::string_view> chainLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        std::size_t end = begin;
        while (end < bytes.size() && !endsLine(bytes[end]))
            ++end;
        lines.push_back(bytes.substr(begin, end - begin));
        // CR LF is one line end.
        const bool crlf = end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n';
        begin = end + (crlf ? 2 : 1);
    }
    return lines;
}

std::optional<ChainEntry> parseChainLine(std::string_view line) {
    const std::size_t first = line.find('|');
    if (first == std::string_view::npos)
        return std::nullopt;
    const std::size_t second = line.find('|', first + 1);
    if (second == std::string_view::npos || line.find('|', second + 1) != std::string_view::npos)
        return std::nullopt;
    const ChainEntry entry{line.substr(0, first), line.substr(first + 1, second - first - 1),
                           line.substr(second + 1)};
    if (!isPlainName(entry.name) || !isHexDigest(entry.fileHash) || !isHexDigest(entry.previousHash))
        return std::nullopt;
    return entry;
}

std::optional<std::size_t> firstBrokenLink(const std::vector<std::string_view>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::optional<ChainEntry> entry = parseChainLine(lines[i]);
        if (!entry)
            return i;
        const std::string expected = i == 0 ? std::string(kNoPreviousLine) : sha256Hex(lines[i - 1]);
        if (entry->previousHash != expected)
            return i;
    }
    return std::nullopt;
}
