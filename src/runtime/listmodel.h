#pragma once
// The rows of a ReportList or PickList: Windows-1252 byte strings held by the model and decoded only
// when a view asks for a visible cell, so that a hundred thousand rows cost no widgets.
//
// The rows live in the list's GrowingBlock, one after the other: a customer list of a hundred thousand
// rows costs no allocation per row or cell. A row is kept as the text it was added with and split
// into cells only when a cell is read, so that loading a data file copies each line once; a row whose
// cell is changed is kept as its cells, each with its length.
//
// Rows appended at the end are held back from the views and announced together once control returns
// to the event loop (or before any other change): a loader adding a hundred thousand rows one by one
// then costs one insertion in the views instead of a hundred thousand. The program's own reads
// (rows, cell) see every row at once.

#include "runtime/growingblock.h"

#include <QAbstractTableModel>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class ListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit ListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    /// Inserts a column at position; a position past the last column appends. Returns its index.
    int insertColumnAt(int position, std::string_view title);
    /// Inserts a row at position (-1 or past the end: appended). The text holds the cells joined by
    /// separator; with separator '\0' it is the first cell. Cells beyond the columns are dropped,
    /// missing ones are empty. Returns the row's index.
    int insertRowAt(int position, std::string_view text, char separator);
    /// Removes a row; false when it does not exist.
    bool removeRowAt(int row);
    /// Cell text; row -1 gives the column title; "" out of range. Valid until the list changes.
    std::string_view cell(int row, int column) const;
    /// Sets a cell; row -1 sets the column title. False out of range.
    bool setCellText(int row, int column, std::string_view text);
    /// Sets the cells of a row from firstColumn on, storing the row once however many they are. False
    /// when the row or a column is out of range; nothing is changed then.
    bool setCellTexts(int row, int firstColumn, std::span<const std::string> texts);
    int rows() const { return static_cast<int>(rows_.size()); }
    int columns() const { return static_cast<int>(titles_.size()); }
    /// The width a view shows the column with, in pixels; 0 for a hidden column (and out of range).
    int columnWidth(int column) const;
    /// Records the width a view shows the column with; false out of range.
    bool setColumnWidth(int column, int width);
    /// Tells the views of the rows appended since the last announcement. Returns how many there were.
    int announceRows();

  private:
    const char* rowAt(int row) const { return store_.data() + rows_[static_cast<std::size_t>(row)]; }
    /// Bytes the row takes in the store; a row kept as cells holds the given number of them.
    static std::size_t rowLength(const char* row, int cells);
    /// Appends the row's first `cells` cells, with an empty one inserted at `emptyAt` (none when
    /// -1) and the cells from `changedAt` on replaced by `changed`, to the store as a row kept as
    /// cells; `row` must not lie in `store`.
    static std::size_t storeAsCells(GrowingBlock& store, const char* row, int cells, int emptyAt,
                                    int changedAt = -1, std::span<const std::string_view> changed = {});
    /// The first cells.size() cells of a row, in one pass over it.
    static void splitRow(const char* row, std::span<std::string_view> cells);
    /// Stores row anew with the cells from firstColumn on replaced, and tells the views.
    void replaceCells(int row, int firstColumn, std::span<const std::string_view> texts);
    /// Copies the rows in use to a new store once the old versions outweigh them.
    void compactWhenWasteful();

    std::vector<std::string> titles_;
    std::vector<int> widths_;
    GrowingBlock store_;
    BlockArray<std::size_t> rows_; // where each row starts in the store
    std::size_t unusedBytes_ = 0;  // bytes of removed rows and old versions of changed ones
    int announced_ = 0;
    bool announcementDue_ = false;
};
