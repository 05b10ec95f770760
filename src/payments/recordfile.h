#pragma once
// The receivables' own files (payments, the terms of issued invoices, dunning letters): one record a
// line, its fields separated by "|", Windows-1252 with CR LF, as the other data files are. A file is
// kept as the lines it was read with, so that lines the program does not understand are written back
// as they were.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

/// The lines of one record file.
struct RecordFile {
    /// The program file name ("Zahlungen.dat").
    std::string_view name;
    /// Every line that is not empty, without its line end.
    std::vector<std::string> lines;
};

/// Reads the file's lines into file.lines (a missing file gives none). False when a read failed before
/// the end: what was read is kept, and the file is protected from every replacement in this run.
bool loadRecordFile(RecordFile& file);

/// Replaces the file on the disk with file.lines, each ended by CR LF, in one rename. False when it
/// failed; the old file then stays as it was.
bool saveRecordFile(const RecordFile& file);

/// The record of these fields: joined by "|", with "|", CR, LF and NUL inside a field made blanks.
std::string recordLine(std::initializer_list<std::string_view> fields);

/// Field k (1-based) of a record line.
std::string_view recordField(std::string_view line, int k);

/// Whether a line's first field is the invoice number.
bool isRecordOf(std::string_view line, std::string_view invoice);
