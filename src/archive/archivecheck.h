#pragma once
// The archive's own check: the checksum list's links, every listed file against its checksum, and
// every file of the archive folder against the list; and what the user reads of any check.

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
    // What only the whole audit ("Archiv prüfen") compares, beyond the list:
    AttachmentDiffers, ///< the XML attached to <n>.pdf is not <n>.xml
    NumberDiffers,     ///< an archived XML is not the invoice its name says
    TotalDiffers,      ///< the invoice list's amount of an invoice is not its archived XML's
};

struct ArchiveCheck {
    ArchiveProblem problem = ArchiveProblem::None;
    /// With None: how many invoices the archive holds (distinct numbers among its files).
    int invoices = 0;
    /// With ListChanged: the 1-based number of the first line that does not hold.
    int line = 0;
    /// With a file problem: the file's name in the archive folder.
    std::string file;
    /// With None and a list of lines: SHA-256 of its last line, which the next line will carry and
    /// every PDF archived after it.
    std::string chainValue;
    /// With None, after the whole audit: the invoice list's numbers without "<n>.pdf" in the archive,
    /// runs joined ("1-3, 7"); empty when every invoice has its copy.
    std::string withoutCopy;
};

/// Checks the archive in the folder Archiv (or another folder kept the same way); an empty or missing archive
/// is in order, with 0 invoices.
ArchiveCheck verifyArchive(std::string_view folder = kArchiveFolder);

/// What the user is told of the result, in Windows-1252: "Archiv in Ordnung (<k> Rechnungen)", with
/// "Letzter Kettenwert: <hex>" on a line of its own when there is a list and "Ohne Archivkopie: Nr.
/// <numbers>" when invoices lack their copy, or a sentence that names the first problem and the file it
/// concerns.
std::string describeArchiveCheck(const ArchiveCheck& check);
