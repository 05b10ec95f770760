#pragma once
// Keeping an issued invoice in the archive: its e-invoice files are written once, then their lines
// are added to the checksum list. An archive file that exists is never replaced or deleted.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// What became of an invoice's archive files.
enum class ArchiveOutcome {
    Archived,   ///< every file is written and has its line in the checksum list
    Refused,    ///< a file of the invoice was there already; nothing was written
    FileFailed, ///< a file could not be written; the ones before it stay, without lines
    ListFailed, ///< the checksum list could not be read or written; the files stay, without lines
};

/// Writes each file names[i] with contents[i] into folder (made when missing), each complete under its
/// name or not at all, then their lines into the folder's checksum list in one replacement. Nothing
/// is written when one of the names is taken.
ArchiveOutcome keepFilesOnce(std::string_view folder, const std::vector<std::string>& names,
                             const std::vector<std::string_view>& contents);

/// Adds a line to folder's checksum list for each of the files names (already written, with
/// contents) that has none yet, as a save that failed after the file left it. True when every file
/// has its line.
bool listUnlistedFiles(std::string_view folder, const std::vector<std::string>& names,
                       const std::vector<std::string_view>& contents);

/// Writes "<n>.xml", "<n>.pdf" and, when given, "<n>-xrechnung.xml" into the folder Archiv (made when
/// missing), each complete under its name or not at all, then their lines into the checksum list in
/// one replacement. Nothing is written when one of the names is taken.
ArchiveOutcome archiveInvoice(std::int32_t number, std::string_view xml, std::string_view pdf,
                              std::optional<std::string_view> xrechnungXml);

/// Writes the paper copy of an invoice that has no e-invoice into the folder Archiv as "<n>.pdf", once,
/// and its line into the checksum list; nothing when the name is taken.
ArchiveOutcome archivePaperCopy(std::int32_t number, std::string_view pdf);

/// Writes a printed dunning letter into the folder Archiv as "<invoice>-mahnung-<level>.pdf", once, and
/// its line into the checksum list. Refused when the name is taken or the invoice number is not digits.
ArchiveOutcome archiveDunningLetter(std::string_view invoice, int level, std::string_view pdf);

/// "<invoice>-mahnung-<level>.pdf".
std::string dunningLetterFileName(std::string_view invoice, int level);

/// What the user is told when archiveInvoice did not archive the invoice: "Die E-Rechnung Nr.:<n>
/// konnte nicht gespeichert werden!" (caption "Fehler!").
std::string archiveFailureText(std::int32_t number);
