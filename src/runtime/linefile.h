#pragma once
// Reading the program's data files line by line.
//
// Files are addressed by a small file number chosen by the caller. Lines may end with CR LF, CR, LF,
// NUL or the end of the file. Every file is written whole through the atomic replacement
// (runtime/atomicsave.h). A "\" in a file name is a directory separator on every platform
// ("Rechnungen\17.txt" is 17.txt inside the folder Rechnungen).

#include <cstdint>
#include <string>
#include <string_view>

/// Opens an existing file for reading. Nonzero on success, 0 when missing or refused (a folder too).
/// Only a successful opening replaces a file already open under the number.
int openForReading(int file, std::string_view name);

/// The next line without its end; "" at the end of the file or when not open.
std::string readLine(int file);

/// 1 when no byte is left to read, else 0 (also 0 for a number that is not open).
int atEnd(int file);

/// Size on disk; -1 when not open.
std::int64_t fileLength(int file);

/// Closes the file and frees the number; false for a number that is not open.
bool closeFile(int file);

/// closeFile for every open number.
void closeAllFiles();

/// Whether every read since opening succeeded, so that the end reached is the file's real end;
/// false for a number that is not open.
bool fileReadOk(int file);

/// Deletes a file; nonzero on success, 0 when missing or refused.
int deleteFile(std::string_view name);

/// Size in bytes, -1 when missing (or the name is empty), -2 for a directory.
std::int64_t fileSize(std::string_view name);

/// Creates one directory (trailing blanks and separators dropped); nonzero on success, 0 when it
/// exists already or cannot be made.
int createDirectory(std::string_view name);

/// The platform path of a program file name: "\" becomes "/", and the name ends at a NUL byte.
std::string platformPath(std::string_view name);
