#pragma once
// A folder that appears whole or not at all: its files are written into a folder beside it first
// ("<target>.quillora-tmp"), each through the atomic replacement, everything is flushed to the disk
// at once, and that folder then takes the target's name in one rename. The target must be missing or an empty
// folder, so nothing is ever written over; a build that is not committed removes what it wrote.

#include <string>
#include <string_view>

class FolderBuilder {
  public:
    /// target is a path of the file system.
    explicit FolderBuilder(std::string target);
    ~FolderBuilder();
    FolderBuilder(const FolderBuilder&) = delete;
    FolderBuilder& operator=(const FolderBuilder&) = delete;

    /// What stands in the way of a build.
    enum class Start {
        Ready,
        NotEmpty, ///< the target holds something, or is no folder
        Refused,  ///< the folder beside it could not be made
    };
    /// Checks the target and makes the folder beside it.
    Start begin();
    /// Writes a file of relativePath ("Archiv/1.xml"; the folders on the way are made). False when it
    /// failed, or the path leads out of the folder. A read-only file is made so before it takes its name.
    bool add(std::string_view relativePath, std::string_view bytes, bool readOnly = false);
    /// Gives the folder the target's name and flushes that; false when that failed.
    bool commit();

  private:
    std::string target_;
    std::string building_;
    bool begun_ = false;
    bool committed_ = false;
};

/// Whether a relative path ("/" between folders) stays inside its folder: no empty, "." or ".."
/// part, no leading "/", no "\" and no NUL.
bool isInsidePath(std::string_view path);
