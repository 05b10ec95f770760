#include "printing/pagination.h"

#include <algorithm>

TableLayout layOutRows(const std::vector<int>& lineCounts, const TableGeometry& geometry) {
    TableLayout layout;
    layout.rowY.reserve(lineCounts.size());
    PageRows page;
    float y = geometry.firstPageTop;
    float end = geometry.firstPageEnd;
    float lastLineY = 0;
    const int rows = static_cast<int>(lineCounts.size());
    for (int row = 0; row < rows; ++row) {
        const float extra = static_cast<float>(std::max(lineCounts[static_cast<std::size_t>(row)], 1) - 1) *
                            geometry.lineStep;
        if (y + extra + geometry.textHeight >= end && page.end > page.first) {
            layout.pages.push_back(page);
            page = {row, row};
            y = geometry.nextPageTop;
            end = geometry.nextPageEnd;
        }
        layout.rowY.push_back(y);
        lastLineY = y + extra;
        page.end = row + 1;
        y += geometry.rowStep + extra;
    }
    layout.pages.push_back(page);
    if (geometry.closingTop > 0 && page.end > page.first &&
        lastLineY + geometry.textHeight >= geometry.closingTop)
        layout.pages.push_back({rows, rows});
    return layout;
}

int mostLinesPerRow(const TableGeometry& geometry) {
    const float room =
        std::min(geometry.firstPageEnd - geometry.firstPageTop, geometry.nextPageEnd - geometry.nextPageTop);
    int lines = 1;
    while (geometry.lineStep > 0 &&
           static_cast<float>(lines) * geometry.lineStep + geometry.textHeight < room)
        ++lines;
    return lines;
}
