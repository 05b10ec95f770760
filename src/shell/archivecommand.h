#pragma once
// The archive's command in the main window's "Option" menu.

/// "Archiv prüfen" (menu item 10012): checks the archive of issued invoices and tells the result,
/// "Hinweis!" when it is in order, else "Fehler!" with the first file that differs.
void checkArchiveClicked();
