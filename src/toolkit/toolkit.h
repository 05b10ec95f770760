#pragma once
// The window and control toolkit: numbered windows and controls over Qt Widgets.
//
// The program names every window and control by a number of its own choosing, creates controls into
// the current container, reads and changes them through generic operations, and receives what the
// user does as events from waitEvent. Texts are Windows-1252 byte strings; nothing here hands out a
// widget (tests reach the widgets through toolkit_testing.h).

#include "runtime/numbers.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>

/// Event kinds returned by waitEvent.
enum EventKind : int {
    NoEvent = 0,
    CloseRequest = 16,
    ControlEvent = 13100,
    MenuCommand = 13101,
};

// --- Start and reset -----------------------------------------------------------------------------

/// Makes the toolkit ready: the application object (if none exists yet), Qt's German texts, the
/// program's widget font. Returns false when no application could be made.
bool makeToolkitReady();

/// Closes every window and clears the window and control tables, the event queue and the current
/// container; restores the default message answerer. For tests and for shutdown.
void resetToolkit();

// --- Windows -------------------------------------------------------------------------------------

/// Opens a top-level window with an inner area of width x height. A window holding the number is
/// closed first, unless its guard keeps it (then nothing opens and the result is 0). owner is a window
/// number, or -1 for none: an owned window stays above its owner and closes with it. Centred windows are
/// centred by their outer size on the screen's free area, again when their menu bar grows. Nonzero on
/// success.
int openWindow(int number, int x, int y, int width, int height, std::string_view title, int flags,
               int owner = -1);
/// Closes the window, its controls and the windows it owns; the owner is activated first. Events
/// still queued for any of them are dropped, so a burst of clicks never outlives its window.
/// Nonzero if a window was closed.
int closeWindow(int number);
/// Brings the window to the front with the input focus; nothing for a number not in use.
void activateWindow(int number);
/// Makes the window the container for the controls created next. Nonzero on success.
int useControlList(int window);
/// Closes every open window.
void closeAllWindows();
/// Whether a window holds the number.
bool windowExists(int number);
/// Calls closed once the window closes, whatever closes it: closeWindow, another window opened under
/// its number, its owner closing, every window closing. A second call replaces the first; a window
/// opened anew under the number starts without one.
void onWindowClosed(int window, std::function<void()> closed);
/// Asks mayGo before another window opened under the window's number replaces it, or before
/// mayReplaceWindow lets it go; false keeps the window. A window opened anew under the number starts
/// without one.
void guardWindow(int window, std::function<bool()> mayGo);
/// Whether the window may be replaced: true without a window or a guard, else the guard's answer.
bool mayReplaceWindow(int number);
/// Shows text in the window's status line, below its inner area; the line appears with its first text.
void setStatusText(int window, std::string_view text);
/// Gives the window a dialog's keys: Enter presses the push button that has the focus, else
/// defaultButton (-1 for none); Escape asks to close the window as its close box would.
void setDialogKeys(int window, int defaultButton);

// --- Menus ---------------------------------------------------------------------------------------

/// Gives the window an empty menu bar. Nonzero on success.
int createMenu(int number, int window);
/// Appends a drop-down title; the items added next go into it.
void menuTitle(std::string_view text);
/// Appends an item; "&" marks the mnemonic. Choosing it queues a MenuCommand with the number, and so
/// does the key sequence shortcut ("Ctrl+S") while the window is active; the shortcut is shown beside it.
void menuItem(int number, std::string_view text, std::string_view shortcut = {});
/// Makes keys ("F3") queue a MenuCommand with the number while the window is active, without a
/// menu item.
void addShortcut(int window, int number, std::string_view keys);
/// Appends a separator line to the current drop-down.
void menuSeparator();

// --- Controls ------------------------------------------------------------------------------------
// Each returns nonzero on success; a number in use is freed first; -1 asks for an anonymous control.

int createPushButton(int number, int x, int y, int width, int height, std::string_view caption);
int createLabel(int number, int x, int y, int width, int height, std::string_view text);
int createTextField(int number, int x, int y, int width, int height, std::string_view text, int flags = 0);
int createTextArea(int number, int x, int y, int width, int height);
int createCheckBox(int number, int x, int y, int width, int height, std::string_view caption);
int createSlider(int number, int x, int y, int width, int height, int minimum, int maximum, int flags);
int createTabPanel(int number, int x, int y, int width, int height);
int createReportList(int number, int x, int y, int width, int height, std::string_view title0, int width0,
                     int flags);
