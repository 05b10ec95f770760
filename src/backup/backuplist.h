#pragma once
// The checksum list inside a backup: which files it holds, with their sizes and SHA-256.
//
//   Quillora-Datensicherung|1|<dd.mm.yyyy>
//   <path>|<size in bytes>|<SHA-256, 64 lower-case hex digits>
//
// one line per file, each ended by CR LF, paths relative to the data folder with "/" between folders,
// as the file system names them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The list's name in the ZIP file.
inline constexpr std::string_view kBackupListName = "Quillora-Sicherung.txt";

struct BackupEntry {
    std::string path;
    std::int64_t size = 0;
    std::string sha256;
};

struct BackupList {
    /// The day the backup was made, "dd.mm.yyyy".
    std::string made;
    std::vector<BackupEntry> entries;
};

/// The list's bytes.
std::string backupListText(const BackupList& list);

/// What reading a list found.
struct BackupListReading {
    std::optional<BackupList> list;
    /// With no list: the 1-based number of the first line that is not as written.
    std::size_t badLine = 0;
};

/// Reads a list exactly as backupListText writes it: any other line, a path that leads out of its
/// folder or names the list, a path listed twice, are refused with the number of their line.
BackupListReading readBackupList(std::string_view bytes);
