// The rows of a list as the program sees them, held against a plain table of cells: rows added as
// text split at LF or at "|", changed cells, removed rows, columns added later, long cells, and the
// store compacting itself after many changes. The views must always show what the list holds.

#include "runtime/lists.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_testing.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <random>
#include <string>
#include <vector>

namespace {

using Table = std::vector<std::vector<std::string>>;

class ListModelTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_NE(openWindow(kDialogWindow, 0, 0, 400, 300, "Test", kWindowCentred), 0);
        ASSERT_NE(useControlList(kDialogWindow), 0);
        ASSERT_NE(createReportList(kLinesList, 0, 0, 300, 200, "A", 50, kReportListFlags), 0);
        addColumn(kLinesList, 2, "B", 50);
        addColumn(kLinesList, 3, "C", 50);
        columns = 3;
    }

    // The cells a text gives when split at the separator, cut or filled to the columns.
    std::vector<std::string> cellsOf(const std::string& text, char separator) const {
        std::vector<std::string> cells;
        std::size_t start = 0;
        while (static_cast<int>(cells.size()) < columns) {
            if (start > text.size()) {
                cells.emplace_back();
                continue;
            }
            std::size_t end = text.find(separator, start);
            if (end == std::string::npos)
                end = text.size();
            cells.push_back(text.substr(start, end - start));
            start = end + 1;
        }
        return cells;
    }

    // Compares every cell, through the program's reads and through the view once it is up to date.
    void expectTable(const Table& table, const std::string& when) {
        ASSERT_EQ(rowCount(kLinesList), static_cast<int>(table.size())) << when;
        for (std::size_t r = 0; r < table.size(); ++r)
            for (int c = 0; c < columns; ++c)
                ASSERT_EQ(getCell(kLinesList, static_cast<int>(r), c), table[r][static_cast<std::size_t>(c)])
                    << when << ", row " << r << ", column " << c;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        auto* view = qobject_cast<QAbstractItemView*>(controlWidget(kLinesList));
        ASSERT_EQ(view->model()->rowCount(), static_cast<int>(table.size())) << when;
        ASSERT_EQ(view->model()->columnCount(), columns) << when;
    }

    int columns = 0;
};

// A cell of random length and bytes: empty, short, just below and above the one-byte length, long.
std::string randomCell(std::mt19937& random, char avoid) {
    static const std::size_t lengths[] = {0, 1, 7, 254, 255, 256, 70000};
    std::string cell(lengths[random() % std::size(lengths)], 'x');
    for (char& c : cell) {
        c = static_cast<char>(random() % 256);
        if (c == avoid || c == '\n')
            c = 'y';
    }
    return cell;
}

TEST_F(ListModelTest, RecordLinesKeepTheirFieldsLikeRowsJoinedByLineFeeds) {
    // Fields beyond the columns are dropped, missing ones empty, empty fields kept in their place.
    const struct {
        const char* line;
        std::vector<std::string> cells;
    } cases[] = {
        {"a|b|c", {"a", "b", "c"}},    {"a|b|c|d|e", {"a", "b", "c"}},
        {"a", {"a", "", ""}},          {"", {"", "", ""}},
        {"|b|", {"", "b", ""}},        {"||", {"", "", ""}},
        {"a\nb|c", {"a\nb", "c", ""}},
    };
    for (const auto& c : cases)
        listAddRow(kLinesList, -1, c.line, '|');
    listAddRow(kLinesList, -1, std::string("n\0l|\xE4", 5), '|');
    Table expected;
    for (const auto& c : cases)
        expected.push_back(c.cells);
    expected.push_back({std::string("n\0l", 3), "\xE4", ""});
    expectTable(expected, "after loading");

    // A column added later is empty in every row; dropped fields do not come back in it.
    addColumn(kLinesList, 4, "D", 50);
    columns = 4;
    for (auto& row : expected)
        row.emplace_back();
    expectTable(expected, "after a fourth column");
}

TEST_F(ListModelTest, AgreesWithAPlainTableThroughThousandsOfChanges) {
    std::mt19937 random(20261207);
    Table table;
    for (int step = 0; step < 6000; ++step) {
        const int rows = static_cast<int>(table.size());
        const unsigned what = random() % 10;
        if (what < 4 || rows == 0) {
            // A row added at the end or in the middle, as LF-joined text or as a record line.
            const char separator = random() % 2 ? '\n' : '|';
            std::string text;
            const int fields = static_cast<int>(random() % 5);
            for (int f = 0; f < fields; ++f) {
                if (f > 0)
                    text += separator;
                text += randomCell(random, separator);
            }
            const int position = random() % 3 == 0 && rows > 0 ? static_cast<int>(random() % rows) : -1;
            if (separator == '\n')
                addRow(kLinesList, position, text);
            else
                listAddRow(kLinesList, position, text, separator);
            table.insert(position < 0 ? table.end() : table.begin() + position, cellsOf(text, separator));
        } else if (what < 7) {
            const int r = static_cast<int>(random() % rows);
            const int c = static_cast<int>(random() % columns);
            const std::string cell = randomCell(random, '\0');
            setCell(kLinesList, r, cell, c);
            table[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = cell;
        } else {
            const int r = static_cast<int>(random() % rows);
            removeRow(kLinesList, r);
            table.erase(table.begin() + r);
        }
        if (step % 500 == 0)
            expectTable(table, "step " + std::to_string(step));
        if (HasFatalFailure())
            return;
    }
    expectTable(table, "at the end");
    addColumn(kLinesList, 1, "neu", 40);
    columns = 4;
    for (auto& row : table)
        row.insert(row.begin() + 1, std::string());
    expectTable(table, "after a column in the middle");
}

TEST_F(ListModelTest, CellsWithLineFeedsSetLaterStayWhole) {
    addRow(kLinesList, -1, "a\nb\nc");
    listAddRow(kLinesList, -1, "d|e|f", '|');
    setCell(kLinesList, 0, "x\ny", 1);
    setCell(kLinesList, 1, "p|q", 0);
    EXPECT_EQ(getCell(kLinesList, 0, 1), "x\ny");
    EXPECT_EQ(getCell(kLinesList, 0, 2), "c");
    EXPECT_EQ(getCell(kLinesList, 1, 0), "p|q");
    EXPECT_EQ(getCell(kLinesList, 1, 1), "e");
    EXPECT_EQ(getCell(kLinesList, 1, 3), "");
    EXPECT_EQ(getCell(kLinesList, 2, 0), "");
}

} // namespace
