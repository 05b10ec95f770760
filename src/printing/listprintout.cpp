#include "printing/listprintout.h"

#include "money/money.h"
#include "printing/printjob.h"
#include "printing/textfit.h"
#include "runtime/conversions.h"
#include "runtime/lists.h"

#include <QPainter>
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

// Millimetres from the top-left corner of the printable area.
constexpr float kSideMargin = 10;
constexpr float kTitleY = 10;
constexpr float kColumnTitlesY = 22;
constexpr float kTitleRuleY = 27;
constexpr float kFirstRowY = 29;
constexpr float kRowStep = 5;
// Rows end this far above the bottom of the printable area; the page number stands below them.
constexpr float kRowsEndAbove = 15;
constexpr float kPageNumberAbove = 10;
// Cells keep this gap to the next column.
constexpr float kColumnGap = 1;
// Rules a fifth of a millimetre thick (a negative thickness grows downwards).
constexpr float kRuleThickness = -0.2f;
constexpr int kTitleSize = 14;
constexpr int kTextSize = 9;

struct Column {
    int number = 0;
    float x = 0;
    float width = 0;
};

// The shown columns across the printable width, in the proportions of their widths on screen.
std::vector<Column> layOutColumns(int list, float left, float right) {
    std::vector<Column> columns;
    int total = 0;
    for (int c = 0; c < listColumnCount(list); ++c) {
        if (listColumnShown(list, c)) {
            columns.push_back({c, 0, static_cast<float>(listColumnWidth(list, c))});
            total += listColumnWidth(list, c);
        }
    }
    const float scale = total > 0 ? (right - left) / static_cast<float>(total) : 0;
    float x = left;
    for (Column& column : columns) {
        column.x = x;
        column.width *= scale;
        x += column.width;
    }
    return columns;
}

// The sum of the column's amounts; nullopt once it leaves the range of amounts.
std::optional<money::Amount> sumOf(int list, int column) {
    std::optional<money::Amount> sum = money::Amount{};
    for (int row = 0; row < listRowCount(list) && sum; ++row)
        sum = money::add(*sum, money::parse<money::Amount>(listCell(list, row, column)));
    return sum;
}

void placeRightAligned(float right, float y, const std::string& text) {
    placeText(right - textWidth(text), y, text);
}

void placeCell(const Column& column, float y, std::string_view text) {
    const TextMeasure measure = [](std::string_view t) { return static_cast<double>(textWidth(t)); };
    placeText(column.x, y, shortenToWidth(text, static_cast<double>(column.width - kColumnGap), measure));
}

void drawPageFrame(const ListPrintout& printout, const std::vector<Column>& columns, int page, int pages) {
    const float right = printJob().widthMm - kSideMargin;
    selectTextSize(kTitleSize, true);
    placeText(kSideMargin, kTitleY, printout.title);
    selectTextSize(kTextSize, false);
    placeRightAligned(right, kTitleY, formatDate("%dd.%mm.%yyyy", currentDate()));
    placeRightAligned(right, printJob().heightMm - kPageNumberAbove,
                      "Seite " + formatInt(page + 1) + " von " + formatInt(pages));
    selectTextSize(kTextSize, true);
    for (const Column& column : columns)
        placeCell(column, kColumnTitlesY, listCell(printout.list, -1, column.number));
    placeLine(kSideMargin, kTitleRuleY, right, kTitleRuleY, kRuleThickness);
}

void drawSum(const Column& column, float y, money::Amount sum) {
    placeLine(kSideMargin, y, printJob().widthMm - kSideMargin, y, kRuleThickness);
    selectTextSize(kTextSize, true);
    placeText(kSideMargin, y + 1, "Summe:");
    placeText(column.x, y + 1, money::formatAmount(sum));
}

// The printed column of this number; nullptr when the list does not show it.
const Column* shownColumn(const std::vector<Column>& columns, int number) {
    const auto it =
        std::find_if(columns.begin(), columns.end(), [&](const Column& c) { return c.number == number; });
    return it == columns.end() ? nullptr : &*it;
}

// How many pages the rows take with perPage rows a page; the sum needs two rows' room on the last.
int pageCount(int rows, int perPage, bool withSum) {
    int pages = std::max(1, (rows + perPage - 1) / perPage);
    const int onLastPage = rows - (pages - 1) * perPage;
    if (withSum && onLastPage + 2 > perPage)
        ++pages;
    return pages;
}

} // namespace

bool drawList(const ListPrintout& printout) {
    const float right = printJob().widthMm - kSideMargin;
    const std::vector<Column> columns = layOutColumns(printout.list, kSideMargin, right);
    const Column* sumColumn = shownColumn(columns, printout.sumColumn);
    const std::optional<money::Amount> sum =
        sumColumn ? sumOf(printout.list, printout.sumColumn) : std::nullopt;

    const int rows = listRowCount(printout.list);
    const float rowsEnd = printJob().heightMm - kRowsEndAbove;
    const int perPage = std::max(1, static_cast<int>((rowsEnd - kFirstRowY) / kRowStep));
    const int pages = pageCount(rows, perPage, sum.has_value());
    setTransparentText();
    int row = 0;
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !newPage())
            return false;
        drawPageFrame(printout, columns, page, pages);
        selectTextSize(kTextSize, false);
        float y = kFirstRowY;
        for (int onPage = 0; onPage < perPage && row < rows; ++onPage, ++row, y += kRowStep) {
            for (const Column& column : columns)
                placeCell(column, y, listCell(printout.list, row, column.number));
        }
        if (page + 1 == pages && sum) {
            drawSum(*sumColumn, y, *sum);
            for (const int number : printout.moreSumColumns) {
                const Column* column = shownColumn(columns, number);
                const std::optional<money::Amount> more =
                    column ? sumOf(printout.list, number) : std::nullopt;
                if (more)
                    placeText(column->x, y + 1, money::formatAmount(*more));
            }
        }
    }
    return true;
}

ListPrintResult printList(const ListPrintout& printout) {
    const PrintResult begun = beginPrintout(printout.title);
    if (begun.outcome == PrintOutcome::Cancelled)
        return ListPrintResult::Cancelled;
    if (!begun)
        return ListPrintResult::Refused;
    // A printer that cannot take the document leaves the painter inactive.
    const bool drawn = printJob().painter->isActive() && drawList(printout);
    endPrintout();
    return drawn ? ListPrintResult::Printed : ListPrintResult::Refused;
}
