#pragma once
// Firma.ini: the company data as "key=value" lines (Windows-1252, CR LF after every line). Keys the
// program does not know, and lines without a key, are kept in their places; a known key missing from
// the file is written after the others.

#include <string_view>

/// The company data file's name in the data folder.
inline constexpr std::string_view kCompanyName = "Firma.ini";

/// Reads Firma.ini into the company data, or leaves them reset when there is none. False when a file
/// is there but could not be read whole; it is then protected from replacement for this run.
bool loadCompanyData();

/// Replaces Firma.ini with the company data. False when the file could not be written (the old one
/// stays), also when it could not be read whole at start.
bool saveCompanyData();
