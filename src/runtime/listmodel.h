#pragma once
// The rows of a ReportList or PickList: Windows-1252 byte strings held by the model and decoded only
// when a view asks for a visible cell, so that a hundred thousand rows cost no widgets.

#include <QAbstractTableModel>
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
    /// Inserts a row at position (-1 or past the end: appended); cells beyond the columns are dropped.
    int insertRowAt(int position, std::vector<std::string> cells);
    /// Removes a row; false when it does not exist.
    bool removeRowAt(int row);
    /// Cell text; row -1 gives the column title; "" out of range.
    const std::string& cell(int row, int column) const;
    /// Sets a cell; row -1 sets the column title. False out of range.
    bool setCellText(int row, int column, std::string_view text);
    int rows() const { return static_cast<int>(rows_.size()); }
    int columns() const { return static_cast<int>(titles_.size()); }

private:
    std::vector<std::string> titles_;
    std::vector<std::vector<std::string>> rows_;
};
