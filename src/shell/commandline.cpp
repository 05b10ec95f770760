#include "shell/commandline.h"

#include "runtime/codepage.h"
#include "runtime/userfolders.h"
#include "shell/startup.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
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
