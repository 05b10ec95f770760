// Which rows of a printed table stand on which page.

#include "printing/pagination.h"

#include <gtest/gtest.h>

#include <vector>

TEST(PaginationTest, ARowGoesOnWhenItsLastLineReachesThePageEnd) {
    // The invoice's table at size 8: from y 95 to 220 on page 1, rows 7 mm and lines 4 mm apart.
    const TableGeometry geometry{95, 95, 220, 235, 220, 7, 4};
    std::vector<int> lineCounts(18, 1);
    EXPECT_EQ(layOutRows(lineCounts, geometry).pages.size(), 1u);
    // The 18th row's first line would stand at 214, its third at 222.
    lineCounts.back() = 3;
    const TableLayout layout = layOutRows(lineCounts, geometry);
    ASSERT_EQ(layout.pages.size(), 2u);
    EXPECT_EQ(layout.pages[1].first, 17);
}