int createPickList(int number, int x, int y, int width, int height);
/// A drop-down list of choices, given one per line ("SKR03\nSKR04"); getState and setState are the
/// chosen one's index, getText its text.
int createComboBox(int number, int x, int y, int width, int height, std::string_view choices);
/// Inserts a column into a ReportList; a position past the last column appends.
void addColumn(int list, int position, std::string_view title, int width);
/// Appends a column to a ReportList that no view shows, with an empty title: its cells are kept with
/// the row and reached through getCell, setCell and addRow like the others.
void addHiddenColumn(int list);
/// Inserts a column at position (past the last column: appended) that no view shows until showColumn.
void insertHiddenColumn(int list, int position);
/// Shows a column of a ReportList under title at width; nothing for a column out of range.
void showColumn(int list, int column, std::string_view title, int width);
/// ReportList: shows every row whose cell in column reads text in red, as long as it does.
void markRowsWhere(int list, int column, std::string_view text);
/// Gives the control a tooltip; a second call replaces the first text.
void setTooltip(int number, std::string_view text);
/// Ends the pages of the current TabPanel; the container before it becomes current again.
void closeControlList();
/// Gives the control the input focus within its window (at once, or when the window becomes active).
void focusControl(int number);
/// Tab moves through these controls in this order, in the window that holds them.
void setTabOrder(std::span<const int> controls);
/// Keeps every byte of forbidden out of a TextField, typed or pasted, besides CR, LF and NUL, which no
/// TextField takes.
void setForbiddenCharacters(int number, std::string_view forbidden);
/// Enter in the TextField presses the push button.
void pressOnEnter(int field, int button);
/// Makes the TextField queue a ControlEvent of type kTextEdited when the user edits its text and one of
/// type kEnterPressed for Enter.
void reportEdits(int field);
/// ReportList or PickList: selects the row as setState does and scrolls it into view.
void showRow(int list, int row);

// --- Generic operations --------------------------------------------------------------------------
// On a number not in use they do nothing and give 0 or "".

std::string getText(int number);
void setText(int number, std::string_view text);
int getState(int number);
void setState(int number, int value);
/// ReportList: cells joined by LF, -1 or past the end appends, surplus cells dropped.
/// PickList: one row. TextArea: a line before line `position`. TabPanel: a page that becomes the container.
void addRow(int number, int position, std::string_view text);
void removeRow(int number, int row);
int rowCount(int number);
/// ReportList: cell text, row -1 gives the column title, "" out of range. TextArea: line `row`.
std::string getCell(int number, int row, int column);
/// ReportList: sets a cell; row -1 sets the column title.
void setCell(int number, int row, std::string_view text, int column);

// --- Events --------------------------------------------------------------------------------------

/// Returns the oldest queued event; when none is queued, waits for the user.
int waitEvent();
/// Like waitEvent, but lets Qt deliver what is pending and returns NoEvent instead of waiting.
int pollEvent();
int eventWindow();
int eventMenu();
int eventControl();
int eventType();
/// Number of events waiting in the queue.
int queuedEventCount();

// --- Message box ---------------------------------------------------------------------------------

/// Shows a modal box for the whole program: the other windows are disabled meanwhile, the active one
/// (the box's owner) is not. kMessageOk gives "OK" (kAnswerOk) for Enter and Escape; kMessageYesNo "Ja"
/// and "Nein" with Alt+J and Alt+N (kAnswerYes, kAnswerNo), Enter for "Ja" and Escape for "Nein".
int messageBox(std::string_view caption, std::string_view text, int flags);

/// Whether every TextField and TextArea of the window holds only characters Windows-1252 can hold.
/// If not, the first one that cannot be held gets the focus and the user reads before + the character +
/// after ("Hinweis!"); an answerer gets the character as its UTF-8 bytes between the two.
bool textsFitCodePage(int window, std::string_view before, std::string_view after);

/// Answers message boxes instead of a person (tests). An empty function restores the real box.
using MessageAnswerer = std::function<int(const std::string& caption, const std::string& text, int flags)>;
void setMessageAnswerer(MessageAnswerer answerer);
/// The answerer in place; empty for the real box.
const MessageAnswerer& messageAnswerer();

// --- File dialog ---------------------------------------------------------------------------------

/// Asks for the name of a file to write, in a modal dialog owned by window owner that starts at
/// defaultName in the current folder and shows the files of filter ("CSV-Dateien (*.csv)"); a name
/// typed without an extension gets the filter's. Replacing a file is asked about first. Returns the
/// chosen path in the file system's encoding (not Windows-1252), "" when cancelled.
std::string askSaveFileName(int owner, std::string_view caption, std::string_view defaultName,
                            std::string_view filter);

/// Asks for a folder (the dialog can make a new one). The path in the file system's encoding, ""
/// when cancelled.
std::string askFolderName(int owner, std::string_view caption);

/// Chooses file and folder names instead of a person (tests): gets the caption and the default name
/// ("" for the open and folder dialogs) and returns the path ("" cancels). An empty function
/// restores the real dialogs.
using SaveFileAnswerer =
    std::function<std::string(const std::string& caption, const std::string& defaultName)>;
void setSaveFileAnswerer(SaveFileAnswerer answerer);

/// Asks for an existing file to read, in a modal dialog owned by window owner that starts in the
/// current folder and shows the files of filter ("E-Rechnungen (*.xml *.pdf)"). Returns the chosen
/// path in the file system's encoding, "" when cancelled.
std::string askOpenFileName(int owner, std::string_view caption, std::string_view filter);

/// Chooses the file to open instead of a person (tests): gets the caption and returns the path (""
/// cancels); without it, a save-file answerer answers with an empty default name. An empty function
/// restores the real dialog.
using OpenFileAnswerer = std::function<std::string(const std::string& caption)>;
void setOpenFileAnswerer(OpenFileAnswerer answerer);
