#pragma once
// "Archiv prüfen": the checksum list's links, every listed file against its checksum, and every file
// of the archive folder against the list.

#include "archive/archivefiles.h"

#include <string>

/// The first problem the check found.
enum class ArchiveProblem {
    None,
    FolderUnreadable, ///< the archive folder cannot be listed
    ListUnreadable,   ///< the checksum list cannot be read to its end
    ListChanged,      ///< a line of the list is not the one written after the line before it
    FileMissing,      ///< a listed file is not there
    FileUnreadable,   ///< a listed file cannot be read
    FileChanged,      ///< a listed file no longer has its checksum
    FileUnlisted,     ///< a file of the archive has no line in the list
};

struct ArchiveCheck {
    ArchiveProblem problem = ArchiveProblem::None;
    /// With None: how many invoices the archive holds (distinct numbers among its files).
    int invoices = 0;
    /// With ListChanged: the 1-based number of the first line that does not hold.
    int line = 0;
    /// With a file problem: the file's name in the archive folder.
    std::string file;
};

/// Checks the archive in the folder Archiv (or another folder kept the same way); an empty or missing archive
/// is in order, with 0 invoices.
ArchiveCheck verifyArchive(std::string_view folder = kArchiveFolder);

/// What the user is told of the result, in Windows-1252: "Archiv in Ordnung (<k> Rechnungen)", or a
/// sentence that names the first problem and the file it concerns.
std::string describeArchiveCheck(const ArchiveCheck& check);
