// Making the toolkit ready, the event queue, and the program-wide modal message box.

#include "runtime/codepage.h"
#include "runtime/lists.h"
#include "toolkit/toolkitstate.h"
#include "toolkit/toolkitwindow.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleFactory>
#include <QTranslator>

namespace {

ToolkitState theToolkit;

bool takeQueued() {
    if (theToolkit.queue.empty())
        return false;
    theToolkit.last = theToolkit.queue.front();
    theToolkit.queue.pop_front();
    return true;
}

void loadGermanTexts(QApplication& app) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::German), "qtbase", "_",
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

int showRealBox(QWidget* owner, const std::string& caption, const QString& text, int flags) {
    QMessageBox box(owner);
    box.setWindowTitle(toQString(caption));
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowModality(Qt::ApplicationModal);
    if (flags == kMessageYesNo) {
        QPushButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? kAnswerYes : kAnswerNo;
    }
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return kAnswerOk;
}

} // namespace

ToolkitState& toolkit() {
    return theToolkit;
}

void queueEvent(int kind, int window, int number, int type) {
    theToolkit.queue.push_back(Event{kind, window, number, type});
}

bool makeToolkitReady() {
    if (!QApplication::instance()) {
        // The application lives until the process ends; Qt keeps a reference to argc.
        static int argc = 1;
        static char name[] = "quillora";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app)
        return false;
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // The fixed control positions were drawn for a small dialog font.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(10);
    QApplication::setFont(font);
    QApplication::setQuitOnLastWindowClosed(false);
    // The windows belong to the menu entry: the desktop groups them under it and shows its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("de.quillora.Quillora"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("quillora")));
    if (!app->property("quilloraGerman").toBool()) {
        loadGermanTexts(*app);
        app->setProperty("quilloraGerman", true);
    }
    return true;
}

void resetToolkit() {
    closeAllWindows();
    for (auto& [number, control] : theToolkit.controls) {
        if (control.model)
            registerList(number, nullptr);
        delete control.widget.data();
    }
    theToolkit = ToolkitState{};
}

int waitEvent() {
    while (!takeQueued())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return theToolkit.last.kind;
}

int pollEvent() {
    if (theToolkit.queue.empty())
        QCoreApplication::processEvents();
    return takeQueued() ? theToolkit.last.kind : NoEvent;
}

int eventWindow() {
    return theToolkit.last.window;
}
int eventMenu() {
    return theToolkit.last.kind == MenuCommand ? theToolkit.last.number : 0;
}
int eventControl() {
    return theToolkit.last.kind == ControlEvent ? theToolkit.last.number : 0;
}
int eventType() {
    return theToolkit.last.type;
}
int queuedEventCount() {
    return static_cast<int>(theToolkit.queue.size());
}

void setMessageAnswerer(MessageAnswerer answerer) {
    theToolkit.answerer = std::move(answerer);
}

const MessageAnswerer& messageAnswerer() {
    return theToolkit.answerer;
}

int messageBox(std::string_view caption, std::string_view text, int flags) {
    return askUser(caption, toQString(text), std::string(text), flags);
}

int askUser(std::string_view caption, const QString& shown, const std::string& answered, int flags) {
    QWidget* owner = QApplication::activeWindow();
    bool ownerIsOurs = false;
    for (const auto& [number, entry] : theToolkit.windows)
        ownerIsOurs = ownerIsOurs || (entry.widget && entry.widget.data() == owner);
    if (!ownerIsOurs)
        owner = nullptr;

    // Modal for the whole program: every other window that can take input is disabled meanwhile, and
    // exactly those are enabled again afterwards.
    std::vector<QPointer<QWidget>> disabled;
    for (const auto& [number, entry] : theToolkit.windows) {
        QWidget* w = entry.widget;
        if (w && w != owner && w->isVisible() && w->isEnabled()) {
            w->setEnabled(false);
            disabled.emplace_back(w);
        }
    }
    const std::string captionText(caption);
    const int answer = theToolkit.answerer ? theToolkit.answerer(captionText, answered, flags)
                                           : showRealBox(owner, captionText, shown, flags);
    for (const auto& w : disabled) {
        if (w)
            w->setEnabled(true);
    }
    return answer;
}
