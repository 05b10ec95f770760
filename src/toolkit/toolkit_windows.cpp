// Windows by number, their menus, and the current container.

#include "runtime/codepage.h"
#include "toolkit/toolkit_testing.h"
#include "toolkit/toolkitstate.h"
#include "toolkit/toolkitwindow.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QWindow>
#include <algorithm>

namespace {

constexpr int kFrameStyleBits = ~(kWindowCentred | kWindowCentredOnOwner);

Qt::WindowFlags qtFlagsFor(int flags) {
    if ((flags & kFrameStyleBits) == 0)
        flags |= kWindowCaption;
    // No minimise or maximise box and no sizing border on any window; a close box only where asked.
    Qt::WindowFlags qt = Qt::Window | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint;
    if (flags & kWindowCaption)
        qt |= Qt::WindowTitleHint;
    if (flags & kWindowCloseBox)
        qt |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    return qt;
}

// Centres the window by its outer size: its frame once a window manager reports one, else the window
// with its menu bar. Where the window is larger than the screen's free area it starts at its edge.
void place(const WindowEntry& entry) {
    ToolkitWindow* window = entry.widget;
    const QSize outer = window->frameGeometry().size();
    if (entry.flags & kWindowCentred) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen)
            return;
        const QRect area = screen->availableGeometry();
        window->move(area.x() + std::max(0, (area.width() - outer.width()) / 2),
                     area.y() + std::max(0, (area.height() - outer.height()) / 2));
    } else if (entry.flags & kWindowCentredOnOwner) {
        const QWidget* anchor = entry.anchor;
        if (!anchor)
            return;
        const QRect a = anchor->frameGeometry();
        window->move(std::max(0, a.x() + (a.width() - outer.width()) / 2),
                     std::max(0, a.y() + (a.height() - outer.height()) / 2));
    }
}

// Input queued for a window that is gone would run against whatever holds its number next.
void dropEventsOf(int window) {
    std::erase_if(toolkit().queue, [window](const Event& e) { return e.window == window; });
}

WindowEntry* findWindow(int number) {
    auto it = toolkit().windows.find(number);
    if (it == toolkit().windows.end() || !it->second.widget)
        return nullptr;
    return &it->second;
}

} // namespace

int openWindow(int number, int x, int y, int width, int height, std::string_view title, int flags,
               int owner) {
    if (!mayReplaceWindow(number))
        return 0;
    closeWindow(number);
    WindowEntry* ownerEntry = owner >= 0 ? findWindow(owner) : nullptr;
    QWidget* ownerWidget = ownerEntry ? ownerEntry->widget.data() : nullptr;
    // Every window is a top-level widget of its own: an owned window made a Qt child of its owner would
    // grey out with it whenever a message box disables the owner. As transient parent the owner keeps
    // it on top.
    auto* window = new ToolkitWindow(number, std::max(width, 0), std::max(height, 0), qtFlagsFor(flags));
    window->setWindowTitle(toQString(title));
    if (ownerWidget) {
        window->winId(); // makes the native window that takes the transient parent
        window->windowHandle()->setTransientParent(ownerWidget->windowHandle());
    }
    window->move(x, y);
    WindowEntry& entry = toolkit().windows[number];
    entry = WindowEntry{};
    entry.widget = window;
    entry.owner = ownerEntry ? owner : -1;
    entry.flags = flags;
    entry.anchor = ownerWidget ? ownerWidget : QApplication::activeWindow();
    window->adjustSize();
    place(entry);
    window->show();
    // A shown window may have a frame, which counts to its outer size.
    place(entry);
    window->raise();
    window->activateWindow();
    return 1;
}

int closeWindow(int number) {
    WindowEntry* entry = findWindow(number);
    if (!entry) {
        std::function<void()> closed;
        if (const auto it = toolkit().windows.find(number); it != toolkit().windows.end())
            closed = std::move(it->second.closed);
        toolkit().windows.erase(number);
        dropEventsOf(number);
        if (closed)
            closed();
        return 0;
    }
    // Windows owned by this one go with it.
    std::vector<int> owned;
    for (const auto& [other, e] : toolkit().windows) {
        if (e.owner == number && other != number)
            owned.push_back(other);
    }
    for (int other : owned)
        closeWindow(other);

    entry = findWindow(number);
    if (!entry)
        return 0;
    const int owner = entry->owner;
    ToolkitWindow* widget = entry->widget;
    activateWindow(owner);
    std::vector<int> controls;
    for (const auto& [control, c] : toolkit().controls) {
        if (c.window == number)
            controls.push_back(control);
    }
    for (int control : controls)
        forgetControl(control);
    if (toolkit().current.window == number)
        toolkit().current = Container{};
    // Told last, when the window is gone from every table, so that what it does sees it closed.
    const std::function<void()> closed = std::move(entry->closed);
    toolkit().windows.erase(number);
    widget->hide();
    delete widget;
    dropEventsOf(number);
    if (closed)
        closed();
    return 1;
}

