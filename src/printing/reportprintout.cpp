#include "printing/reportprintout.h"

#include "printing/textfit.h"
#include "runtime/conversions.h"

#include <QPainter>
#include <algorithm>
#include <numeric>

namespace {

// Millimetres from the top-left corner of the printable area.
constexpr float kSideMargin = 10;
constexpr float kTitleY = 10;
constexpr float kFirstY = 22;
constexpr float kBottomAbove = 15;
constexpr float kPageNumberAbove = 10;
constexpr float kLabelWidth = 55;
constexpr float kLineStep = 4.5f;
constexpr float kSectionGap = 3;
constexpr float kColumnGap = 1;
// Between the table's column titles and its first row, with the rule in it.
constexpr float kTitleGap = 1;
constexpr float kRuleThickness = -0.2f;
constexpr int kTitleSize = 14;
constexpr int kTextSize = 9;
// A value or cell that needs more lines ends its last one with "…".
constexpr int kMaxLines = 30;

struct Piece {
    int page = 0;
    float x = 0;
    float y = 0;
    std::string text;
    bool bold = false;
};

// Where everything goes, found before the first page is drawn so that each page knows how many
// there are. Texts are measured in the font they are drawn in.
class Layout {
  public:
    Layout() : right_(printJob().widthMm - kSideMargin), bottom_(printJob().heightMm - kBottomAbove) {}

    void headLines(const std::vector<std::string>& lines) {
        for (std::size_t i = 0; i < lines.size(); ++i)
            place({{kSideMargin, right_, lines[i]}}, i == 0);
        if (!lines.empty())
            y_ += kSectionGap;
    }

    void details(const std::vector<std::pair<std::string, std::string>>& rows) {
        for (const auto& [label, value] : rows)
            place({{kSideMargin, kSideMargin + kLabelWidth - kColumnGap, label},
                   {kSideMargin + kLabelWidth, right_, value}},
                  false);
    }

    void table(const std::vector<std::string>& titles, const std::vector<int>& shares,
               const std::vector<std::vector<std::string>>& rows) {
        if (titles.empty())
            return;
        const int total = std::max(1, std::accumulate(shares.begin(), shares.end(), 0));
        float x = kSideMargin;
        for (std::size_t c = 0; c < titles.size(); ++c) {
            const int share = c < shares.size() ? shares[c] : 1;
            const float width =
                (right_ - kSideMargin) * static_cast<float>(share) / static_cast<float>(total);
            columns_.push_back({x, x + width - kColumnGap, titles[c]});
            x += width;
        }
        y_ += kSectionGap;
        bool titled = false;
        for (const std::vector<std::string>& row : rows) {
            std::vector<Cell> cells = columns_;
            for (std::size_t c = 0; c < cells.size(); ++c)
                cells[c].text = c < row.size() ? row[c] : std::string();
            const Wrapped wrapped = wrap(cells, false);
            const Wrapped head = wrap(columns_, true);
            // The column titles head every page the table is on, never alone at a page's end.
            if (!titled || !fits(wrapped.height)) {
                if (!fits(head.height + kTitleGap + wrapped.height))
                    newPage();
                put(columns_, head, true);
                rules.emplace_back(page_, y_);
                y_ += kTitleGap;
                titled = true;
            }
            put(cells, wrapped, false);
        }
    }

    std::vector<Piece> pieces;
    std::vector<std::pair<int, float>> rules;
    int pages() const { return page_ + 1; }

  private:
    struct Cell {
        float left = 0;
        float right = 0;
        std::string text;
    };
    struct Wrapped {
        std::vector<std::vector<std::string>> lines;
        float height = 0;
    };

    // Each cell wrapped into its width in the font it is drawn in.
    Wrapped wrap(const std::vector<Cell>& cells, bool bold) const {
        selectTextSize(kTextSize, bold);
        const TextMeasure measure = [](std::string_view t) { return static_cast<double>(textWidth(t)); };
        Wrapped wrapped;
        std::size_t lines = 1;
        for (const Cell& cell : cells) {
            wrapped.lines.push_back(
                wrapToWidth(cell.text, static_cast<double>(cell.right - cell.left), kMaxLines, measure));
            lines = std::max(lines, wrapped.lines.back().size());
        }
        wrapped.height = static_cast<float>(lines) * kLineStep;
        return wrapped;
    }

    // Whether height more fits on this page; a page's first item always does.
    bool fits(float height) const { return y_ + height <= bottom_ || y_ <= kFirstY; }

    void newPage() {
        ++page_;
        y_ = kFirstY;
    }

    void put(const std::vector<Cell>& cells, const Wrapped& wrapped, bool bold) {
        for (std::size_t c = 0; c < cells.size(); ++c) {
            for (std::size_t l = 0; l < wrapped.lines[c].size(); ++l)
                pieces.push_back({page_, cells[c].left, y_ + static_cast<float>(l) * kLineStep,
                                  wrapped.lines[c][l], bold});
        }
        y_ += wrapped.height;
    }

    // Cells side by side, on a new page when they do not fit on this one.
    void place(const std::vector<Cell>& cells, bool bold) {
        const Wrapped wrapped = wrap(cells, bold);
        if (!fits(wrapped.height))
            newPage();
        put(cells, wrapped, bold);
    }

    float right_;
    float bottom_;
    float y_ = kFirstY;
    int page_ = 0;
    std::vector<Cell> columns_;
};

void drawFrame(const std::string& title, int page, int pages) {
    const float right = printJob().widthMm - kSideMargin;
    selectTextSize(kTitleSize, true);
    const TextMeasure measure = [](std::string_view t) { return static_cast<double>(textWidth(t)); };
    placeText(kSideMargin, kTitleY, shortenToWidth(title, static_cast<double>(right - kSideMargin), measure));
    selectTextSize(kTextSize, false);
    const std::string number = "Seite " + formatInt(page + 1) + " von " + formatInt(pages);
    placeText(right - textWidth(number), printJob().heightMm - kPageNumberAbove, number);
}

} // namespace

bool drawReport(const ReportPrintout& report) {
    Layout layout;
    layout.headLines(report.headLines);
    layout.details(report.details);
    layout.table(report.columnTitles, report.columnShares, report.rows);
    setTransparentText();
    const float right = printJob().widthMm - kSideMargin;
    for (int page = 0; page < layout.pages(); ++page) {
        if (page > 0 && !newPage())
            return false;
        drawFrame(report.title, page, layout.pages());
        for (const Piece& piece : layout.pieces) {
            if (piece.page != page)
                continue;
            selectTextSize(kTextSize, piece.bold);
            placeText(piece.x, piece.y, piece.text);
        }
        for (const auto& [rulePage, y] : layout.rules) {
            if (rulePage == page)
                placeLine(kSideMargin, y, right, y, kRuleThickness);
        }
    }
    return true;
}

PrintOutcome printReport(const ReportPrintout& report) {
    const PrintResult begun = beginPrintout(report.title);
    if (!begun)
        return begun.outcome;
    // A printer that cannot take the document leaves the painter inactive.
    const bool drawn = printJob().painter->isActive() && drawReport(report);
    endPrintout();
    return drawn ? PrintOutcome::Printed : PrintOutcome::Refused;
}
