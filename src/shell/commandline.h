#pragma once
// The command line: which data folder the program works in, or a short answer on the terminal. It is
// read before the toolkit is made, so that --help, --version and a refused folder never open a window.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

/// Exit status of a command line the program does not understand.
inline constexpr int kUsageStatus = 64;
/// Exit status when the data folder cannot be created or entered.
inline constexpr int kFolderStatus = 3;

enum class Request { Start, Help, Version, Invalid };

/// What the command line asks for.
struct CommandLine {
    Request request = Request::Start;
    /// The data folder named on the command line; none for the current folder.
    std::optional<std::string> folder;
    /// The user's own folder in the documents folder (--eigener-ordner).
    bool ownFolder = false;
    /// Why an Invalid command line was refused, in German for the terminal (UTF-8).
    std::string problem;
};

/// Reads the arguments after the program's name. The first --help or --version wins over what follows.
CommandLine parseCommandLine(int argc, const char* const argv[]);

/// Creates the folder with its parents when missing and makes it the current directory. Why it
/// could not, in German for the terminal (UTF-8); nothing when it is entered.
std::optional<std::string> enterDataFolder(const std::filesystem::path& folder);

/// Answers --help and --version on stdout, reports a refused command line or folder on stderr, or
/// enters the data folder and runs the program. The process's exit status.
int runFromCommandLine(int argc, const char* const argv[], std::string_view version);
