#pragma once
// Texts made fit for the data files. A file line ends at CR, LF or NUL, and a record's fields are
// separated by "|", so a text holding one of them would split its line or its record: every writer
// passes its texts through here.

#include <string>
#include <string_view>

/// text with every CR, LF and NUL made a blank: a value of a file that keeps one value per line.
std::string lineText(std::string_view text);

/// lineText that also makes every "|" a blank: a field of a record whose fields "|" separates.
std::string fieldText(std::string_view text);
