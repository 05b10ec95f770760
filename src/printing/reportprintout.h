#pragma once
// A report on paper: a title, head lines, labelled rows and a table, over as many pages as they
// need, each page with the title at the top and "Seite k von m" at the bottom. Long values and
// cells go on onto further lines of their column. A received e-invoice is printed so.
//
// Millimetres from the top-left corner of the printable area, W wide and H high: the title (size
// 14, bold) at x 10, y 10; the rest (size 9) from y 22 down to H - 15, between x 10 and W - 10;
// labels take the first 55 mm, values the rest; the table's columns share the width in the
// proportions given; "Seite k von m" ends at x W - 10, y H - 10.

#include "printing/printjob.h"

#include <string>
#include <utility>
#include <vector>

struct ReportPrintout {
    /// Windows-1252, like every text here.
    std::string title;
    /// Page 1, under the title; the first in bold.
    std::vector<std::string> headLines;
    /// Label and value.
    std::vector<std::pair<std::string, std::string>> details;
    /// The table: its column titles, the columns' shares of the width, and its rows (as many cells
    /// as titles). Column titles stand again on every page the table goes on to.
    std::vector<std::string> columnTitles;
    std::vector<int> columnShares;
    std::vector<std::vector<std::string>> rows;
};

/// Draws every page of the report onto the open print job, which stays open. False when the device
/// refused a page.
bool drawReport(const ReportPrintout& report);

/// Prints the report through the print target (normally the print dialog).
PrintOutcome printReport(const ReportPrintout& report);
