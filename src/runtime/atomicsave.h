#pragma once
// Whole-file replacement that never loses the old file.
//
// The new content is collected in memory, written to a temporary file in the same folder, flushed to
// disk, given the file's name in one rename, and the folder is flushed after the rename. If any step
// fails, the temporary file is removed and the old file stays byte for byte as it was.

#include <string>
#include <string_view>

/// How a ReplacementFile's name is read.
enum class FileNaming {
    /// A program file name: "\" separates folders ("Rechnungen\17.txt").
    Program,
    /// A path of the file system as it stands ("/home/anna/Kundenliste.csv"), as the user chose it.
    Platform,
};

class ReplacementFile {
  public:
    /// name is a program file name ("Daten.dat", "Rechnungen\17.txt") or, with FileNaming::Platform,
    /// a path of the file system, relative to the current folder or absolute.
    explicit ReplacementFile(std::string_view name, FileNaming naming = FileNaming::Program);

    /// Appends s and CR LF to the new content.
    void writeLine(std::string_view s);
    /// Appends s without a line end.
    void writeText(std::string_view s);

    /// The content collected so far.
    const std::string& content() const { return content_; }

    /// Replaces the file with the collected content. True only when every step succeeded. A failure
    /// before the rename leaves the old file as it was; when only the final flush of the folder fails,
    /// the new content is already in place (a rename cannot be taken back safely) but may not yet be
    /// on the disk, and the result is false.
    bool commit();

  private:
    std::string name_;
    FileNaming naming_;
    std::string content_;
};

/// Suffix of the temporary files a replacement writes next to its target; leftovers of an
/// interrupted save carry it and are removed at start.
inline constexpr std::string_view kTemporarySuffix = ".quillora-tmp";

/// Deletes the leftovers of interrupted saves (names ending in kTemporarySuffix) in folder ("" is the
/// current directory); returns how many were removed.
int removeTemporaryLeftovers(std::string_view folder);
