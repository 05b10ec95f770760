#include "runtime/listmodel.h"

#include "runtime/codepage.h"
#include "runtime/conversions.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace {

// A cell is one line on screen and nothing past a few thousand characters can be seen; laying out
// megabytes of a damaged file's line at every repaint would stall the program.
constexpr std::size_t kMaxShownBytes = 4096;

// The first byte of a row tells how it is kept: kCells for its cells one by one, else the separator
// of the text it was added with, followed by the text's length in four bytes and the text.
constexpr char kCells = '\0';
// In a row kept as cells, a cell's length takes one byte below this mark; from it on, the mark and
// four bytes follow.
constexpr unsigned char kLongCell = 255;
constexpr std::size_t kLengthBytes = 5; // the most a length takes

// A column's width until a view tells its own: that of a new column in a table view.
constexpr int kDefaultColumnWidth = 100;

std::uint32_t readLength(const char* at) {
    std::uint32_t length = 0;
    std::memcpy(&length, at, sizeof length);
    return length;
}

char* putLength(char* out, std::size_t length) {
    const auto value = static_cast<std::uint32_t>(length);
    std::memcpy(out, &value, sizeof value);
    return out + sizeof value;
}

// Stores a cell at out and returns the byte after it.
char* putCell(char* out, std::string_view cell) {
    if (cell.size() < kLongCell) {
        *out++ = static_cast<char>(cell.size());
    } else {
        *out++ = static_cast<char>(kLongCell);
        out = putLength(out, cell.size());
    }
    if (!cell.empty())
        std::memcpy(out, cell.data(), cell.size());
    return out + cell.size();
}

// The cell that starts at in, in a row kept as cells; in moves on to the next one.
std::string_view takeCell(const char*& in) {
    std::size_t length = static_cast<unsigned char>(*in++);
    if (length == kLongCell) {
        length = readLength(in);
        in += sizeof(std::uint32_t);
    }
    const std::string_view cell(in, length);
    in += length;
    return cell;
}

// The text of a row kept as text.
std::string_view textOf(const char* row) {
    return {row + 1 + sizeof(std::uint32_t), readLength(row + 1)};
}

// Cell `column` of a row; "" when the row's text has fewer fields.
std::string_view cellOf(const char* row, int column) {
    if (*row == kCells) {
        ++row;
        for (int c = 0; c < column; ++c)
            takeCell(row);
        return takeCell(row);
    }
    return fieldView(textOf(row), column + 1, *row);
}

} // namespace

ListModel::ListModel(QObject* parent) : QAbstractTableModel(parent) {}

std::size_t ListModel::rowLength(const char* row, int cells) {
    if (*row != kCells)
        return 1 + sizeof(std::uint32_t) + readLength(row + 1);
    const char* end = row + 1;
    for (int c = 0; c < cells; ++c)
        takeCell(end);
    return static_cast<std::size_t>(end - row);
}

std::size_t ListModel::storeAsCells(GrowingBlock& store, const char* row, int cells, int emptyAt,
                                    int changedAt, std::span<const std::string_view> changed) {
    // The row's cells are found in one pass; a few need no allocation.
    std::array<std::string_view, 32> few;
    std::vector<std::string_view> many;
    std::span<std::string_view> cell(few.data(), static_cast<std::size_t>(std::max(cells, 0)));
    if (cell.size() > few.size()) {
        many.resize(cell.size());
        cell = many;
    }
    splitRow(row, cell);
    for (std::size_t i = 0; i < changed.size(); ++i) {
        const std::size_t c = static_cast<std::size_t>(changedAt) + i;
        if (changedAt >= 0 && c < cell.size())
            cell[c] = changed[i];
    }
    std::size_t room = 1 + kLengthBytes * static_cast<std::size_t>(cells + 1);
    for (const std::string_view text : cell)
        room += text.size();
    char* const begin = store.reserve(room);
    char* out = begin;
    *out++ = kCells;
    for (int c = 0; c < cells; ++c) {
        if (c == emptyAt)
            out = putCell(out, {});
        out = putCell(out, cell[static_cast<std::size_t>(c)]);
    }
    if (emptyAt == cells)
        out = putCell(out, {});
    return store.commit(static_cast<std::size_t>(out - begin));
}

void ListModel::splitRow(const char* row, std::span<std::string_view> cells) {
    if (*row == kCells) {
        ++row;
        for (std::string_view& cell : cells)
            cell = takeCell(row);
        return;
    }
    // As cellOf reads a row kept as text: field after field, "" past its last one.
    const std::string_view text = textOf(row);
    std::size_t at = 0;
    for (std::string_view& cell : cells) {
        if (at > text.size()) {
            cell = {};
            continue;
        }
        const std::size_t end = std::min(text.find(*row, at), text.size());
        cell = text.substr(at, end - at);
        at = end + 1;
    }
}

int ListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : announced_;
}

int ListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns();
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= announced_)
        return {};
    return toQString(cell(index.row(), index.column()).substr(0, kMaxShownBytes));
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    return toQString(cell(-1, section));
}

int ListModel::announceRows() {
    announcementDue_ = false;
    const int waiting = rows() - announced_;
    if (waiting <= 0)
        return 0;
    beginInsertRows(QModelIndex(), announced_, rows() - 1);
    announced_ = rows();
    endInsertRows();
    return waiting;
}

