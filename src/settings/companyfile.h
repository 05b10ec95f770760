#pragma once
// Firma.ini: the company data as "key=value" lines (Windows-1252, CR LF after every line). Keys the
// program does not know, and lines without a key, are kept in their places; a known key missing from
// the file is written after the others.

/// Reads Firma.ini into the company data, or leaves them reset when there is none. A file that is
/// there but cannot be read whole is marked to be kept (CompanyData::keepFile).
void loadCompanyData();

/// Replaces Firma.ini with the company data. False when the file could not be written (the old one
/// stays), and when it could not be read whole at start.
bool saveCompanyData();
