#pragma once
// The dispatch of one event by its kind, window, menu item and control number.

/// Dispatches the event last returned by waitEvent or pollEvent. Returns false for events no table
/// names (they are ignored).
bool dispatchEvent(int kind);

/// Close-request handling: the search window just closes; otherwise the unsaved-data question, then
/// closing window 1 or ending the program; the line dialog and the about window close without a
/// question.
void handleCloseRequest(int window);
