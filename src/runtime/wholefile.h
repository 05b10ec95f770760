#pragma once
// Reading a file whole, through the disk seam, for the files that are not line files: archive copies,
// backups.

#include <optional>
#include <string>

/// The bytes of the file at path (a path of the file system); nullopt when it cannot be opened or
/// read to its end, or is no regular file.
std::optional<std::string> readWholeFile(const std::string& path);
