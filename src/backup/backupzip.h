#pragma once
// The backup of the data folder: one ZIP file of every file in it (data files, item files, archive)
// with the checksum list over them, and its restoration into an empty folder, which checks every
// checksum and the archive's chain before it writes anything.

#include "runtime/conversions.h"

#include <string>
#include <vector>

struct BackupOutcome {
    bool written = false;
    /// Files in the backup.
    int files = 0;
    /// Why it failed, in German; "" when written, or when only writing the ZIP file failed.
    std::string problem;
};

/// Writes every regular file of the data folder (the current directory) and its folders into the
/// ZIP file at zipPath (a path of the file system) through the atomic replacement. Left out: the
/// leftovers of interrupted saves, the names in skipped, and the ZIP file itself. A file that changes
/// while the backup is made fails it.
BackupOutcome writeBackup(const std::string& zipPath, const std::vector<std::string>& skipped, DateValue now);

struct RestoreOutcome {
    bool restored = false;
    /// What the user is told, in German: what was restored, or why nothing was.
    std::string message;
};

/// Restores the backup at zipPath into targetFolder, which must be missing or empty. Every file must
/// match the checksum list and the list every file, and the archive's chain must hold; otherwise, as
/// when writing fails, nothing stays behind in targetFolder.
RestoreOutcome restoreBackup(const std::string& zipPath, const std::string& targetFolder);
