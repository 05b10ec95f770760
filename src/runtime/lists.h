#pragma once
// The program's lists by control number. A list keeps its rows in a ListModel that the window showing
// it registers here, so that the data files and the printouts read and fill the customer, article,
// invoice and lines lists without knowing the windows. A number no list has reads as an empty list
// and takes no rows.

#include <span>
#include <string>
#include <string_view>

class ListModel;

/// Makes model the rows of list `number`; nullptr forgets the number.
void registerList(int number, ListModel* model);
/// The rows of list `number`, or nullptr.
ListModel* findList(int number);

/// Number of rows; 0 for a number no list has.
int listRowCount(int number);
/// Number of columns; 0 for a number no list has.
int listColumnCount(int number);
/// Whether the list's view shows the column (a hidden column, or one of no width, is not shown);
/// searches, printouts and exports take the shown columns only.
bool listColumnShown(int number, int column);
/// The width the view shows the column with, in pixels; 0 when hidden or out of range.
int listColumnWidth(int number, int column);
/// Cell text: row -1 gives the column title; "" out of range. Valid until the list changes.
std::string_view listCell(int number, int row, int column);
/// Inserts a row whose cells are joined by separator at position (-1 or past the end: appended);
/// surplus cells are dropped, missing ones empty.
void listAddRow(int number, int position, std::string_view text, char separator);
/// Sets the cells of row from firstColumn on, the row stored once; nothing for a number no list has,
/// a row or a column out of range.
void listSetCells(int number, int row, int firstColumn, std::span<const std::string> texts);
