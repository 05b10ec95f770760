#pragma once
// A whole list on paper: every row in the columns the list shows, with their titles, over as many
// pages as the rows need. Each page has the list's title and today's date at the top and
// "Seite k von m" at the bottom; a list with an amount column can end with their sum.
//
// The page is the one the print dialog sets up (A4 portrait unless the user chooses otherwise): the
// columns share its printable width in the proportions of their widths on screen, and the rows
// fill its printable height. A cell wider than its column ends with "…".

#include <string_view>
#include <vector>

struct ListPrintout {
    /// The list's control number.
    int list = 0;
    /// "Kundenliste", "Artikelliste", "Rechnungsliste".
    std::string_view title;
    /// The column whose amounts "Summe:" adds up below the last row; -1 for none. A column the list
    /// does not show, or a sum beyond the range of amounts, prints no sum.
    int sumColumn = -1;
    /// Further columns whose amounts are added up on the line of "Summe:", each in its own column,
    /// printed with the first sum only (the invoice list's gross and open amounts).
    std::vector<int> moreSumColumns;
};

enum class ListPrintResult {
    Printed,
    /// The print dialog was cancelled: nothing was printed.
    Cancelled,
    /// The printer refused the document or one of its pages.
    Refused,
};

/// Prints the list through the print target (normally the print dialog).
ListPrintResult printList(const ListPrintout& printout);

/// Draws every page of the list onto the open print job, which stays open. False when the device
/// refused a page.
bool drawList(const ListPrintout& printout);
