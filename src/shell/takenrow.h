#pragma once
// The row a change dialog works on: "Ändern" takes it out of its list, and it goes back to its own
// place, edited by "OK" or unchanged however else the dialog ends.

#include <functional>
#include <span>
#include <string>
#include <string_view>

/// Takes the selected row of list out for a change dialog. Nothing selected: tells the user
/// nothingSelected ("Hinweis!") and changes nothing. Otherwise an open dialog ends first, so that its
/// row is back before the selection is read. False when no row was taken.
bool takeSelectedRow(int list, std::string_view nothingSelected);

/// Call once the change dialog is open: its window closing without "OK" puts the row back unchanged.
/// Puts it back at once when the dialog could not be opened (opened false).
void giveRowBackUnlessChanged(bool opened);

/// "OK" of a change dialog: the taken row with its first cells replaced by edited goes back to its
/// place, every further cell (hidden columns) as it was. Without a taken row of list it is appended.
void putEditedRowBack(int list, std::span<const std::string> edited);

/// Runs action with the taken row, if any, back in its place for the time being: what reads the lists
/// (Save, the list's printout and export) sees every row.
void withTakenRowInPlace(const std::function<void()>& action);

/// Row row of list was deleted: a taken row of that list placed below it moves up by one.
void rowDeleted(int list, int row);
