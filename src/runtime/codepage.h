#pragma once
// Conversion between the program's Windows-1252 texts and Qt's strings. Only the toolkit and the
// print layer use it.

#include <QString>
#include <string>
#include <string_view>

/// Decodes Windows-1252 bytes for display.
QString toQString(std::string_view bytes);

/// Encodes for the program; a character Windows-1252 cannot hold becomes "?".
std::string fromQString(const QString& text);
