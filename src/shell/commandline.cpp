#include "shell/commandline.h"

#include "runtime/codepage.h"
#include "shell/startup.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kOwnFolderOption = "--eigener-ordner";
constexpr std::string_view kHelpHint = "\x84quillora --help\x93 zeigt, wie Quillora aufgerufen wird.";

// The terminal speaks UTF-8; the program's texts are Windows-1252. Folder names pass as they came.
std::string forTerminal(std::string_view text) {
    return toQString(text).toStdString();
}

void print(std::FILE* stream, const std::string& utf8) {
    std::fputs(utf8.c_str(), stream);
}

std::string_view reasonOf(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return "keine Berechtigung";
    case EROFS:
        return "das Laufwerk ist schreibgesch\xFCtzt";
    case ENOSPC:
        return "das Laufwerk ist voll";
    case ENOTDIR:
    case EEXIST:
        return "dort liegt eine Datei";
    case ENOENT:
        return "kein g\xFCltiger Ordnername";
    case ENAMETOOLONG:
        return "der Name ist zu lang";
    default:
        return "Fehler des Betriebssystems";
    }
}

// "Der Datenordner „folder“ kann nicht <failed> (<reason>)." for the terminal.
std::string folderProblem(const fs::path& folder, std::string_view failed, int error) {
    return forTerminal("Der Datenordner \x84") + folder.string() +
           forTerminal("\x93 kann nicht " + std::string(failed) + " (" + std::string(reasonOf(error)) + ").");
}

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

std::string helpText(const std::optional<fs::path>& ownFolder) {
    return forTerminal(
               "Aufruf: quillora [OPTION] [ORDNER]\n"
               "Rechnungsprogramm: Kunden, Artikel, Rechnungen, Lieferscheine und das Rechnungsbuch.\n\n"
               "Die Daten liegen im ORDNER, der angelegt wird, wenn es ihn nicht gibt; ohne ORDNER\n"
               "im aktuellen Ordner. In einem Ordner arbeitet nur ein Quillora zugleich.\n\n"
               "Optionen:\n"
               "  --eigener-ordner  im Ordner \x84Quillora\x93 im Dokumente-Ordner des Benutzers\n"
               "                    arbeiten, der beim ersten Start angelegt wird") +
           (ownFolder ? ";\n                    hier: " + ownFolder->string() : std::string()) +
           forTerminal("\n"
                       "  -h, --help        diese Hilfe zeigen\n"
                       "  --version         die Version zeigen\n");
}

} // namespace

CommandLine parseCommandLine(int argc, const char* const argv[]) {
    CommandLine line;
    int folders = 0;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!optionsEnded && arg.size() > 1 && arg.front() == '-') {
            if (arg == "--help" || arg == "-h") {
                line.request = Request::Help;
                return line;
            }
            if (arg == "--version") {
                line.request = Request::Version;
                return line;
            }
            if (arg == "--") {
                optionsEnded = true;
            } else if (arg == kOwnFolderOption) {
                line.ownFolder = true;
            } else {
                line.request = Request::Invalid;
                line.problem =
                    forTerminal("Unbekannte Option \x84") + std::string(arg) + forTerminal("\x93.");
                return line;
            }
            continue;
        }
        line.folder = std::string(arg);
        ++folders;
    }
    if (folders > 1) {
        line.request = Request::Invalid;
        line.problem = forTerminal("Nur ein Datenordner ist m\xF6glich.");
    } else if (folders == 1 && line.ownFolder) {
        line.request = Request::Invalid;
        line.problem = forTerminal(std::string(kOwnFolderOption) + " und ein Datenordner schlie\xDF"
                                                                   "en einander aus.");
    }
    return line;
}

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

std::optional<std::string> enterDataFolder(const fs::path& folder) {
    std::error_code error;
    if (folder.empty() || (!fs::create_directories(folder, error) && error))
        return folderProblem(folder, "angelegt werden", folder.empty() ? ENOENT : error.value());
    if (::chdir(folder.c_str()) != 0)
        return folderProblem(folder,
                             "ge\xF6"
                             "ffnet werden",
                             errno);
    return std::nullopt;
}

int runFromCommandLine(int argc, const char* const argv[], std::string_view version) {
    const CommandLine line = parseCommandLine(argc, argv);
    const auto ownFolder = ownDataFolderOfUser();
    switch (line.request) {
    case Request::Help:
        print(stdout, helpText(ownFolder));
        return 0;
    case Request::Version:
        print(stdout, "Quillora " + std::string(version) + "\n");
        return 0;
    case Request::Invalid:
        print(stderr, "quillora: " + line.problem + "\n" + forTerminal(kHelpHint) + "\n");
        return kUsageStatus;
    case Request::Start:
        break;
    }
    fs::path folder = ".";
    if (line.ownFolder) {
        if (!ownFolder) {
            print(stderr, forTerminal("quillora: Der Benutzer hat keinen Home-Ordner.\n"));
            return kFolderStatus;
        }
        folder = *ownFolder;
    } else if (line.folder) {
        folder = *line.folder;
    }
    if (const auto problem = enterDataFolder(folder)) {
        print(stderr, "quillora: " + *problem + "\n");
        return kFolderStatus;
    }
    return runProgram();
}
