#pragma once
// Program texts on their way into an e-invoice: Windows-1252 bytes become Unicode, and what XML or a
// receiving system cannot take is removed.

#include <QString>
#include <string_view>

namespace einvoice {

/// text (Windows-1252) decoded, with tabs and line breaks as blanks, every other control character
/// dropped and blanks at both ends trimmed. Empty when nothing visible is left.
QString cleanText(std::string_view text);

/// True when cleanText(text) is empty.
bool isBlank(std::string_view text);

} // namespace einvoice
