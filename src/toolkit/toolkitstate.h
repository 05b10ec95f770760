#pragma once
// The toolkit's own tables: windows by number, controls by number (one table for the whole program),
// the current container and the event queue. Internal to the toolkit's source files.

#include "toolkit/toolkit.h"

#include <QPointer>
#include <QString>
#include <deque>
#include <map>
#include <unordered_map>
#include <vector>

class QMenu;
class QMenuBar;
class QTabWidget;
class QWidget;
class ListModel;
class ToolkitWindow;

enum class ControlKind {
    PushButton,
    Label,
    TextField,
    TextArea,
    CheckBox,
    Slider,
    PickList,
    ReportList,
    TabPanel,
    ComboBox
};

struct Control {
    ControlKind kind = ControlKind::Label;
    QPointer<QWidget> widget;
    /// Number of the top-level window that holds the control.
    int window = -1;
    /// Rows of a ReportList or PickList; owned by the view.
    ListModel* model = nullptr;
};

struct WindowEntry {
    QPointer<ToolkitWindow> widget;
    int owner = -1;
    QMenuBar* menuBar = nullptr;
    QMenu* currentMenu = nullptr;
    /// The flags it was opened with, for centring it again when its menu bar grows.
    int flags = 0;
    /// The window it is centred on with kWindowCentredOnOwner.
    QPointer<QWidget> anchor;
    /// Told once when the window closes.
    std::function<void()> closed;
    /// Asked before the window is replaced; false keeps it.
    std::function<bool()> mayGo;
    /// Enter and Escape act as in a dialog; Enter presses defaultButton (-1 for none).
    bool dialogKeys = false;
    int defaultButton = -1;
};

/// A message box whose text is shown as given and handed to an answerer as answered.
int askUser(std::string_view caption, const QString& shown, const std::string& answered, int flags);

struct Event {
    int kind = NoEvent;
    int window = -1;
    int number = 0;
    int type = 0;
};

struct Container {
    QWidget* widget = nullptr;
    int window = -1;
};

struct ToolkitState {
    std::map<int, WindowEntry> windows;
    std::unordered_map<int, Control> controls;
    Container current;
    /// Containers saved by createTabPanel, restored by closeControlList.
    std::vector<Container> savedContainers;
    /// Numbers handed to anonymous controls count down from here, below every number the program uses.
    int nextAnonymous = -2;
    /// The window whose menu bar takes the titles and items added next.
    int menuWindow = -1;
    std::deque<Event> queue;
    Event last;
    MessageAnswerer answerer;
    SaveFileAnswerer saveFileAnswerer;
    OpenFileAnswerer openFileAnswerer;
};

/// The toolkit's one state.
ToolkitState& toolkit();

/// The control under a number, or nullptr (also when its widget is gone).
Control* findControl(int number);
/// Destroys the control under a number, if any, and frees the number.
void destroyControl(int number);
/// Frees the number of a control whose widget goes with its window.
void forgetControl(int number);
/// Appends an event to the queue.
void queueEvent(int kind, int window, int number, int type);
