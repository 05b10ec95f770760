#pragma once
// Finding rows of the program's lists by what their cells contain, ignoring case. The search works on
// the Windows-1252 bytes as the lists hold them: A-Z and the capitals from "À" to "Þ" ("×" excepted)
// count as their small letters, so "ä" finds "Ä"; nothing else is equated ("ss" is not "ß").

#include <span>
#include <string>
#include <string_view>

/// The byte with a capital letter turned into its small one.
char foldCase(char c);

/// text with every capital letter turned into its small one.
std::string foldCase(std::string_view text);

/// Whether text contains needle ignoring case; needle must be folded already. An empty needle is in
/// every text.
bool containsFolded(std::string_view text, std::string_view foldedNeedle);

/// Whether text begins with prefix ignoring case; prefix must be folded already.
bool startsWithFolded(std::string_view text, std::string_view foldedPrefix);

/// The first row of list `number` after row `after` in which a shown column's cell contains text,
/// ignoring case. The search goes on from the first row once the last is passed and ends with
/// `after` itself; -1 (or past the end) starts at the first row. -1 when no row has it, or for an
/// empty text.
int findRowContaining(int number, int after, std::string_view text);

/// The first row of list `number` in which one of the columns (shown or not) contains text, ignoring
/// case; -1 when none has it, or for an empty text.
int findRowWith(int number, std::span<const int> columns, std::string_view text);

/// The first row of list `number` in which one of the columns begins with prefix, ignoring case
/// (columns shown or not); -1 when none has it, or for an empty prefix.
int findRowStartingWith(int number, std::span<const int> columns, std::string_view prefix);
