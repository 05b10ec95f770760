#pragma once
// The data files of a folder as bytes, for tests that compare what a save left behind with what it
// had to leave.

#include <map>
#include <optional>
#include <string>
#include <vector>

/// Data file name ("Daten.dat", "Rechnungen/3.txt") to its bytes. In a set of changes, nullopt stands
/// for a file that is deleted; in a snapshot every file present has bytes.
using FileSet = std::map<std::string, std::optional<std::string>>;

/// The folder below a data folder that the tests' exports and restorations write into.
inline constexpr const char* kOutputFolder = "Ausgabe";

/// Daten.dat, ReData.dat, Option.ini, Firma.ini, the receivables' files, Eingang.dat, the lists and backups
/// written there (*.csv, *.zip), every file in Rechnungen, Archiv and Eingang and every file below Ausgabe,
/// leftovers of interrupted saves excepted, as they are on disk in folder.
/// readable, when given, tells whether every file and folder could be read (a missing one counts as
/// read: it is absent).
FileSet readDataFiles(const std::string& folder, bool* readable = nullptr);

/// Leftovers of interrupted saves in folder and in its Rechnungen, Archiv and Eingang.
std::vector<std::string> temporaryFiles(const std::string& folder);

/// snapshot with changes applied (nullopt deletes).
FileSet applied(FileSet snapshot, const FileSet& changes);

/// A short description of how actual differs from expected ("" when they are equal).
std::string describeDifference(const std::optional<std::string>& expected,
                               const std::optional<std::string>& actual);

/// The invoice numbers (field 1 of each line) of a register's bytes, in file order.
std::vector<int> registerNumbers(const std::string& bytes);
