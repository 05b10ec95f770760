#pragma once
// The user's own data folder: "Quillora" in the documents folder that the desktop's user-dirs.dirs
// names, so that a start from the desktop menu never scatters data files into the home folder.

#include <filesystem>
#include <optional>

/// The folder "Quillora" in the user's documents folder as user-dirs.dirs in configHome names it;
/// in ~/Dokumente when it names none, or names the home folder itself.
std::filesystem::path ownDataFolder(const std::filesystem::path& home,
                                    const std::filesystem::path& configHome);

/// ownDataFolder for the user running the program ($HOME, $XDG_CONFIG_HOME); none without a home.
std::optional<std::filesystem::path> ownDataFolderOfUser();
