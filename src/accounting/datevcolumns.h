#pragma once
// The 125 column titles of DATEV's booking batch, format version 13, in their order (Windows-1252).

#include <string>
#include <vector>

namespace accounting {

std::vector<std::string> datevColumnTitles();

} // namespace accounting