int ListModel::insertColumnAt(int position, std::string_view title) {
    announceRows();
    const int at = (position < 0 || position > columns()) ? columns() : position;
    beginInsertColumns(QModelIndex(), at, at);
    // Every row gets an empty cell and is kept as its cells from now on, which also drops the fields
    // of its text that lay beyond the old last column.
    GrowingBlock store;
    for (std::size_t& offset : rows_)
        offset = storeAsCells(store, store_.data() + offset, columns(), at);
    store_ = std::move(store);
    unusedBytes_ = 0;
    titles_.insert(titles_.begin() + at, std::string(title));
    widths_.insert(widths_.begin() + at, kDefaultColumnWidth);
    endInsertColumns();
    return at;
}

int ListModel::insertRowAt(int position, std::string_view text, char separator) {
    std::size_t offset = 0;
    if (separator == kCells) {
        char* const begin = store_.reserve(1 + kLengthBytes * titles_.size() + text.size());
        char* out = begin;
        *out++ = kCells;
        for (int c = 0; c < columns(); ++c)
            out = putCell(out, c == 0 ? text : std::string_view());
        offset = store_.commit(static_cast<std::size_t>(out - begin));
    } else {
        char* out = store_.reserve(1 + sizeof(std::uint32_t) + text.size());
        *out++ = separator;
        out = putLength(out, text.size());
        if (!text.empty())
            std::memcpy(out, text.data(), text.size());
        offset = store_.commit(1 + sizeof(std::uint32_t) + text.size());
    }
    if (position < 0 || position >= rows()) {
        rows_.push_back(offset);
        if (!announcementDue_) {
            announcementDue_ = true;
            QMetaObject::invokeMethod(this, &ListModel::announceRows, Qt::QueuedConnection);
        }
        return rows() - 1;
    }
    announceRows();
    beginInsertRows(QModelIndex(), position, position);
    rows_.insert(static_cast<std::size_t>(position), offset);
    ++announced_;
    endInsertRows();
    return position;
}

bool ListModel::removeRowAt(int row) {
    if (row < 0 || row >= rows())
        return false;
    announceRows();
    beginRemoveRows(QModelIndex(), row, row);
    unusedBytes_ += rowLength(rowAt(row), columns());
    rows_.erase(static_cast<std::size_t>(row));
    --announced_;
    endRemoveRows();
    compactWhenWasteful();
    return true;
}

std::string_view ListModel::cell(int row, int column) const {
    if (column < 0 || column >= columns())
        return {};
    if (row == -1)
        return titles_[static_cast<std::size_t>(column)];
    if (row < 0 || row >= rows())
        return {};
    return cellOf(rowAt(row), column);
}

bool ListModel::setCellText(int row, int column, std::string_view text) {
    if (column < 0 || column >= columns())
        return false;
    if (row == -1) {
        titles_[static_cast<std::size_t>(column)] = text;
        emit headerDataChanged(Qt::Horizontal, column, column);
        return true;
    }
    if (row < 0 || row >= rows())
        return false;
    replaceCells(row, column, std::span(&text, 1));
    return true;
}

bool ListModel::setCellTexts(int row, int firstColumn, std::span<const std::string> texts) {
    if (row < 0 || row >= rows() || firstColumn < 0 ||
        firstColumn + static_cast<int>(texts.size()) > columns())
        return false;
    if (texts.empty())
        return true;
    // A few cells need no allocation.
    std::array<std::string_view, 8> few;
    std::vector<std::string_view> many;
    std::span<std::string_view> views(few.data(), texts.size());
    if (texts.size() > few.size()) {
        many.resize(texts.size());
        views = many;
    }
    std::copy(texts.begin(), texts.end(), views.begin());
    replaceCells(row, firstColumn, views);
    return true;
}

void ListModel::replaceCells(int row, int firstColumn, std::span<const std::string_view> texts) {
    // The changed row is stored anew behind the others, as its cells. Reserving room may move the
    // store, so the old row is copied out first.
    const std::size_t oldLength = rowLength(rowAt(row), columns());
    const std::string old(rowAt(row), oldLength);
    rows_[static_cast<std::size_t>(row)] =
        storeAsCells(store_, old.data(), columns(), -1, firstColumn, texts);
    unusedBytes_ += oldLength;
    compactWhenWasteful();
    if (row >= announced_)
        return;
    // The whole row: how a view shows a row may depend on any of its cells.
    emit dataChanged(index(row, 0), index(row, columns() - 1));
}

int ListModel::columnWidth(int column) const {
    return (column < 0 || column >= columns()) ? 0 : widths_[static_cast<std::size_t>(column)];
}

bool ListModel::setColumnWidth(int column, int width) {
    if (column < 0 || column >= columns())
        return false;
    widths_[static_cast<std::size_t>(column)] = width < 0 ? 0 : width;
    return true;
}

void ListModel::compactWhenWasteful() {
    constexpr std::size_t kTolerated = 1024 * 1024;
    if (unusedBytes_ <= kTolerated || unusedBytes_ <= store_.size() / 2)
        return;
    GrowingBlock store;
    for (std::size_t& offset : rows_) {
        const std::size_t length = rowLength(store_.data() + offset, columns());
        std::memcpy(store.reserve(length), store_.data() + offset, length);
        offset = store.commit(length);
    }
    store_ = std::move(store);
    unusedBytes_ = 0;
}
