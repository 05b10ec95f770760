#include "support/testenv.h"

#include "printing/printjob.h"
#include "printing/printtarget.h"
#include "runtime/conversions.h"
#include "runtime/linefile.h"
#include "shell/dispatch.h"
#include "shell/instancelock.h"
#include "shell/startup.h"
#include "state/companydata.h"
#include "state/customeredit.h"
#include "state/invoicestate.h"
#include "state/offerstate.h"
#include "state/settings.h"
#include "state/shellstate.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_testing.h"

#include "runtime/conversions.h"
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <unistd.h>

void ProgramTest::SetUp() {
    ASSERT_TRUE(makeToolkitReady());
    ASSERT_TRUE(dir_.isValid());
    oldCwd_ = QDir::currentPath().toStdString();
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    resetToolkit();
    resetShellState();
    resetInvoiceState();
    resetOfferState();
    resetSettings();
    resetCustomerEdit();
    resetCompanyData();
    resetPrintJob();
    setClock({});
    // Tests never wait for a person at the print dialog: a printout is cancelled unless a test
    // chooses a PDF file or a recorder.
    resetPrintTarget();
    printTarget().kind = PrintTargetKind::Cancelled;
    installAnswerer();
}

void ProgramTest::TearDown() {
    // The data folder goes with the test, so its lock is given back first.
    releaseInstanceLock();
    resetPrintJob();
    closeAllFiles();
    resetToolkit();
    QDir::setCurrent(QString::fromStdString(oldCwd_));
}

std::string ProgramTest::dataPath(const std::string& name) const {
    return (dir_.path() + "/" + QString::fromStdString(name)).toStdString();
}

void ProgramTest::writeData(const std::string& name, const std::string& bytes) const {
    const QString path = QString::fromStdString(dataPath(name));
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())), static_cast<qint64>(bytes.size()));
}

std::string ProgramTest::readData(const std::string& name) const {
    QFile file(QString::fromStdString(dataPath(name)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

std::vector<std::string> ProgramTest::errorTexts() const {
    std::vector<std::string> texts;
    for (const ShownMessage& m : messages) {
        if (m.caption == "Fehler!" && m.flags == kMessageOk)
            texts.push_back(m.text);
    }
    return texts;
}

void ProgramTest::installAnswerer() {
    setMessageAnswerer([this](const std::string& caption, const std::string& text, int flags) {
        messages.push_back({caption, text, flags});
        if (!answers_.empty()) {
            const int answer = answers_.front();
            answers_.pop_front();
            return answer;
        }
        return flags == kMessageYesNo ? kAnswerNo : kAnswerOk;
    });
}

void ProgramTest::start() {
    ASSERT_TRUE(startProgram());
    // Start-up resets the toolkit, and with it the answerer.
    installAnswerer();
}

bool clickButton(int control) {
    auto* button = qobject_cast<QPushButton*>(controlWidget(control));
    if (!button)
        return false;
    button->click();
    return true;
}

bool selectRow(int list, int row) {
    // Rows added since the last turn of the event loop reach the view with the next turn, as for a user.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    auto* view = qobject_cast<QAbstractItemView*>(controlWidget(list));
    if (!view || row < 0 || row >= view->model()->rowCount())
        return false;
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    return view->selectionModel()->isRowSelected(row, QModelIndex());
}

bool doubleClickRow(int list, int row) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    auto* view = qobject_cast<QAbstractItemView*>(controlWidget(list));
    if (!view || row < 0 || row >= view->model()->rowCount())
        return false;
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    // A real double click: press and release, then the double-click event.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    return true;
}

bool typeInto(int field, const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(controlWidget(field));
    if (!edit)
        return false;
    edit->setFocus();
    edit->selectAll();
    edit->del();
    // Key events carry the typed text, so characters beyond ASCII are typed as a keyboard would; a
    // character beyond the Basic Multilingual Plane is one key with both halves of its pair.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString key = text.mid(i, length);
        i += length - 1;
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, key);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, key);
        QApplication::sendEvent(edit, &press);
        QApplication::sendEvent(edit, &release);
    }
    return true;
}

bool pasteInto(int field, const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(controlWidget(field));
    if (!edit)
        return false;
    QGuiApplication::clipboard()->setText(text);
    edit->setFocus();
    edit->selectAll();
    edit->paste();
    return true;
}

bool chooseMenuItem(const QString& text) {
    QWidget* main = windowWidget(kMainWindow);
    if (!main)
        return false;
    for (QMenuBar* bar : main->findChildren<QMenuBar*>()) {
        for (QAction* title : bar->actions()) {
            if (!title->menu())
                continue;
            for (QAction* item : title->menu()->actions()) {
                if (item->text() == text) {
                    item->trigger();
                    return true;
                }
            }
        }
    }
    return false;
}

bool pressKey(int window, int key, int modifiers) {
    QWidget* widget = windowWidget(window);
    // Keys reach the window the user works in, once it has become the active one.
    if (!widget || !QTest::qWaitForWindowActive(widget))
        return false;
    QWidget* focus = widget->focusWidget();
    QTest::keyClick(focus ? focus : widget, static_cast<Qt::Key>(key),
                    static_cast<Qt::KeyboardModifiers>(modifiers));
    return true;
}

bool requestClose(int window) {
    QWidget* widget = windowWidget(window);
    if (!widget)
        return false;
    widget->close();
    return true;
}

QWidget* transientOwner(const QWidget* window) {
    const QWindow* handle = window->windowHandle();
    const QWindow* owner = handle ? handle->transientParent() : nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (owner && w->windowHandle() == owner)
            return w;
    }
    return nullptr;
}

int dispatch() {
    int count = 0;
    for (int kind = pollEvent(); kind != NoEvent; kind = pollEvent()) {
        dispatchEvent(kind);
        ++count;
    }
    return count;
}
