#include "runtime/conversions.h"

#include <QDate>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace {

TEST(FormatIntTest, SignsAndLimits) {
    EXPECT_EQ(formatInt(0), "0");
    EXPECT_EQ(formatInt(42), "42");
    EXPECT_EQ(formatInt(-7), "-7");
    EXPECT_EQ(formatInt(2147483647), "2147483647");
    EXPECT_EQ(formatInt(std::numeric_limits<std::int32_t>::min()), "-2147483648");
}

TEST(ParseIntTest, LeadingNumber) {
    struct Row {
        const char* name;
        std::string_view text;
        std::int32_t expected;
    };
    const Row rows[] = {
        {"two-blanks", "  42", 42},
        {"tab-minus-trailing-junk", "\t-7x", -7},
        {"plus", "+5", 5},
        {"blank-after-sign", "- 5", 0},
        {"comma-ends", "3,5", 3},
        {"empty", "", 0},
        {"letters", "abc", 0},
        {"newline-not-skipped", "\n5", 0},
        {"wraps-past-max", "2147483648", std::numeric_limits<std::int32_t>::min()},
        {"min", "-2147483648", std::numeric_limits<std::int32_t>::min()},
        {"wraps-twice", "4294967297", 1},
        {"leading-zeros", "007", 7},
        {"nul-ends",
         std::string_view("12\0"
                          "3",
                          4),
         12},
    };
    for (const Row& row : rows)
        EXPECT_EQ(parseInt(row.text), row.expected) << row.name;
}

