#pragma once
// Line-oriented access to the program's data files.
//
// Files are addressed by a small file number chosen by the caller. Every line written ends with
// CR LF; lines read may end with CR LF, CR, LF, NUL or the end of the file. One 4096-byte buffer per
// open file serves both directions. A "\" in a file name is a directory separator on every platform
// ("Rechnungen\17.txt" is 17.txt inside the folder Rechnungen).

#include <cstdint>
#include <string>
#include <string_view>

/// Opens an existing file for reading. Nonzero on success, 0 when missing or refused.
int openForReading(int file, std::string_view name);

/// Opens for reading and writing, creating the file when missing. Never truncates: bytes written
/// overwrite the old ones from the start. Nonzero on success.
int openFile(int file, std::string_view name);

/// Writes s and CR LF; returns the bytes handed over (CR LF included), 0 when not open.
int writeLine(int file, std::string_view s);

/// Writes s without a line end; returns the bytes handed over.
int writeText(int file, std::string_view s);

/// The next line without its end; "" at the end of the file or when not open.
std::string readLine(int file);

/// 1 when no byte is left to read, else 0 (also 0 for a number that is not open).
int atEnd(int file);

/// Size on disk plus the bytes waiting in the write buffer; -1 when not open.
std::int64_t fileLength(int file);

/// Flushes pending bytes, drops the read buffer and moves to byte position p; returns the new position
/// (-1 when not open or the move failed).
std::int64_t seekTo(int file, std::int64_t p);

/// Writes what is buffered, closes and frees the number. True only when every byte written since
/// opening reached the file and the close succeeded; false also for a number that is not open.
bool closeFile(int file);

/// closeFile for every open number.
void closeAllFiles();

/// Whether every byte handed over since opening and already passed on reached the file (no failed
/// write); false for a number that is not open.
bool fileWriteOk(int file);

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