void activateWindow(int number) {
    WindowEntry* entry = findWindow(number);
    if (!entry)
        return;
    entry->widget->raise();
    entry->widget->activateWindow();
}

int useControlList(int window) {
    WindowEntry* entry = findWindow(window);
    if (!entry)
        return 0;
    toolkit().current = Container{entry->widget->clientArea(), window};
    toolkit().savedContainers.clear();
    return 1;
}

void closeAllWindows() {
    while (!toolkit().windows.empty()) {
        const int number = toolkit().windows.begin()->first;
        if (!closeWindow(number))
            toolkit().windows.erase(number);
    }
}

bool windowExists(int number) {
    return findWindow(number) != nullptr;
}

void onWindowClosed(int window, std::function<void()> closed) {
    if (WindowEntry* entry = findWindow(window))
        entry->closed = std::move(closed);
}

void guardWindow(int window, std::function<bool()> mayGo) {
    if (WindowEntry* entry = findWindow(window))
        entry->mayGo = std::move(mayGo);
}

bool mayReplaceWindow(int number) {
    const WindowEntry* entry = findWindow(number);
    if (!entry || !entry->mayGo)
        return true;
    // A copy: the guard may close windows while it asks.
    const std::function<bool()> mayGo = entry->mayGo;
    return mayGo();
}

void setStatusText(int window, std::string_view text) {
    if (WindowEntry* entry = findWindow(window))
        entry->widget->statusLine()->showMessage(toQString(text));
}

void setDialogKeys(int window, int defaultButton) {
    if (WindowEntry* entry = findWindow(window)) {
        entry->dialogKeys = true;
        entry->defaultButton = defaultButton;
    }
}

QWidget* windowWidget(int number) {
    WindowEntry* entry = findWindow(number);
    return entry ? entry->widget.data() : nullptr;
}

int createMenu(int /*number*/, int window) {
    WindowEntry* entry = findWindow(window);
    if (!entry)
        return 0;
    entry->menuBar = entry->widget->addMenuBar();
    entry->currentMenu = nullptr;
    place(*entry);
    // Titles and items go to the menu bar made last.
    toolkit().menuWindow = window;
    return 1;
}

void menuTitle(std::string_view text) {
    WindowEntry* entry = findWindow(toolkit().menuWindow);
    if (!entry || !entry->menuBar)
        return;
    entry->currentMenu = entry->menuBar->addMenu(toQString(text));
    // The menu bar grows with its first title; the window is centred again by its new size.
    entry->widget->relayout();
    place(*entry);
}

void menuItem(int number, std::string_view text, std::string_view shortcut) {
    WindowEntry* entry = findWindow(toolkit().menuWindow);
    if (!entry || !entry->currentMenu)
        return;
    const int window = toolkit().menuWindow;
    QAction* action = entry->currentMenu->addAction(toQString(text));
    if (!shortcut.empty())
        action->setShortcut(QKeySequence(toQString(shortcut)));
    QObject::connect(action, &QAction::triggered, action,
                     [window, number] { queueEvent(MenuCommand, window, number, 0); });
}

void addShortcut(int window, int number, std::string_view keys) {
    WindowEntry* entry = findWindow(window);
    if (!entry)
        return;
    // An action of the window itself: it takes the keys while the window is active, like a menu
    // item's shortcut, and goes with the window.
    auto* action = new QAction(entry->widget);
    action->setShortcut(QKeySequence(toQString(keys)));
    action->setShortcutContext(Qt::WindowShortcut);
    entry->widget->addAction(action);
    QObject::connect(action, &QAction::triggered, action,
                     [window, number] { queueEvent(MenuCommand, window, number, 0); });
}

void menuSeparator() {
    WindowEntry* entry = findWindow(toolkit().menuWindow);
    if (entry && entry->currentMenu)
        entry->currentMenu->addSeparator();
}
