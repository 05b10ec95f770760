#include "shell/takenrow.h"

#include "runtime/lists.h"
#include "state/shellstate.h"
#include "toolkit/toolkit.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// Cell by cell, so that a cell holding a line feed stays one cell.
void insertRow(int list, int place, const std::vector<std::string>& cells) {
    const int at = std::clamp(place, 0, rowCount(list));
    addRow(list, at, "");
    for (std::size_t c = 0; c < cells.size(); ++c)
        setCell(list, at, cells[c], static_cast<int>(c));
}

void putTakenRowBack() {
    std::optional<TakenRow>& taken = shellState().takenRow;
    if (!taken)
        return;
    const TakenRow row = std::move(*taken);
    taken.reset();
    insertRow(row.list, row.place, row.cells);
}

} // namespace

bool takeSelectedRow(int list, std::string_view nothingSelected) {
    if (getState(list) == -1) {
        messageBox("Hinweis!", nothingSelected, kMessageOk);
        return false;
    }
    if (!mayReplaceWindow(kDialogWindow))
        return false;
    closeWindow(kDialogWindow);
    const int r = getState(list);
    if (r == -1)
        return false;
    TakenRow taken{list, r, {}};
    for (int c = 0; c < listColumnCount(list); ++c)
        taken.cells.emplace_back(getCell(list, r, c));
    removeRow(list, r);
    ShellState& shell = shellState();
    shell.selectedRow = r;
    shell.takenRow = std::move(taken);
    return true;
}

void giveRowBackUnlessChanged(bool opened) {
    if (opened)
        onWindowClosed(kDialogWindow, putTakenRowBack);
    else
        putTakenRowBack();
}

void putEditedRowBack(int list, std::span<const std::string> edited) {
    std::optional<TakenRow>& taken = shellState().takenRow;
    TakenRow row{list, rowCount(list), {}};
    if (taken && taken->list == list) {
        row = std::move(*taken);
        taken.reset();
    }
    row.cells.resize(std::max(row.cells.size(), edited.size()));
    std::copy(edited.begin(), edited.end(), row.cells.begin());
    insertRow(list, row.place, row.cells);
}

void withTakenRowInPlace(const std::function<void()>& action) {
    const std::optional<TakenRow>& taken = shellState().takenRow;
    if (!taken) {
        action();
        return;
    }
    const int list = taken->list;
    const int at = std::clamp(taken->place, 0, rowCount(list));
    insertRow(list, at, taken->cells);
    action();
    removeRow(list, at);
}

void rowDeleted(int list, int row) {
    std::optional<TakenRow>& taken = shellState().takenRow;
    if (taken && taken->list == list && row < taken->place)
        --taken->place;
}
