// The toolkit's windows, list semantics and events, driven through the real widgets.

#include "runtime/toolkit.h"
#include "runtime/toolkit_testing.h"
#include "support/testenv.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

namespace {

class ToolkitTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_NE(openWindow(1, 0, 0, 400, 300, "Test", kWindowCentred), 0);
        ASSERT_NE(useControlList(1), 0);
    }
    void makeThreeColumnList() {
        ASSERT_NE(createReportList(19, 0, 0, 300, 200, "A", 50, kReportListFlags), 0);
        addColumn(19, 2, "B", 50);
        addColumn(19, 3, "C", 50);
    }
};

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
        addRow(19, -1, c.text);
        const int row = rowCount(19) - 1;
        for (int col = 0; col < 3; ++col)
            EXPECT_EQ(getCell(19, row, col), c.cells[static_cast<std::size_t>(col)]);
        EXPECT_EQ(getCell(19, row, 3), "");
    }
}

TEST_F(ToolkitTest, RowMinusOneIsTheColumnTitles) {
    makeThreeColumnList();
    EXPECT_EQ(getCell(19, -1, 0), "A");
    EXPECT_EQ(getCell(19, -1, 2), "C");
    setCell(19, -1, "Neu", 1);
    EXPECT_EQ(getCell(19, -1, 1), "Neu");
    EXPECT_EQ(getState(19), -1);
}

TEST_F(ToolkitTest, ColumnsAddedPastTheEndAppend) {
    ASSERT_NE(createReportList(15, 0, 0, 300, 200, "Anrede", 60, kReportListFlags), 0);
    const char* titles[] = {"Name", "Vorname", "Zusatz", "Strasse", "Wohnort"};
    for (int i = 0; i < 5; ++i)
        addColumn(15, i + 2, titles[i], 80);
    EXPECT_EQ(getCell(15, -1, 0), "Anrede");
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(getCell(15, -1, i + 1), titles[i]);
    addColumn(15, 0, "Erste", 10);
    EXPECT_EQ(getCell(15, -1, 0), "Erste");
    EXPECT_EQ(getCell(15, -1, 1), "Anrede");
}

TEST_F(ToolkitTest, OutOfRangeNeverFails) {
    makeThreeColumnList();
    addRow(19, 5, "x"); // past the end appends
    addRow(19, -1, "y");
    EXPECT_EQ(rowCount(19), 2);
    EXPECT_EQ(getCell(19, 0, 0), "x");
    EXPECT_EQ(getCell(19, 2, 0), "");
    EXPECT_EQ(getCell(19, 0, 7), "");
    EXPECT_EQ(getCell(19, -2, 0), "");
    removeRow(19, -1);
    removeRow(19, 2);
    EXPECT_EQ(rowCount(19), 2);
    setCell(19, 9, "z", 0);
    EXPECT_EQ(getCell(999, 0, 0), "");
    EXPECT_EQ(getState(999), 0);
    EXPECT_EQ(rowCount(999), 0);
}

TEST_F(ToolkitTest, RemovedRowComesBackInItsPlace) {
    makeThreeColumnList();
    for (const char* t : {"r0", "r1", "r2", "r3"})
        addRow(19, -1, t);
    removeRow(19, 2);
    EXPECT_EQ(getCell(19, 2, 0), "r3");
    addRow(19, 2, "r2 neu");
    EXPECT_EQ(getCell(19, 1, 0), "r1");
    EXPECT_EQ(getCell(19, 2, 0), "r2 neu");
    EXPECT_EQ(getCell(19, 3, 0), "r3");
}

