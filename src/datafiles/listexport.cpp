#include "datafiles/listexport.h"

#include "money/money.h"
#include "runtime/atomicsave.h"
#include "runtime/codepage.h"
#include "runtime/lists.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A "," too: a spreadsheet's text import may take it as a separator ("16668,44" in two cells).
bool needsQuotes(std::string_view cell) {
    return cell.find_first_of(";,\"\r\n") != std::string_view::npos ||
           (!cell.empty() && (cell.front() == ' ' || cell.back() == ' '));
}

// A spreadsheet takes a cell beginning with one of these as a formula; a number ("-12,50") stays one.
bool mayTurnFormula(std::string_view cell) {
    if (cell.empty() || std::string_view("=+-@\t\r").find(cell.front()) == std::string_view::npos)
        return false;
    const money::Reading number = money::read(cell, money::Price::kDecimals);
    return !(number.found && number.whole);
}

// One line of the shown columns' cells of a row (-1: the titles), in UTF-8, without its end.
std::string csvLine(int number, int row, const std::vector<int>& columns) {
    std::string line;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0)
            line += ';';
        line += csvField(listCell(number, row, columns[i]));
    }
    return toUtf8(line);
}

// "Summe:" and the sums of sumColumns, in the shown columns' places.
std::string sumLine(int number, const std::vector<int>& columns, const std::vector<int>& sumColumns) {
    std::string line = "Summe:";
    for (std::size_t i = 1; i < columns.size(); ++i) {
        line += ';';
        if (std::find(sumColumns.begin(), sumColumns.end(), columns[i]) == sumColumns.end())
            continue;
        std::optional<money::Amount> sum = money::Amount{};
        for (int row = 0; row < listRowCount(number) && sum; ++row)
            sum = money::add(*sum, money::parse<money::Amount>(listCell(number, row, columns[i])));
        if (sum)
            line += money::formatAmount(*sum);
    }
    return line;
}

} // namespace

std::string csvField(std::string_view cell) {
    std::string text = mayTurnFormula(cell) ? "'" : "";
    text += cell;
    if (!needsQuotes(text))
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

bool exportListCsv(int number, const std::string& path, const std::vector<int>& sumColumns) {
    std::vector<int> columns;
    for (int c = 0; c < listColumnCount(number); ++c) {
        if (listColumnShown(number, c))
            columns.push_back(c);
    }
    ReplacementFile file(path, SaveMode::Replace, FileNaming::Platform);
    file.writeText(kByteOrderMark);
    const int rows = listRowCount(number);
    for (int row = -1; row < rows; ++row)
        file.writeLine(csvLine(number, row, columns));
    if (!sumColumns.empty())
        file.writeLine(sumLine(number, columns, sumColumns));
    return file.commit();
}
