// The toolkit's windows, list semantics and events, driven through the real widgets.

#include "support/testenv.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_testing.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {

/// A number the program gives no control.
constexpr int kNoSuchControl = 999;

class ToolkitTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_NE(openWindow(kDialogWindow, 0, 0, 400, 300, "Test", kWindowCentred), 0);
        ASSERT_NE(useControlList(kDialogWindow), 0);
    }
    void makeThreeColumnList() {
        ASSERT_NE(createReportList(kLinesList, 0, 0, 300, 200, "A", 50, kReportListFlags), 0);
        addColumn(kLinesList, 2, "B", 50);
        addColumn(kLinesList, 3, "C", 50);
    }
};

TEST_F(ToolkitTest, TheWindowsBelongToTheMenuEntry) {
    EXPECT_EQ(QGuiApplication::desktopFileName(), "de.quillora.Quillora");
}

TEST_F(ToolkitTest, AddRowSplitsCellsAtLineFeeds) {
    makeThreeColumnList();
    struct Case {
        const char* name;
        const char* text;
        std::vector<std::string> cells;
    };
    const Case cases[] = {
        {"exact", "a\nb\nc", {"a", "b", "c"}},
        {"short", "a\nb", {"a", "b", ""}},
        {"surplus dropped", "a\nb\nc\nd", {"a", "b", "c"}},
        {"trailing LF adds no column", "a\nb\nc\n", {"a", "b", "c"}},
        {"empty", "", {"", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        addRow(kLinesList, -1, c.text);
        const int row = rowCount(kLinesList) - 1;
        for (int col = 0; col < 3; ++col)
            EXPECT_EQ(getCell(kLinesList, row, col), c.cells[static_cast<std::size_t>(col)]);
        EXPECT_EQ(getCell(kLinesList, row, 3), "");
    }
}

TEST_F(ToolkitTest, RowMinusOneIsTheColumnTitles) {
    makeThreeColumnList();
    EXPECT_EQ(getCell(kLinesList, -1, 0), "A");
    EXPECT_EQ(getCell(kLinesList, -1, 2), "C");
    setCell(kLinesList, -1, "Neu", 1);
    EXPECT_EQ(getCell(kLinesList, -1, 1), "Neu");
    EXPECT_EQ(getState(kLinesList), -1);
}

TEST_F(ToolkitTest, ColumnsAddedPastTheEndAppend) {
    ASSERT_NE(createReportList(kCustomerList, 0, 0, 300, 200, "Anrede", 60, kReportListFlags), 0);
    const char* titles[] = {"Name", "Vorname", "Zusatz", "Strasse", "Wohnort"};
    for (int i = 0; i < 5; ++i)
        addColumn(kCustomerList, i + 2, titles[i], 80);
    EXPECT_EQ(getCell(kCustomerList, -1, 0), "Anrede");
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(getCell(kCustomerList, -1, i + 1), titles[i]);
    addColumn(kCustomerList, 0, "Erste", 10);
    EXPECT_EQ(getCell(kCustomerList, -1, 0), "Erste");
    EXPECT_EQ(getCell(kCustomerList, -1, 1), "Anrede");
}

TEST_F(ToolkitTest, AHiddenColumnKeepsItsCellsOutOfView) {
    makeThreeColumnList();
    addHiddenColumn(kLinesList);
    addRow(kLinesList, -1, "a\nb\nc\nd");
    EXPECT_EQ(getCell(kLinesList, 0, 3), "d");
    setCell(kLinesList, 0, "e", 3);
    EXPECT_EQ(getCell(kLinesList, 0, 3), "e");
    EXPECT_EQ(getCell(kLinesList, -1, 3), "");
    auto* view = qobject_cast<QTableView*>(controlWidget(kLinesList));
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isColumnHidden(3));
    EXPECT_FALSE(view->isColumnHidden(2));
}

TEST_F(ToolkitTest, OutOfRangeNeverFails) {
    makeThreeColumnList();
    addRow(kLinesList, 5, "x"); // past the end appends
    addRow(kLinesList, -1, "y");
    EXPECT_EQ(rowCount(kLinesList), 2);
    EXPECT_EQ(getCell(kLinesList, 0, 0), "x");
    EXPECT_EQ(getCell(kLinesList, 2, 0), "");
    EXPECT_EQ(getCell(kLinesList, 0, 7), "");
    EXPECT_EQ(getCell(kLinesList, -2, 0), "");
    removeRow(kLinesList, -1);
    removeRow(kLinesList, 2);
    EXPECT_EQ(rowCount(kLinesList), 2);
    setCell(kLinesList, 9, "z", 0);
    EXPECT_EQ(getCell(kNoSuchControl, 0, 0), "");
    EXPECT_EQ(getState(kNoSuchControl), 0);
    EXPECT_EQ(rowCount(kNoSuchControl), 0);
}

TEST_F(ToolkitTest, RemovedRowComesBackInItsPlace) {
    makeThreeColumnList();
    for (const char* t : {"r0", "r1", "r2", "r3"})
        addRow(kLinesList, -1, t);
    removeRow(kLinesList, 2);
    EXPECT_EQ(getCell(kLinesList, 2, 0), "r3");
    addRow(kLinesList, 2, "r2 neu");
    EXPECT_EQ(getCell(kLinesList, 1, 0), "r1");
    EXPECT_EQ(getCell(kLinesList, 2, 0), "r2 neu");
    EXPECT_EQ(getCell(kLinesList, 3, 0), "r3");
}

// Appended rows reach the view in one piece with the next turn of the event loop; the program reads
// them at once, and any other change first brings the view up to date, so view and rows never differ.
TEST_F(ToolkitTest, AppendedRowsReachTheViewTogether) {
    makeThreeColumnList();
    auto* view = qobject_cast<QAbstractItemView*>(controlWidget(kLinesList));
    ASSERT_NE(view, nullptr);
    QSignalSpy inserted(view->model(), &QAbstractItemModel::rowsInserted);
    for (int i = 0; i < 1000; ++i)
        addRow(kLinesList, -1, std::to_string(i).append("\nb"));
    EXPECT_EQ(rowCount(kLinesList), 1000);
    EXPECT_EQ(getCell(kLinesList, 999, 1), "b");
    setCell(kLinesList, 998, "ge\xE4ndert", 2);
    EXPECT_EQ(getCell(kLinesList, 998, 2), "ge\xE4ndert");
    EXPECT_EQ(view->model()->rowCount(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(view->model()->rowCount(), 1000);
    EXPECT_EQ(view->model()->index(998, 2).data().toString(), QString::fromUtf8("geändert"));

    // A removal, an insertion in the middle and a selection each catch the view up first.
    addRow(kLinesList, -1, "r1000");
    addRow(kLinesList, -1, "r1001");
    removeRow(kLinesList, 1000);
    EXPECT_EQ(view->model()->rowCount(), 1001);
    EXPECT_EQ(view->model()->index(1000, 0).data().toString(), "r1001");
    addRow(kLinesList, -1, "r1002");
    addRow(kLinesList, 5, "mitte");
    EXPECT_EQ(view->model()->rowCount(), 1003);
    EXPECT_EQ(getCell(kLinesList, 1002, 0), "r1002");
    addRow(kLinesList, -1, "letzte");
    setState(kLinesList, 1003);
    EXPECT_EQ(getState(kLinesList), 1003);
    EXPECT_EQ(view->model()->rowCount(), 1004);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    EXPECT_EQ(view->model()->rowCount(), 1004);
}

TEST_F(ToolkitTest, SelectionFollowsClicksAndRemoval) {
    makeThreeColumnList();
    for (const char* t : {"r0", "r1", "r2"})
        addRow(kLinesList, -1, t);
    EXPECT_EQ(getState(kLinesList), -1);
    ASSERT_TRUE(selectRow(kLinesList, 1));
    EXPECT_EQ(getState(kLinesList), 1);
    removeRow(kLinesList, 1);
    EXPECT_EQ(getState(kLinesList), -1);
}

TEST_F(ToolkitTest, PickListReportsSelectionAndDoubleClick) {
    ASSERT_NE(createPickList(kCustomerPicks, 0, 0, 100, 80), 0);
    addRow(kCustomerPicks, -1, "Meier");
    addRow(kCustomerPicks, -1, "Schulz");
    ASSERT_TRUE(selectRow(kCustomerPicks, 1));
    ASSERT_EQ(pollEvent(), ControlEvent);
    EXPECT_EQ(eventControl(), 310);
    EXPECT_EQ(eventType(), 0);
    EXPECT_EQ(eventWindow(), 1);
    EXPECT_EQ(getState(kCustomerPicks), 1);
    while (pollEvent() != NoEvent) {
    }
    ASSERT_TRUE(doubleClickRow(kCustomerPicks, 0));
    std::vector<int> types;
    while (pollEvent() == ControlEvent)
        types.push_back(eventType());
    // The first click changes the selection, then the double click reports sub-type 2.
    ASSERT_FALSE(types.empty());
    EXPECT_EQ(types.front(), 0);
    EXPECT_EQ(types.back(), 2);
    EXPECT_EQ(getCell(kCustomerPicks, 0, 0), "Meier");
}

TEST_F(ToolkitTest, TextFieldsHoldWindows1252Bytes) {
    ASSERT_NE(createTextField(kNewCustomerFirstField, 0, 0, 100, 20, "M\xFCller"), 0);
    EXPECT_EQ(getText(kNewCustomerFirstField), "M\xFCller");
    ASSERT_TRUE(typeInto(kNewCustomerFirstField, QString::fromUtf8("Straße 5 € \u4E2D")));
    // The euro sign is byte 128; a character Windows-1252 cannot hold becomes "?".
    EXPECT_EQ(getText(kNewCustomerFirstField), "Stra\xDF"
                                               "e 5 \x80 ?");
    setForbiddenCharacters(1000, "|");
    ASSERT_TRUE(typeInto(kNewCustomerFirstField, "a|b"));
    EXPECT_EQ(getText(kNewCustomerFirstField), "ab");
    auto* edit = qobject_cast<QLineEdit*>(controlWidget(kNewCustomerFirstField));
    edit->selectAll();
    edit->insert("x|y|z"); // a paste goes through the same edit path
    edit->textEdited(edit->text());
    EXPECT_EQ(getText(kNewCustomerFirstField), "xyz");
}

TEST_F(ToolkitTest, TextAreaLines) {
    ASSERT_NE(createTextArea(kFooterArea1, 0, 0, 120, 80), 0);
    EXPECT_EQ(rowCount(kFooterArea1), 0);
    for (int i = 0; i < 5; ++i)
        addRow(kFooterArea1, i, "Zeile " + std::to_string(i));
    EXPECT_EQ(rowCount(kFooterArea1), 5);
    EXPECT_EQ(getCell(kFooterArea1, 0, 0), "Zeile 0");
    EXPECT_EQ(getCell(kFooterArea1, 4, 0), "Zeile 4");
    EXPECT_EQ(getCell(kFooterArea1, 5, 0), "");
    addRow(kFooterArea1, 0, "oben");
    EXPECT_EQ(getCell(kFooterArea1, 0, 0), "oben");
    EXPECT_EQ(getCell(kFooterArea1, 1, 0), "Zeile 0");
}

TEST_F(ToolkitTest, TextAreaKeepsEmptyLinesInsertedOneByOne) {
    ASSERT_NE(createTextArea(kFooterArea1 + 1, 0, 0, 120, 80), 0);
    const char* lines[] = {"", "", "mitte", "", ""};
    for (int i = 0; i < 5; ++i)
        addRow(kFooterArea1 + 1, i, lines[i]);
    ASSERT_EQ(rowCount(kFooterArea1 + 1), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(getCell(kFooterArea1 + 1, i, 0), lines[i]);
    for (int i = 0; i < 5; ++i)
        removeRow(kFooterArea1 + 1, 0);
    EXPECT_EQ(rowCount(kFooterArea1 + 1), 0);
    addRow(kFooterArea1 + 1, -1, "");
    EXPECT_EQ(rowCount(kFooterArea1 + 1), 1);
}

TEST_F(ToolkitTest, CheckBoxAndSliderStates) {
    ASSERT_NE(createCheckBox(kPricesGrossBox, 0, 0, 20, 20, ""), 0);
    ASSERT_NE(createSlider(kLogoSizeSlider, 0, 30, 150, 20, -4, 3, kSliderTicks), 0);
    EXPECT_EQ(getState(kPricesGrossBox), 0);
    setState(kPricesGrossBox, 2);
    EXPECT_EQ(getState(kPricesGrossBox), 1);
    QTest::mouseClick(controlWidget(kPricesGrossBox), Qt::LeftButton);
    EXPECT_EQ(getState(kPricesGrossBox), 0);
    EXPECT_EQ(getState(kLogoSizeSlider), 0);
    setState(kLogoSizeSlider, 7);
    EXPECT_EQ(getState(kLogoSizeSlider), 3);
    setState(kLogoSizeSlider, -1);
    EXPECT_EQ(getState(kLogoSizeSlider), 0);
}

TEST_F(ToolkitTest, ButtonClickIsQueuedNotRun) {
    ASSERT_NE(createPushButton(kLineOkButton, 0, 0, 30, 30, "OK"), 0);
    ASSERT_TRUE(clickButton(kLineOkButton));
    EXPECT_EQ(queuedEventCount(), 1);
    ASSERT_EQ(pollEvent(), ControlEvent);
    EXPECT_EQ(eventControl(), 5100);
    EXPECT_EQ(eventWindow(), 1);
    EXPECT_EQ(pollEvent(), NoEvent);
}

TEST_F(ToolkitTest, ReopeningANumberReplacesTheWindowAndFreesItsControls) {
    ASSERT_NE(createPushButton(kNewCustomerOkButton, 0, 0, 30, 30, "OK"), 0);
    ASSERT_NE(openWindow(kDialogWindow, 0, 0, 200, 100, "Zweites", kWindowCentred), 0);
    EXPECT_EQ(controlWidget(kNewCustomerOkButton), nullptr);
    EXPECT_EQ(windowWidget(kDialogWindow)->windowTitle(), "Zweites");
    useControlList(kDialogWindow);
    EXPECT_NE(createPushButton(kNewCustomerOkButton, 0, 0, 30, 30, "OK"), 0);
}

TEST_F(ToolkitTest, ClosingAnOwnerClosesWhatItOwns) {
    ASSERT_NE(openWindow(kLineDialog, 0, 0, 450, 160, "Neuer Rechnungseintrag", kWindowCentred, 1), 0);
    useControlList(kLineDialog);
    createTextField(kQuantityField, 0, 0, 40, 20, "");
    EXPECT_EQ(closeWindow(kDialogWindow), 1);
    EXPECT_FALSE(windowExists(kDialogWindow));
    EXPECT_FALSE(windowExists(kLineDialog));
    EXPECT_EQ(controlWidget(kQuantityField), nullptr);
    EXPECT_EQ(closeWindow(kDialogWindow), 0);
}

TEST_F(ToolkitTest, CloseRequestLeavesTheWindowOpen) {
    ASSERT_TRUE(requestClose(kDialogWindow));
    EXPECT_TRUE(windowExists(kDialogWindow));
    EXPECT_TRUE(windowWidget(kDialogWindow)->isVisible());
    ASSERT_EQ(pollEvent(), CloseRequest);
    EXPECT_EQ(eventWindow(), 1);
}

TEST_F(ToolkitTest, WindowsHaveFixedSizeAndNoMinimiseBox) {
    QWidget* w = windowWidget(kDialogWindow);
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(w->windowFlags() & Qt::WindowCloseButtonHint);
    ASSERT_NE(openWindow(kMainWindow, 0, 0, 800, 600, "Haupt", kMainWindowFlags), 0);
    EXPECT_TRUE(windowWidget(kMainWindow)->windowFlags() & Qt::WindowCloseButtonHint);
}

TEST_F(ToolkitTest, MessageBoxDisablesTheOtherWindowsMeanwhile) {
    ASSERT_NE(openWindow(kMainWindow, 0, 0, 300, 200, "Haupt", kMainWindowFlags), 0);
    ASSERT_NE(openWindow(kAboutWindow, 0, 0, 220, 100, "About", kWindowCentred), 0);
    windowWidget(kAboutWindow)->setEnabled(false);
    int enabledDuringBox = -1;
    setMessageAnswerer([&](const std::string&, const std::string&, int) {
        // Only the box's owner, if any, may still take input.
        enabledDuringBox =
            int(windowWidget(kMainWindow)->isEnabled()) + int(windowWidget(kDialogWindow)->isEnabled());
        return kAnswerYes;
    });
    EXPECT_EQ(messageBox("Hinweis!", "Frage", kMessageYesNo), kAnswerYes);
    EXPECT_LE(enabledDuringBox, 1);
    EXPECT_GE(enabledDuringBox, 0);
    EXPECT_TRUE(windowWidget(kMainWindow)->isEnabled());
    EXPECT_TRUE(windowWidget(kDialogWindow)->isEnabled());
    // A window that was disabled before the box stays disabled.
    EXPECT_FALSE(windowWidget(kAboutWindow)->isEnabled());
}

TEST_F(ToolkitTest, TabPagesBecomeTheContainer) {
    ASSERT_NE(createTabPanel(kTabPanel, 8, 8, 380, 280), 0);
    addRow(kTabPanel, -1, "Eins");
    createPushButton(kNewCustomerButton, 10, 15, 80, 24, "Neu");
    addRow(kTabPanel, -1, "Zwei");
    createPushButton(kNewArticleButton, 10, 15, 80, 24, "Neu");
    closeControlList();
    createPushButton(kNoSuchControl, 0, 0, 10, 10, "x");
    EXPECT_EQ(rowCount(kTabPanel), 2);
    EXPECT_EQ(controlWidget(kNewCustomerButton)->parentWidget()->parentWidget()->parentWidget(),
              controlWidget(kTabPanel));
    EXPECT_EQ(controlWidget(kNoSuchControl)->parentWidget(), controlWidget(kTabPanel)->parentWidget());
    EXPECT_TRUE(controlWidget(kNewCustomerButton)->isVisible());
    EXPECT_FALSE(controlWidget(kNewArticleButton)->isVisible());
}

// The real box: the other windows wait while the owner's own controls stay as they are, and the keys
// desktop users know answer it.
TEST_F(ToolkitTest, RealMessageBoxBlocksTheOthersAndAnswersTheUsualKeys) {
    struct Case {
        const char* name;
        int flags;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int answer;
    };
    const Case cases[] = {
        {"Enter is Ja", kMessageYesNo, Qt::Key_Return, Qt::NoModifier, kAnswerYes},
        {"Escape is Nein", kMessageYesNo, Qt::Key_Escape, Qt::NoModifier, kAnswerNo},
        {"Alt+J", kMessageYesNo, Qt::Key_J, Qt::AltModifier, kAnswerYes},
        {"Alt+N", kMessageYesNo, Qt::Key_N, Qt::AltModifier, kAnswerNo},
        {"Enter is OK", kMessageOk, Qt::Key_Return, Qt::NoModifier, kAnswerOk},
        {"Escape is OK", kMessageOk, Qt::Key_Escape, Qt::NoModifier, kAnswerOk},
    };
    ASSERT_NE(openWindow(kMainWindow, 0, 0, 300, 200, "Haupt", kMainWindowFlags), 0);
    ASSERT_NE(openWindow(kDialogWindow, 0, 0, 200, 100, "Dialog", kWindowCentred, kMainWindow), 0);
    useControlList(kDialogWindow);
    ASSERT_NE(createTextField(kTaxNumberField, 0, 0, 100, 20, ""), 0);
    setMessageAnswerer({});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        activateWindow(kDialogWindow);
        ASSERT_TRUE(QTest::qWaitForWindowActive(windowWidget(kDialogWindow)));
        QStringList buttons;
        bool fieldEnabled = false;
        bool mainEnabled = true;
        int ticks = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            if (ticks++ > 0) {
                box->reject(); // the key did not answer it
                return;
            }
            for (QAbstractButton* button : box->buttons())
                buttons.append(button->text());
            fieldEnabled = controlWidget(kTaxNumberField)->isEnabled();
            mainEnabled = windowWidget(kMainWindow)->isEnabled();
            QTest::keyClick(box, c.key, c.modifiers);
        });
        // A mnemonic clicks its button after a short animation.
        timer.start(300);
        EXPECT_EQ(messageBox("Hinweis!", "Frage", c.flags), c.answer);
        EXPECT_EQ(ticks, 1) << "answered by the key";
        EXPECT_EQ(buttons.join(' ').toStdString(), c.flags == kMessageYesNo ? "&Ja &Nein" : "OK");
        EXPECT_TRUE(fieldEnabled);
        EXPECT_FALSE(mainEnabled);
        EXPECT_TRUE(windowWidget(kMainWindow)->isEnabled());
    }
}

// Centred by the outer size, menu bar included, on the screen's available area; a window larger than
// that area stands at its top-left corner.
TEST_F(ToolkitTest, CentredWindowsStandInTheMiddleOfTheAvailableArea) {
    struct Case {
        const char* name;
        QSize inner;
        bool menu;
    };
    const Case cases[] = {
        {"plain", {200, 350}, false},
        {"with a menu bar", {400, 300}, true},
        {"larger than the screen", {3000, 2000}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(openWindow(kMainWindow, 0, 0, c.inner.width(), c.inner.height(), "Haupt", kMainWindowFlags),
                  0);
        if (c.menu) {
            ASSERT_NE(createMenu(kMainMenu, kMainWindow), 0);
            menuTitle("File");
            menuItem(kSaveItem, "Save");
        }
        QWidget* window = windowWidget(kMainWindow);
        const QRect area = window->screen()->availableGeometry();
        const QRect outer = window->frameGeometry();
        ASSERT_GE(outer.height(), c.inner.height() + (c.menu ? 10 : 0));
        if (outer.width() > area.width()) {
            EXPECT_EQ(outer.topLeft(), area.topLeft());
            continue;
        }
        EXPECT_LE(std::abs((outer.left() - area.left()) - (area.right() - outer.right())), 1);
        EXPECT_LE(std::abs((outer.top() - area.top()) - (area.bottom() - outer.bottom())), 1);
    }
}

} // namespace
