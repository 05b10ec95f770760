#pragma once
// The lines of the checksum chain: one per archived file, "<file name>|<SHA-256 of the file>|<SHA-256
// of the line before>", both in lower-case hex, 64 zeros before the first line. A changed, removed or
// reordered line breaks the link of the line after it; a changed file no longer matches its line.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The link of the first line: no line before it.
inline constexpr std::string_view kNoPreviousLine =
    "0000000000000000000000000000000000000000000000000000000000000000";

/// SHA-256 of bytes, 64 lower-case hex digits.
std::string sha256Hex(std::string_view bytes);

/// The line of a file of content hash fileHash that follows previousLine (nullopt: the first line).
std::string chainLine(std::string_view name, std::string_view fileHash,
                      std::optional<std::string_view> previousLine);

/// The lines of the chain's bytes, split as the line reader splits (CR LF, CR, LF or NUL end a line);
/// a last line without its end counts.
std::vector<std::string_view> chainLines(std::string_view bytes);

/// The fields of one line, as views into it.
struct ChainEntry {
    std::string_view name;
    std::string_view fileHash;
    std::string_view previousHash;
};

/// The fields of a line; nullopt when the line has another form: not three fields, a hash that is not
/// 64 lower-case hex digits, or a name that is empty or points out of the archive folder.
std::optional<ChainEntry> parseChainLine(std::string_view line);

/// The index of the first line that has another form or whose link does not name the line before;
/// nullopt when every link holds.
std::optional<std::size_t> firstBrokenLink(const std::vector<std::string_view>& lines);
