#include "printing/tableprintout.h"

#include "money/money.h"
#include "printing/linetable.h"
#include "printing/pageframe.h"
#include "printing/pagination.h"
#include "printing/printjob.h"
#include "state/invoicestate.h"
#include "state/settings.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// Every page keeps its rows where page 1 has them, from 95 on, so that a page that the totals follow
// holds the 18 rows of page 1. The following pages have their head at the top, the column titles and
// the sum carried over just above the rows; a page that more rows follow carries no totals and may
// fill its table further down.
constexpr float kFirstColumnTitlesY = 87;
constexpr float kFirstRowY = 95;
constexpr float kFirstPageEnd = 220;
constexpr float kNextColumnTitlesY = 80;
constexpr float kNextCarryY = 88;
constexpr float kNextPageEnd = 235;
// A page that more rows follow ends with a rule and, below it, the sum carried over.
constexpr float kCarryBelowRule = 5;

void placeCarry(float y, const std::optional<money::Amount>& sum) {
    selectTextSize(settings().invoiceTextSize, false);
    placeText(145, y,
              "\xDC"
              "bertrag:");
    if (sum)
        placeText(175, y, money::formatAmount(*sum));
}

} // namespace

bool drawTablePrintout(const TablePrintout& document) {
    const bool withPrices = document.priceText && document.amountText;
    const int size = settings().invoiceTextSize;
    TableGeometry geometry;
    geometry.firstPageTop = kFirstRowY;
    geometry.nextPageTop = kFirstRowY;
    geometry.firstPageEnd = kFirstPageEnd;
    geometry.nextPageEnd = kNextPageEnd;
    geometry.closingTop = document.closingTop;
    geometry.rowStep = static_cast<float>(lineStep(size, 5));
    // A wrapped row continues at the step of the address and totals lines.
    geometry.lineStep = static_cast<float>(lineStep(size, 2));
    selectTextSize(size, false);
    geometry.textHeight = textHeight();

    const int rowCount = invoiceState().invoiceLineCount;
    const int maxLines = mostLinesPerRow(geometry);
    std::vector<RowTexts> rows;
    std::vector<int> lineCounts;
    rows.reserve(static_cast<std::size_t>(std::max(rowCount, 0)));
    for (int row = 0; row < rowCount; ++row) {
        rows.push_back(fitRowTexts(row, maxLines));
        lineCounts.push_back(rows.back().lines());
    }
    const TableLayout layout = layOutRows(lineCounts, geometry);
    const int pages = static_cast<int>(layout.pages.size());

    // The carried sum adds exactly the amounts the Betrag column shows; nullopt once it overflows.
    std::optional<money::Amount> carried = money::Amount{};
    setTransparentText();
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !newPage())
            return false;
        if (page == 0) {
            drawLetterhead();
            drawTitleBlock(document.label, document.number, document.reference);
            if (pages > 1)
                drawPageNumber(80, page, pages);
            drawColumnTitles(kFirstColumnTitlesY, withPrices);
        } else {
            drawFollowingPageHead(document.label, document.number, page, pages);
            drawColumnTitles(kNextColumnTitlesY, withPrices);
            if (withPrices)
                placeCarry(kNextCarryY, carried);
        }
        const PageRows& onPage = layout.pages[static_cast<std::size_t>(page)];
        for (int row = onPage.first; row < onPage.end; ++row) {
            const float y = layout.rowY[static_cast<std::size_t>(row)];
            drawLineRow(row, rows[static_cast<std::size_t>(row)], y, geometry.lineStep);
            if (withPrices) {
                const std::string amount = document.amountText(row);
                placeText(160, y, document.priceText(row));
                placeText(175, y, amount);
                if (carried)
                    carried = money::add(*carried, money::parse<money::Amount>(amount));
            }
        }
        const float pageEnd = page == 0 ? kFirstPageEnd : kNextPageEnd;
        if (page + 1 == pages) {
            if (document.drawClosing && !document.drawClosing(pageEnd, carried))
                return false;
        } else {
            placeLine(25, pageEnd, 185, pageEnd, 1);
            if (withPrices)
                placeCarry(pageEnd + kCarryBelowRule, carried);
        }
        drawFooter();
    }
    return true;
}
