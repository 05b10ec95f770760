#pragma once
// The commands of the main window's "File" menu.

/// "Save" (menu item 10002): writes the customer and article lists and the invoice counter to
/// Daten.dat. SavedFlag becomes 1 only when the file was written; a failure is shown to the user.
void saveClicked();
/// "E&xit" (menu item 10007): ends the program as the main window's close box does, asking first when
/// there are unsaved data.
void exitClicked();
