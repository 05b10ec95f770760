// Finding rows: the search over the shown columns of a list (order, wrap, case folding on the
// Windows-1252 bytes, hidden columns), the prefix search, and the search window of the real program.

#include "runtime/listsearch.h"
#include "state/shellstate.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_testing.h"

#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QWindow>
#include <array>

namespace {

class ListSearchTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        // Anrede|Name|Vorname|Zusatz|Strasse|Wohnort; row 250 lies far down the list.
        std::string rows = "Herr|M\xFCller|Hans||Hauptstra\xDF"
                           "e 1|K\xF6ln\r\nFrau|Schmidt|Anna||Weg|Berlin\r\n"
                           "Herr|M\xDCLLER|Karl||Weg|Bonn\r\nFrau|Wei\xDF|Erika|c/o Strasse|Weg|Essen\r\n"
                           "Herr|\xC9"
                           "clair|Jean||Rue 2\xF7"
                           "4 \xC0 gauche|D\xFCren\r\n";
        for (int i = 5; i < 300; ++i)
            rows += i == 250 ? "Frau|M\xFCllerin|Eva||Weg|Ort\r\n" : "Herr|Kunde|Max||Weg|Ort\r\n";
        writeData("Daten.dat", "300\r\n" + rows + "0\r\n0\r\n");
        writeData("ReData.dat", "7|M\xFCller|1|12,50|01.12.2026\r\n8|Schmidt|2|3,00|02.12.2026\r\n");
        start();
        // Hidden as the view hides a column: "Zusatz" is no longer shown, so not searched.
        qobject_cast<QTableView*>(controlWidget(kCustomerList))->setColumnHidden(3, true);
    }
    int selected() const { return getState(kCustomerList); }
    static void pressF3(int window) {
        // A shortcut takes its keys only in the active window.
        windowWidget(window)->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(windowWidget(window)));
        QTest::keyClick(windowWidget(window), Qt::Key_F3);
        dispatch();
    }
    void findNext(const char* text) {
        ASSERT_TRUE(typeInto(kFindField, QString::fromLatin1(text)));
        ASSERT_TRUE(clickButton(kFindNextButton));
        dispatch();
    }
};

TEST_F(ListSearchTest, FindsRowsIgnoringCase) {
    struct Case {
        const char* name;
        int after;
        const char* text;
        int expected;
    };
    const Case containing[] = {
        {"from the first row", -1, "m\xFCller", 0},
        {"after the selected row, capital umlaut", 0, "m\xFCller", 2},
        {"a match inside a cell", 2, "m\xFCller", 250},
        {"wraps to the first row", 250, "m\xFCller", 0},
        {"the selected row comes last", 1, "SCHMIDT", 1},
        {"past the end starts at the top", 999, "m\xFCller", 0},
        {"small umlaut finds capital", -1, "K\xD6LN", 0},
        {"accented capital", -1,
         "\xE9"
         "CLAIR",
         4},
        {"the first accented capital", -1, "\xE0 GAUCHE", 4},
        {"ss is not sharp s", -1, "hauptstrasse", -1},
        {"sharp s is not ss", 0,
         "STRA\xDF"
         "E",
         0},
        {"times is no capital of divided by", -1,
         "2\xD7"
         "4",
         -1},
        {"hidden column not searched", -1, "c/o", -1},
        {"no match", -1, "Meier", -1},
        {"empty text searches nothing", -1, "", -1},
    };
    for (const Case& c : containing)
        EXPECT_EQ(findRowContaining(kCustomerList, c.after, c.text), c.expected) << c.name;
    // Prefixes of the name or the first name; "after" is not used.
    const std::array<int, 2> names = {1, 2};
    const Case prefixes[] = {
        {"name", 0, "m\xFC", 0},
        {"whole name in capitals", 0, "M\xDCLLER", 0},
        {"first name", 0, "kar", 2},
        {"not at the start", 0, "\xFCller", -1},
        {"longer than the cell", 0, "Schmidtke", -1},
        {"empty prefix", 0, "", -1},
    };
    for (const Case& c : prefixes)
        EXPECT_EQ(findRowStartingWith(kCustomerList, names, c.text), c.expected) << c.name;
}

TEST_F(ListSearchTest, SearchWindowSelectsShowsAndRepeats) {
    // F3 before any search opens the window; its close request just closes it.
    pressF3(kMainWindow);
    ASSERT_TRUE(windowExists(kSearchWindow));
    EXPECT_EQ(windowWidget(kSearchWindow)->windowTitle(), "Suchen");
    EXPECT_EQ(windowWidget(kSearchWindow)->windowHandle()->transientParent(),
              windowWidget(kMainWindow)->windowHandle());
    ASSERT_TRUE(requestClose(kSearchWindow));
    dispatch();
    EXPECT_FALSE(windowExists(kSearchWindow));
    EXPECT_EQ(shellState().quitFlag, 0);

    ASSERT_TRUE(chooseMenuItem("Suchen..."));
    dispatch();
    ASSERT_TRUE(typeInto(kFindField, QString::fromUtf8("müller")));
    QTest::keyClick(controlWidget(kFindField), Qt::Key_Return);
    dispatch();
    EXPECT_EQ(selected(), 0);
    findNext("m\xFCller");
    EXPECT_EQ(selected(), 2);
    pressF3(kMainWindow);
    ASSERT_EQ(selected(), 250);
    auto* view = qobject_cast<QTableView*>(controlWidget(kCustomerList));
    EXPECT_TRUE(view->viewport()->rect().contains(view->visualRect(view->model()->index(250, 1))));
    pressF3(kSearchWindow);
    EXPECT_EQ(selected(), 0);
    EXPECT_TRUE(messages.empty());

    findNext("Meier");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Hinweis!");
    EXPECT_EQ(messages[0].text, "Nicht gefunden: Meier");
    EXPECT_EQ(selected(), 0);
    // The page showing decides the list.
    setState(kTabPanel, kInvoicesPage);
    findNext("schmidt");
    EXPECT_EQ(getState(kInvoiceList), 1);
    EXPECT_EQ(selected(), 0);
}

} // namespace
