// Wrapping and shortening, with a measure of one unit a character so that the expected lines can be
// read off the texts.

#include "printing/textfit.h"

#include <gtest/gtest.h>

namespace {

const TextMeasure kOnePerCharacter = [](std::string_view text) { return static_cast<double>(text.size()); };

TEST(TextFitTest, WrapsAtBlanksCutsLongWordsAndEndsWithAnEllipsis) {
    struct Case {
        const char* name;
        const char* text;
        double width;
        int maxLines;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"fits: leading and inner blanks kept", "  ab  cd ", 10, 5, {"  ab  cd"}},
        {"breaks at blanks", "ab cd ef gh", 5, 5, {"ab cd", "ef gh"}},
        {"blanks at a break dropped", "abcd   ef", 5, 5, {"abcd", "ef"}},
        {"word as wide as the line", "abcde fghij", 5, 5, {"abcde", "fghij"}},
        {"long word cut hard", "abcdefghijkl mn", 5, 5, {"abcde", "fghij", "kl mn"}},
        {"leading blanks do not cut a word that fits", "  abcde fg", 5, 5, {"abcde", "fg"}},
        {"too many lines", "ab cd ef gh ij", 5, 2, {"ab cd", "ef g\x85"}},
        {"one line at least", "ab cd ef", 4, 0, {"ab\x85"}},
        {"nothing but the ellipsis fits", "abc", 0, 1, {"\x85"}},
        {"no words", "   ", 2, 3, {""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(wrapToWidth(c.text, c.width, c.maxLines, kOnePerCharacter), c.lines) << c.name;
}

} // namespace
