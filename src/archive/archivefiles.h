#pragma once
// The folder Archiv in the data folder: the files of each issued invoice, written once, and the
// checksum list over them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The archive folder's program file name.
inline constexpr std::string_view kArchiveFolder = "Archiv";
/// The checksum list's name on disk, "Prüfsummen.txt". File names on this system are UTF-8: the name's
/// Windows-1252 bytes would show as a broken name in every file manager.
inline constexpr std::string_view kChainFileName = "Pr\xC3\xBC"
                                                   "fsummen.txt";

/// The program file name of a file in the archive folder ("Archiv\12.xml"), or in another folder
/// kept the same way (one checksum list per folder).
std::string archivePath(std::string_view fileName, std::string_view folder = kArchiveFolder);

/// The names of an invoice's archive files in the order they are written: "<n>.xml", "<n>.pdf" and,
/// with an XRechnung, "<n>-xrechnung.xml".
std::vector<std::string> invoiceFileNames(std::int32_t number, bool withXRechnung);

/// The invoice number a file name begins with ("12" of "12-xrechnung.xml"); "" when it begins with none.
std::string_view invoiceNumberOf(std::string_view fileName);

/// The checksum list's bytes: "" when there is none; nullopt when it is there but cannot be read to
/// its end (a folder of its name counts as unreadable).
std::optional<std::string> readChainFile(std::string_view folder = kArchiveFolder);

/// The link the next line of the checksum list will carry: SHA-256 of its last line, or 64 zeros
/// while it has none; nullopt when the list cannot be read.
std::optional<std::string> nextChainLink();

/// The file's bytes; nullopt when it cannot be opened or read to its end.
std::optional<std::string> readArchiveFile(std::string_view fileName,
                                           std::string_view folder = kArchiveFolder);

/// SHA-256 of the file's bytes in hex; nullopt when it cannot be opened or read to its end.
std::optional<std::string> fileHash(std::string_view fileName, std::string_view folder = kArchiveFolder);

/// Whether path (a path of the file system, as the file dialog gives it) names a file in the archive
/// folder or in a folder below it, links followed: only the archive's own files belong there.
bool insideArchiveFolder(const std::string& path);

/// The names of the files in the archive folder, the checksum list and leftovers of interrupted saves
/// excepted, sorted; empty when there is no folder, nullopt when it cannot be listed.
std::optional<std::vector<std::string>> archivedFileNames(std::string_view folder = kArchiveFolder);