TEST(FieldOfTest, Fields) {
    struct Row {
        const char* name;
        std::string_view text;
        int k;
        const char* expected;
    };
    const Row rows[] = {
        {"middle", "a|b|c", 2, "b"},
        {"last", "a|b|c", 3, "c"},
        {"past-end", "a|b|c", 4, ""},
        {"empty-between", "a||c", 2, ""},
        {"no-separator", "abc", 1, "abc"},
        {"empty-text", "", 1, ""},
        {"separator-at-end", "a|b|", 3, ""},
        {"zero-counts-as-one", "a|b", 0, "a"},
        {"negative-counts-as-one", "a|b", -5, "a"},
        {"far-past-end", "a|b", 9, ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(fieldOf(row.text, row.k, "|"), row.expected) << row.name;
    EXPECT_EQ(fieldOf("a;b|c", 2, ";|"), "b|c") << "only the first byte separates";
}

TEST(ReplaceAllTest, LeftToRightWithoutOverlap) {
    EXPECT_EQ(replaceAll("1.234.5", ".", ","), "1,234,5");
    EXPECT_EQ(replaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(replaceAll("a.b", ".", ""), "ab");
    EXPECT_EQ(replaceAll("ab", "b", "bb"), "abb") << "the replacement is not searched again";
    EXPECT_EQ(replaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(replaceAll("", ".", ","), "");
}

TEST(DateTest, DateValues) {
    EXPECT_EQ(dateValueOf(1970, 1, 1, 1, 2, 3), 3723);
    EXPECT_EQ(dateValueOf(2026, 12, 6), 1796515200);
    EXPECT_EQ(dateValueOf(2038, 1, 19, 3, 14, 7), 2147483647);
    EXPECT_EQ(dateValueOf(1969, 12, 31, 23, 59, 59), -1);
    EXPECT_EQ(dateValueOf(2000, 2, 29), 951782400);
}

TEST(DateTest, FormatsDates) {
    struct Row {
        const char* name;
        std::string_view mask;
        DateValue value;
        const char* expected;
    };
    const Row rows[] = {
        {"early-morning", "%dd.%mm.%yyyy", 3723, "01.01.1970"},
        {"december", "%dd.%mm.%yyyy", 1796515200, "06.12.2026"},
        {"upper-case", "%DD.%MM.%YYYY", 1796515200, "06.12.2026"},
        {"mixed-case", "%Dd.%mM.%yYyY", 1796515200, "06.12.2026"},
        {"time", "%hh:%ii:%ss", 3723, "01:02:03"},
        {"short-year", "%yy", 1796515200, "26"},
        {"lone-percent-at-end", "%dd%", 3723, "01%"},
        {"unknown-token", "%x%dd", 3723, "%x01"},
        {"double-percent", "%%dd", 3723, "%01"},
        {"year-2040", "%dd.%mm.%yyyy %hh:%ii", dateValueOf(2040, 2, 29, 13, 45), "29.02.2040 13:45"},
        {"year-2100", "%dd.%mm.%yyyy", dateValueOf(2100, 3, 1), "01.03.2100"},
        {"day-before-2100-march", "%dd.%mm.%yyyy", dateValueOf(2100, 3, 1) - 1, "28.02.2100"},
        {"before-1970", "%dd.%mm.%yyyy %hh:%ii:%ss", -1, "31.12.1969 23:59:59"},
        {"after-int32", "%dd.%mm.%yyyy %hh:%ii:%ss", 2147483648, "19.01.2038 03:14:08"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(formatDate(row.mask, row.value), row.expected) << row.name;
}

// A typed date is taken only when it names a day of the calendar; the due date counts calendar days.
TEST(DateTest, TypedDatesAndDueDates) {
    const struct {
        const char* typed;
        int days;
        /// The date `days` later, or nullptr when the text is refused.
        const char* later;
    } rows[] = {
        {"31.01.2026", 1, "01.02.2026"},   {"20.12.2026", 14, "03.01.2027"}, {"28.02.2028", 1, "29.02.2028"},
        {"01.03.2027", 365, "29.02.2028"}, {"29.02.2027", 0, nullptr},       {"31.04.2026", 0, nullptr},
        {"00.01.2026", 0, nullptr},        {"01.13.2026", 0, nullptr},       {"1.12.2026", 0, nullptr},
        {"29.02.0028", 0, nullptr},        {"01.12.2026 ", 0, nullptr},      {"01/12/2026", 0, nullptr},
    };
    for (const auto& row : rows) {
        const std::optional<DateValue> date = parseDate(row.typed);
        ASSERT_EQ(date.has_value(), row.later != nullptr) << row.typed;
        if (date) {
            EXPECT_EQ(formatDate("%dd.%mm.%yyyy", addDays(*date, row.days)), row.later);
        }
    }
}

TEST(DateTest, ExtremeValuesDoNotCrash) {
    EXPECT_FALSE(formatDate("%dd.%mm.%yyyy", std::numeric_limits<DateValue>::min()).empty());
    EXPECT_FALSE(formatDate("%dd.%mm.%yyyy", std::numeric_limits<DateValue>::max()).empty());
}

// Today's date as the program writes it, against Qt's clock; read again when midnight fell between.
TEST(DateTest, TodayAgreesWithAnIndependentClock) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        const QDate before = QDate::currentDate();
        const std::string ours = formatDate("%dd.%mm.%yyyy", currentDate());
        if (QDate::currentDate() != before)
            continue;
        EXPECT_EQ(ours, before.toString("dd.MM.yyyy").toStdString());
        return;
    }
    FAIL() << "midnight passed twice";
}

TEST(FloatToIntTest, RoundAndTruncate) {
    struct Row {
        const char* name;
        double value;
        std::int32_t rounded;
        std::int32_t truncated;
    };
    const double big = 1e12;
    const Row rows[] = {
        {"half-down-to-even", 2.5, 2, 2},
        {"half-up-to-even", 3.5, 4, 3},
        {"negative-half", -2.5, -2, -2},
        {"negative-odd-half", -3.5, -4, -3},
        {"fraction", 2.9, 3, 2},
        {"negative-fraction", -2.9, -3, -2},
        {"just-below-half", 0.49999999999999994, 0, 0},
        {"saturates-high", big, 2147483647, 2147483647},
        {"saturates-low", -big, -2147483647 - 1, -2147483647 - 1},
        {"max", 2147483647.0, 2147483647, 2147483647},
        {"min", -2147483648.0, -2147483647 - 1, -2147483647 - 1},
        {"nan", std::nan(""), 0, 0},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(roundToInt(row.value), row.rounded) << row.name;
        EXPECT_EQ(truncateToInt(row.value), row.truncated) << row.name;
    }
}

} // namespace
