#pragma once
// Conversion between the program's Windows-1252 texts and Qt's strings, which only the toolkit and
// the print layer use, and to UTF-8 for files that leave the program.

#include <QString>
#include <string>
#include <string_view>

/// Decodes Windows-1252 bytes for display.
QString toQString(std::string_view bytes);

/// Encodes for the program; a character Windows-1252 cannot hold becomes "?".
std::string fromQString(const QString& text);

/// The first character of text that Windows-1252 cannot hold (both halves of a surrogate pair); empty
/// when it holds them all.
QString firstUnencodable(const QString& text);

/// The text in UTF-8, every byte by the same table as toQString ("\x80" becomes "€").
std::string toUtf8(std::string_view bytes);
