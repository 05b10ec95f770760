#include "runtime/userfolders.h"

#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <string>
#include <string_view>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// user-dirs.dirs writes a folder as "$HOME/name" or as an absolute path, a backslash before ", $, `
// or \ taking it literally.
std::optional<fs::path> documentsEntry(const fs::path& home, const fs::path& configHome) {
    std::ifstream in(configHome / "user-dirs.dirs");
    std::string line;
    std::optional<fs::path> found;
    while (std::getline(in, line)) {
        const auto start = line.find_first_not_of(" \t");
        constexpr std::string_view key = "XDG_DOCUMENTS_DIR=\"";
        if (start == std::string::npos || line.compare(start, key.size(), key) != 0)
            continue;
        std::string_view value(line);
        value.remove_prefix(start + key.size());
        std::string folder;
        for (std::size_t i = 0; i < value.size() && value[i] != '"'; ++i) {
            if (value[i] == '\\' && i + 1 < value.size())
                ++i;
            folder.push_back(value[i]);
        }
        if (folder.starts_with("$HOME"))
            found = home.string() + folder.substr(5);
        else if (folder.starts_with("/"))
            found = folder;
    }
    return found;
}

} // namespace

fs::path ownDataFolder(const fs::path& home, const fs::path& configHome) {
    const auto homeFolder = (home / "").lexically_normal();
    auto documents = documentsEntry(home, configHome);
    // Without a documents folder of its own the data would lie loose in the home folder.
    if (!documents || (*documents / "").lexically_normal() == homeFolder)
        documents = home / "Dokumente";
    return *documents / "Quillora";
}

std::optional<fs::path> ownDataFolderOfUser() {
    fs::path home;
    if (const char* env = std::getenv("HOME"); env && *env)
        home = env;
    else if (const passwd* user = getpwuid(getuid()); user && user->pw_dir && *user->pw_dir)
        home = user->pw_dir;
    else
        return std::nullopt;
    fs::path configHome = home / ".config";
    // A relative XDG_CONFIG_HOME is invalid and ignored.
    if (const char* env = std::getenv("XDG_CONFIG_HOME"); env && *env == '/')
        configHome = env;
    return ownDataFolder(home, configHome);
}
