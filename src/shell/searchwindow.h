#pragma once
// The search window: a text to look for in the list of the page the main window shows. It stays open
// for further searches; F3 repeats the last one from the main window too.

/// "Suchen..." (menu item 10003, Ctrl+F): opens the search window (window 21) over the main window,
/// or brings it to the front with its text kept.
void openSearchWindow();

/// "Weitersuchen" (button 9100, Enter in the field): looks for the field's text from the row after
/// the selected one, wrapping once, and selects and shows the row that has it; "Nicht gefunden"
/// when none has. An empty text searches nothing.
void findNextClicked();

/// F3: the last search again; before the first one it opens the search window.
void findAgain();

/// The close request of the search window closes it.
void closeSearchWindow();
