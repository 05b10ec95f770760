#pragma once
// The shell's flags: whether the master data are saved, whether the loop ends, the row one handler
// takes from a list's selection for a later one, the row a change dialog has taken out, and the text
// searched for last.

#include <optional>
#include <string>
#include <vector>

/// A row "Ändern" took out of a list while its dialog is open, with every cell, hidden ones too.
struct TakenRow {
    int list = -1;
    /// Where it goes back: its row when taken, moved up by each row deleted above it meanwhile.
    int place = 0;
    std::vector<std::string> cells;
};

struct ShellState {
    /// 1 = saved since the last change (or the user agreed to discard); 0 = there may be unsaved changes.
    int savedFlag = 0;
    /// Customers, articles or invoices changed since the last Save: a dialog's "Ja" to the unsaved-data
    /// question discards that dialog only, and the main window still asks.
    bool dataChanged = false;
    /// 1 ends the event loop after the current event.
    int quitFlag = 0;
    /// Row taken from a list's selection by one handler and used by a later one.
    int selectedRow = 0;
    /// The row of the open change dialog; none when no change dialog is open.
    std::optional<TakenRow> takenRow;
    /// The text of the last search, which F3 looks for again; "" before the first.
    std::string lastSearch;
};

/// The one shell state of the program.
ShellState& shellState();
/// Customers, articles or invoices changed: unsaved until the next Save.
void markDataChanged();
/// Back to the state at start.
void resetShellState();
