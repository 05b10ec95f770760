#pragma once
// The commands that act on the list of the page the main window shows: printing it and exporting it
// as CSV. The search window finds its list here too.

/// The list of the page showing, and what its printout and its file are called.
struct ShownList {
    int list = 0;
    /// "Kundenliste", "Artikelliste", "Rechnungsliste", "Eingangsrechnungen".
    const char* title = "";
    /// The file name the export proposes.
    const char* fileName = "";
    /// The column whose amounts the printout adds up; -1 for none.
    int sumColumn = -1;
};

/// The list of the page the tab panel shows.
ShownList shownList();

/// "Liste drucken..." (menu item 10004): the shown list through the print dialog; a printer that
/// refuses it is reported.
void printListClicked();

/// "Liste exportieren (CSV)..." (menu item 10005): asks for a file name and writes the shown list to
/// it as CSV; a failure is reported.
void exportListClicked();
