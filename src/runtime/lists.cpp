#include "runtime/lists.h"

#include "runtime/listmodel.h"
#include "runtime/runtimestate.h"

void registerList(int number, ListModel* model) {
    auto& lists = runtimeState().lists;
    if (model)
        lists[number] = model;
    else
        lists.erase(number);
}

ListModel* findList(int number) {
    const auto& lists = runtimeState().lists;
    const auto it = lists.find(number);
    return it == lists.end() ? nullptr : it->second.data();
}

int listRowCount(int number) {
    const ListModel* list = findList(number);
    return list ? list->rows() : 0;
}

int listColumnCount(int number) {
    const ListModel* list = findList(number);
    return list ? list->columns() : 0;
}

bool listColumnShown(int number, int column) {
    return listColumnWidth(number, column) > 0;
}

int listColumnWidth(int number, int column) {
    const ListModel* list = findList(number);
    return list ? list->columnWidth(column) : 0;
}

std::string_view listCell(int number, int row, int column) {
    const ListModel* list = findList(number);
    return list ? list->cell(row, column) : std::string_view();
}

void listAddRow(int number, int position, std::string_view text, char separator) {
    if (ListModel* list = findList(number))
        list->insertRowAt(position, text, separator);
}

void listSetCells(int number, int row, int firstColumn, std::span<const std::string> texts) {
    if (ListModel* list = findList(number))
        list->setCellTexts(row, firstColumn, texts);
}
