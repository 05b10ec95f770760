#pragma once
// Which rows of a printed table stand on which page, and at what height. Plain arithmetic in
// millimetres: the printouts give the heights and limits, this places the rows.

#include <vector>

/// Where rows may stand, in millimetres down the printable area.
struct TableGeometry {
    /// The first row's y on page 1 and on the pages after it.
    float firstPageTop = 0;
    float nextPageTop = 0;
    /// A row fits on a page while the y of its last line stays below this: on page 1, on the others.
    float firstPageEnd = 0;
    float nextPageEnd = 0;
    /// The rows of the last page must end above this, or what closes the document (the totals) gets
    /// a page of its own; 0 when the last page may be filled like any other.
    float closingTop = 0;
    /// From one row to the next, and from one line of a row to the next line of the same row.
    float rowStep = 0;
    float lineStep = 0;
    /// How far a line's text reaches below the y it stands at: a row fits only while the text of its
    /// last line ends above the page end, so that no rule there crosses it.
    float textHeight = 0;
};

/// The rows first to end - 1 of one page.
struct PageRows {
    int first = 0;
    int end = 0;
};

struct TableLayout {
    /// At least one page; a page after the last row holds no rows.
    std::vector<PageRows> pages;
    /// The y of each row's first line on its page.
    std::vector<float> rowY;
};

/// Places rows of lineCounts[i] lines each (at least 1) down the pages, each on the first page where
/// it fits whole (its last line's text ending above the page end); a row too tall for any page stands alone
/// at the top of one.
TableLayout layOutRows(const std::vector<int>& lineCounts, const TableGeometry& geometry);

/// The most lines a row may have so that it fits on page 1 below an empty table, and so on any page.
int mostLinesPerRow(const TableGeometry& geometry);
