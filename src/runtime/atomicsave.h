#pragma once
// Whole-file replacement that never loses the old file.
//
// The new content is collected in memory, written to a temporary file in the same folder, flushed to
// disk, given the file's name in one rename, and the folder is flushed after the rename. If any step
// fails, the temporary file is removed and the old file stays byte for byte as it was. The temporary
// file is made anew, never through a link found under its name. A file that is to be written once is
// only ever created, read-only: its rename refuses a name that exists.

#include <string>
#include <string_view>

/// Whether a save may replace a file of its name.
enum class SaveMode {
    Replace, ///< the new content replaces the file, or creates it
    NewOnly, ///< the file is created read-only (0444); when one of its name exists, it stays and the save
             ///< fails
};

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
    explicit ReplacementFile(std::string_view name, SaveMode mode = SaveMode::Replace,
                             FileNaming naming = FileNaming::Program);

    /// Appends s and CR LF to the new content.
    void writeLine(std::string_view s);
    /// Appends s without a line end.
    void writeText(std::string_view s);

    /// Leaves the flushes to the caller: the file and its folder are not flushed to the disk by commit.
    /// For a folder of many files that appears only once all of them are on the disk (FolderBuilder).
    void leaveFlushToCaller() { flush_ = false; }
    /// Makes the new file read-only (0444) before it takes its name: for files written once.
    void makeReadOnly() { readOnly_ = true; }

    /// The content collected so far.
    const std::string& content() const { return content_; }

    /// Replaces the file with the collected content. True only when every step succeeded. A failure
    /// before the rename leaves the old file as it was; when only the final flush of the folder fails,
    /// the new content is already in place (a rename cannot be taken back safely) but may not yet be
    /// on the disk, and the result is false. The new file keeps the old one's mode bits and, where the
    /// process may set it, its group. A protected file is never replaced: false at once. In
    /// SaveMode::NewOnly the name is taken in one step that fails when the file exists, so an existing
    /// file is never touched.
    bool commit();

  private:
    std::string name_;
    SaveMode mode_;
    FileNaming naming_;
    std::string content_;
    bool flush_ = true;
    bool readOnly_ = false;
};

/// Suffix of the temporary files a replacement writes next to its target; leftovers of an
/// interrupted save carry it and are removed at start.
inline constexpr std::string_view kTemporarySuffix = ".quillora-tmp";

/// Deletes the leftovers of interrupted saves (names ending in kTemporarySuffix) in folder ("" is the
/// current directory); returns how many were removed.
int removeTemporaryLeftovers(std::string_view folder);

/// Refuses every later replacement of the file name (a program file name) in this run: it could not
/// be read whole, so what the program holds of it is only a part.
void protectFromReplacement(std::string_view name);

/// Lets every file be replaced again; a new run starts so.
void clearReplacementProtection();

/// Adds a line at the end of the text file `name` (made when missing) by writing it anew through a
/// ReplacementFile, so that a full disk cannot leave half a line; reads the old lines on file channel
/// `channel`. False when the old file could not be read whole or the new one not committed: the file
/// then stays as it was.
bool replaceWithLineAdded(std::string_view name, std::string_view line, int channel);