// Appended rows reach the view in one piece with the next turn of the event loop; the program reads
// them at once, and any other change first brings the view up to date, so view and rows never differ.
TEST_F(ToolkitTest, AppendedRowsReachTheViewTogether) {
    makeThreeColumnList();
    auto* view = qobject_cast<QAbstractItemView*>(controlWidget(19));
    ASSERT_NE(view, nullptr);
    QSignalSpy inserted(view->model(), &QAbstractItemModel::rowsInserted);
    for (int i = 0; i < 1000; ++i)
        addRow(19, -1, std::to_string(i).append("\nb"));
    EXPECT_EQ(rowCount(19), 1000);
    EXPECT_EQ(getCell(19, 999, 1), "b");
    setCell(19, 998, "ge\xE4ndert", 2);
    EXPECT_EQ(getCell(19, 998, 2), "ge\xE4ndert");
    EXPECT_EQ(view->model()->rowCount(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(view->model()->rowCount(), 1000);
    EXPECT_EQ(view->model()->index(998, 2).data().toString(), QString::fromUtf8("geändert"));

    // A removal, an insertion in the middle and a selection each catch the view up first.
    addRow(19, -1, "r1000");
    addRow(19, -1, "r1001");
    removeRow(19, 1000);
    EXPECT_EQ(view->model()->rowCount(), 1001);
    EXPECT_EQ(view->model()->index(1000, 0).data().toString(), "r1001");
    addRow(19, -1, "r1002");
    addRow(19, 5, "mitte");
    EXPECT_EQ(view->model()->rowCount(), 1003);
    EXPECT_EQ(getCell(19, 1002, 0), "r1002");
    addRow(19, -1, "letzte");
    setState(19, 1003);
    EXPECT_EQ(getState(19), 1003);
    EXPECT_EQ(view->model()->rowCount(), 1004);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    EXPECT_EQ(view->model()->rowCount(), 1004);
}

TEST_F(ToolkitTest, SelectionFollowsClicksAndRemoval) {
    makeThreeColumnList();
    for (const char* t : {"r0", "r1", "r2"})
        addRow(19, -1, t);
    EXPECT_EQ(getState(19), -1);
    ASSERT_TRUE(selectRow(19, 1));
    EXPECT_EQ(getState(19), 1);
    removeRow(19, 1);
    EXPECT_EQ(getState(19), -1);
}

TEST_F(ToolkitTest, PickListReportsSelectionAndDoubleClick) {
    ASSERT_NE(createPickList(310, 0, 0, 100, 80), 0);
    addRow(310, -1, "Meier");
    addRow(310, -1, "Schulz");
    ASSERT_TRUE(selectRow(310, 1));
    ASSERT_EQ(pollEvent(), ControlEvent);
    EXPECT_EQ(eventControl(), 310);
    EXPECT_EQ(eventType(), 0);
    EXPECT_EQ(eventWindow(), 1);
    EXPECT_EQ(getState(310), 1);
    while (pollEvent() != NoEvent) {
    }
    ASSERT_TRUE(doubleClickRow(310, 0));
    std::vector<int> types;
    while (pollEvent() == ControlEvent)
        types.push_back(eventType());
    // The first click changes the selection, then the double click reports sub-type 2.
    ASSERT_FALSE(types.empty());
    EXPECT_EQ(types.front(), 0);
    EXPECT_EQ(types.back(), 2);
    EXPECT_EQ(getCell(310, 0, 0), "Meier");
}

TEST_F(ToolkitTest, TextFieldsHoldWindows1252Bytes) {
    ASSERT_NE(createTextField(1000, 0, 0, 100, 20, "M\xFCller"), 0);
    EXPECT_EQ(getText(1000), "M\xFCller");
    ASSERT_TRUE(typeInto(1000, QString::fromUtf8("Straße 5 € \u4E2D")));
    // The euro sign is byte 128; a character Windows-1252 cannot hold becomes "?".
    EXPECT_EQ(getText(1000), "Stra\xDF"
                             "e 5 \x80 ?");
    setForbiddenCharacters(1000, "|");
    ASSERT_TRUE(typeInto(1000, "a|b"));
    EXPECT_EQ(getText(1000), "ab");
    auto* edit = qobject_cast<QLineEdit*>(controlWidget(1000));
    edit->selectAll();
    edit->insert("x|y|z"); // a paste goes through the same edit path
    edit->textEdited(edit->text());
    EXPECT_EQ(getText(1000), "xyz");
}

TEST_F(ToolkitTest, TextAreaLines) {
    ASSERT_NE(createTextArea(6010, 0, 0, 120, 80), 0);
    EXPECT_EQ(rowCount(6010), 0);
    for (int i = 0; i < 5; ++i)
        addRow(6010, i, "Zeile " + std::to_string(i));
    EXPECT_EQ(rowCount(6010), 5);
    EXPECT_EQ(getCell(6010, 0, 0), "Zeile 0");
    EXPECT_EQ(getCell(6010, 4, 0), "Zeile 4");
    EXPECT_EQ(getCell(6010, 5, 0), "");
    addRow(6010, 0, "oben");
    EXPECT_EQ(getCell(6010, 0, 0), "oben");
    EXPECT_EQ(getCell(6010, 1, 0), "Zeile 0");
}

TEST_F(ToolkitTest, TextAreaKeepsEmptyLinesInsertedOneByOne) {
    ASSERT_NE(createTextArea(6011, 0, 0, 120, 80), 0);
    const char* lines[] = {"", "", "mitte", "", ""};
    for (int i = 0; i < 5; ++i)
        addRow(6011, i, lines[i]);
    ASSERT_EQ(rowCount(6011), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(getCell(6011, i, 0), lines[i]);
    for (int i = 0; i < 5; ++i)
        removeRow(6011, 0);
    EXPECT_EQ(rowCount(6011), 0);
    addRow(6011, -1, "");
    EXPECT_EQ(rowCount(6011), 1);
}

TEST_F(ToolkitTest, CheckBoxAndSliderStates) {
    ASSERT_NE(createCheckBox(6017, 0, 0, 20, 20, ""), 0);
    ASSERT_NE(createSlider(6001, 0, 30, 150, 20, -4, 3, kSliderTicks), 0);
    EXPECT_EQ(getState(6017), 0);
    setState(6017, 2);
    EXPECT_EQ(getState(6017), 1);
    QTest::mouseClick(controlWidget(6017), Qt::LeftButton);
    EXPECT_EQ(getState(6017), 0);
    EXPECT_EQ(getState(6001), 0);
    setState(6001, 7);
    EXPECT_EQ(getState(6001), 3);
    setState(6001, -1);
    EXPECT_EQ(getState(6001), 0);
}

TEST_F(ToolkitTest, ButtonClickIsQueuedNotRun) {
    ASSERT_NE(createPushButton(5100, 0, 0, 30, 30, "OK"), 0);
    ASSERT_TRUE(clickButton(5100));
    EXPECT_EQ(queuedEventCount(), 1);
    ASSERT_EQ(pollEvent(), ControlEvent);
    EXPECT_EQ(eventControl(), 5100);
    EXPECT_EQ(eventWindow(), 1);
    EXPECT_EQ(pollEvent(), NoEvent);
}

TEST_F(ToolkitTest, ReopeningANumberReplacesTheWindowAndFreesItsControls) {
    ASSERT_NE(createPushButton(1100, 0, 0, 30, 30, "OK"), 0);
    ASSERT_NE(openWindow(1, 0, 0, 200, 100, "Zweites", kWindowCentred), 0);
    EXPECT_EQ(controlWidget(1100), nullptr);
    EXPECT_EQ(windowWidget(1)->windowTitle(), "Zweites");
    useControlList(1);
    EXPECT_NE(createPushButton(1100, 0, 0, 30, 30, "OK"), 0);
}

TEST_F(ToolkitTest, ClosingAnOwnerClosesWhatItOwns) {
    ASSERT_NE(openWindow(2, 0, 0, 450, 160, "Neuer Rechnungseintrag", kWindowCentred, 1), 0);
    useControlList(2);
    createTextField(5001, 0, 0, 40, 20, "");
    EXPECT_EQ(closeWindow(1), 1);
    EXPECT_FALSE(windowExists(1));
    EXPECT_FALSE(windowExists(2));
    EXPECT_EQ(controlWidget(5001), nullptr);
    EXPECT_EQ(closeWindow(1), 0);
}

TEST_F(ToolkitTest, CloseRequestLeavesTheWindowOpen) {
    ASSERT_TRUE(requestClose(1));
    EXPECT_TRUE(windowExists(1));
    EXPECT_TRUE(windowWidget(1)->isVisible());
    ASSERT_EQ(pollEvent(), CloseRequest);
    EXPECT_EQ(eventWindow(), 1);
}

TEST_F(ToolkitTest, WindowsHaveFixedSizeAndNoMinimiseBox) {
    QWidget* w = windowWidget(1);
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(w->windowFlags() & Qt::WindowCloseButtonHint);
    ASSERT_NE(openWindow(0, 0, 0, 800, 600, "Haupt", 0xC80001), 0);
    EXPECT_TRUE(windowWidget(0)->windowFlags() & Qt::WindowCloseButtonHint);
}

TEST_F(ToolkitTest, MessageBoxDisablesTheOtherWindowsMeanwhile) {
    ASSERT_NE(openWindow(0, 0, 0, 300, 200, "Haupt", 0xC80001), 0);
    ASSERT_NE(openWindow(20, 0, 0, 220, 100, "About", kWindowCentred), 0);
    windowWidget(20)->setEnabled(false);
    int enabledDuringBox = -1;
    setMessageAnswerer([&](const std::string&, const std::string&, int) {
        // Only the box's owner, if any, may still take input.
        enabledDuringBox = int(windowWidget(0)->isEnabled()) + int(windowWidget(1)->isEnabled());
        return kAnswerYes;
    });
    EXPECT_EQ(messageBox("Hinweis!", "Frage", kMessageYesNo), kAnswerYes);
    EXPECT_LE(enabledDuringBox, 1);
    EXPECT_GE(enabledDuringBox, 0);
    EXPECT_TRUE(windowWidget(0)->isEnabled());
    EXPECT_TRUE(windowWidget(1)->isEnabled());
    // A window that was disabled before the box stays disabled.
    EXPECT_FALSE(windowWidget(20)->isEnabled());
}

TEST_F(ToolkitTest, TabPagesBecomeTheContainer) {
    ASSERT_NE(createTabPanel(0, 8, 8, 380, 280), 0);
    addRow(0, -1, "Eins");
    createPushButton(100, 10, 15, 80, 24, "Neu");
    addRow(0, -1, "Zwei");
    createPushButton(110, 10, 15, 80, 24, "Neu");
    closeControlList();
    createPushButton(5, 0, 0, 10, 10, "x");
    EXPECT_EQ(rowCount(0), 2);
    EXPECT_EQ(controlWidget(100)->parentWidget()->parentWidget()->parentWidget(), controlWidget(0));
    EXPECT_EQ(controlWidget(5)->parentWidget(), controlWidget(0)->parentWidget());
    EXPECT_TRUE(controlWidget(100)->isVisible());
    EXPECT_FALSE(controlWidget(110)->isVisible());
}

} // namespace
