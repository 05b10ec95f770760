#include "runtime/listmodel.h"

#include "runtime/codepage.h"

namespace {
const std::string kEmpty;
// A cell is one line on screen and nothing past a few thousand characters can be seen; laying out
// megabytes of a damaged file's line at every repaint would stall the program.
constexpr std::size_t kMaxShownBytes = 4096;
} // namespace

ListModel::ListModel(QObject* parent) : QAbstractTableModel(parent) {}

int ListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows(); }

int ListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns(); }

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return toQString(std::string_view(cell(index.row(), index.column())).substr(0, kMaxShownBytes));
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    return toQString(cell(-1, section));
}

int ListModel::insertColumnAt(int position, std::string_view title) {
    const int at = (position < 0 || position > columns()) ? columns() : position;
    beginInsertColumns(QModelIndex(), at, at);
    titles_.insert(titles_.begin() + at, std::string(title));
    for (auto& row : rows_)
        row.insert(row.begin() + at, std::string());
    endInsertColumns();
    return at;
}

int ListModel::insertRowAt(int position, std::vector<std::string> cells) {
    const int at = (position < 0 || position > rows()) ? rows() : position;
    cells.resize(titles_.size());
    beginInsertRows(QModelIndex(), at, at);
    rows_.insert(rows_.begin() + at, std::move(cells));
    endInsertRows();
    return at;
}

bool ListModel::removeRowAt(int row) {
    if (row < 0 || row >= rows())
        return false;
    beginRemoveRows(QModelIndex(), row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
    return true;
}

const std::string& ListModel::cell(int row, int column) const {
    if (column < 0 || column >= columns())
        return kEmpty;
    if (row == -1)
        return titles_[static_cast<std::size_t>(column)];
    if (row < 0 || row >= rows())
        return kEmpty;
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
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
    rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
    return true;
}
