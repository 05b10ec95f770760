// Which rows of a printed table stand on which page.

#include "printing/pagination.h"

#include <gtest/gtest.h>

#include <vector>

TEST(PaginationTest, ARowGoesOnWhenItsLastLineReachesThePageEnd) {
    // The invoice's table at size 8: from y 95 to 220 on page 1, rows 7 mm and lines 4 mm apart.
    const TableGeometry geometry{95, 95, 220, 235, 220, 7, 4};
    struct Case {
        const char* name;
        std::vector<int> lineCounts;
        /// The first row of each page.
        std::vector<int> pageStarts;
    };
    std::vector<int> threeLinesLast(18, 1);
    threeLinesLast.back() = 3;
    const Case cases[] = {
        {"18 one-line rows", std::vector<int>(18, 1), {0}},
        {"the 18th row's first line at 214, its last at 222", threeLinesLast, {0, 17}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<int> starts;
        for (const PageRows& page : layOutRows(c.lineCounts, geometry).pages)
            starts.push_back(page.first);
        EXPECT_EQ(starts, c.pageStarts);
    }
}
