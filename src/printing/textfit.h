#pragma once
// Fitting a text into a width: shortened with "…", or wrapped onto lines at its blanks. The width of a
// text comes from a measure the caller gives (the printer's font metrics), so that this stays plain
// arithmetic on Windows-1252 bytes, one byte a character.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

/// The width of a text, in the units of the width it is fitted into.
using TextMeasure = std::function<double(std::string_view)>;

/// The ellipsis in Windows-1252.
inline constexpr char kEllipsis = '\x85';

/// text itself when it fits into width; otherwise its longest beginning that fits with "…" after it
/// (blanks before the "…" dropped), or "…" alone.
std::string shortenToWidth(std::string_view text, double width, const TextMeasure& measure);

/// text on lines no wider than width, broken at blanks; a word wider than width is cut where it
/// must, and the blanks at a break are dropped. At most maxLines lines (1 when less is asked): a text
/// that needs more ends its last line with "…". A text that fits, or holds no word, is one line.
std::vector<std::string> wrapToWidth(std::string_view text, double width, int maxLines,
                                     const TextMeasure& measure);
