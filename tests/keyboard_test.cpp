// The keyboard as on every German desktop: the menus by Alt, saving by Ctrl+S, Enter and Escape in
// every dialog, the first field's focus and the Tab order of the new-invoice window.

#include "shell/mainwindow.h"
#include "state/shellstate.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_testing.h"

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>

#include <functional>
#include <vector>

namespace {

class KeyboardTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        writeData("Daten.dat", "1\r\nHerr|Beispiel|Max||Weg 1|Ort\r\n1\r\nSchraube|Teile|0,50|M6\r\n0\r\n");
        start();
    }
    static void press(int button) {
        ASSERT_TRUE(clickButton(button));
        dispatch();
    }
};

TEST_F(KeyboardTest, AltOpensTheMenusAndCtrlSSaves) {
    QStringList captions;
    for (const QAction* title : windowWidget(kMainWindow)->findChild<QMenuBar*>()->actions())
        captions << QString(title->text()).remove('&');
    EXPECT_EQ(captions, (QStringList{"File", "Option", "Buchhaltung", "Help"}));
    // Separators read "".
    const std::pair<int, QStringList> menus[] = {
        {Qt::Key_F,
         {"Save", QString::fromUtf8("E-Rechnung öffnen..."), "", "Suchen...", "Liste drucken...",
          "Liste exportieren (CSV)...", QString::fromUtf8("Fällige Serienrechnungen..."), "",
          "Datensicherung...", QString::fromUtf8("Datensicherung zurückspielen..."), "", "Exit"}},
        {Qt::Key_O,
         {"Algemeine Einstellungen", "Firmendaten (E-Rechnung)", QString::fromUtf8("Archiv prüfen")}},
        {Qt::Key_B,
         {"DATEV-Export...", QString::fromUtf8("Umsatzsteuer-Übersicht..."),
          QString::fromUtf8("Datenexport für die Betriebsprüfung...")}},
        {Qt::Key_H, {"About"}}};
    for (const auto& [key, items] : menus) {
        SCOPED_TRACE(items.first().toStdString());
        ASSERT_TRUE(pressKey(kMainWindow, key, Qt::AltModifier));
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        QStringList texts;
        for (const QAction* action : menu->actions())
            texts << QString(action->text()).remove('&');
        EXPECT_EQ(texts.join(" / ").toStdString(), items.join(" / ").toStdString());
        menu->close();
    }
    ASSERT_TRUE(QFile::remove(QString::fromStdString(dataPath("Daten.dat"))));
    ASSERT_TRUE(pressKey(kMainWindow, Qt::Key_S, Qt::ControlModifier));
    dispatch();
    EXPECT_EQ(shellState().savedFlag, 1);
    EXPECT_EQ(readData("Daten.dat").substr(0, 3), "1\r\n");
    EXPECT_TRUE(messages.empty());
}

// Enter presses the dialog's "OK" (or its one button); Escape asks to close it as its close box would.
TEST_F(KeyboardTest, EnterPressesOkAndEscapeClosesEveryDialog) {
    struct Case {
        const char* name;
        std::function<void()> open;
        int window;
        /// The list Enter changes, or -1 for none, and by how many rows.
        int list;
        int added;
        /// Enter runs a search and leaves the window open.
        bool searches = false;
    };
    const Case cases[] = {
        {"new customer",
         [] {
             press(kNewCustomerButton);
             ASSERT_TRUE(typeInto(kNewCustomerFirstField + 1, "Neu"));
         },
         kDialogWindow, kCustomerList, 1},
        {"changed article",
         [] {
             setState(kTabPanel, kArticlesPage);
             ASSERT_TRUE(selectRow(kArticleList, 0));
             press(kChangeArticleButton);
             ASSERT_TRUE(typeInto(kChangeArticleFirstField, "Mutter"));
         },
         kDialogWindow, kArticleList, 0},
        {"line dialog",
         [] {
             press(kNewInvoiceButton);
             press(kNewLineButton);
             ASSERT_TRUE(selectRow(kArticlePicks, 0));
             dispatch();
             ASSERT_TRUE(typeInto(kQuantityField, "2"));
         },
         kLineDialog, kLinesList, 1},
        {"options",
         [] {
             ASSERT_TRUE(chooseMenuItem("Algemeine Einstellungen"));
             dispatch();
             ASSERT_TRUE(typeInto(kLogoLine1Field, "Firma"));
         },
         kDialogWindow, -1, 0},
        {"about",
         [] {
             ASSERT_TRUE(chooseMenuItem("About"));
             dispatch();
         },
         kAboutWindow, -1, 0},
        {"company data",
         [] {
             ASSERT_TRUE(chooseMenuItem("Firmendaten (E-Rechnung)"));
             dispatch();
             ASSERT_TRUE(typeInto(kCompanyFirstField, "Holzwerk"));
         },
         kDialogWindow, -1, 0},
        {"customer e-invoice data",
         [] {
             ASSERT_TRUE(selectRow(kCustomerList, 0));
             press(kCustomerEInvoiceButton);
         },
         kDialogWindow, -1, 0},
        {"search",
         [] {
             setState(kTabPanel, kCustomersPage);
             ASSERT_TRUE(chooseMenuItem("Suchen..."));
             dispatch();
             ASSERT_TRUE(typeInto(kFindField, "Beispiel"));
         },
         kSearchWindow, -1, 0, true},
    };
    for (const Case& c : cases) {
        for (const int key : {Qt::Key_Escape, Qt::Key_Return}) {
            SCOPED_TRACE(std::string(c.name) + (key == Qt::Key_Return ? ", Enter" : ", Escape"));
            const int rows = rowCount(c.list);
            c.open();
            ASSERT_TRUE(windowExists(c.window));
            const bool asked = key == Qt::Key_Escape && c.window == kDialogWindow;
            messages.clear();
            shellState().savedFlag = 0;
            if (asked)
                answerNext(kAnswerYes);
            ASSERT_TRUE(pressKey(c.window, key));
            dispatch();
            EXPECT_EQ(windowExists(c.window), c.searches && key == Qt::Key_Return);
            EXPECT_EQ(windowExists(kDialogWindow), c.window == kLineDialog);
            EXPECT_EQ(messages.size(), asked ? 1u : 0u);
            EXPECT_EQ(rowCount(c.list), rows + (key == Qt::Key_Return ? c.added : 0));
            EXPECT_EQ(shellState().quitFlag, 0);
            closeWindow(kDialogWindow);
            closeWindow(kSearchWindow);
        }
    }
    EXPECT_EQ(getCell(kArticleList, 0, 0), "Mutter");
    EXPECT_EQ(readData("Option.ini").substr(0, 7), "Firma\r\n");
    EXPECT_EQ(readData("Firma.ini").substr(0, 20), "Firmenname=Holzwerk\r");
    EXPECT_EQ(shellState().lastSearch, "Beispiel");
}

TEST_F(KeyboardTest, NewDialogsOpenWithTheFocusInTheirFirstField) {
    for (const auto& [button, field] : {std::pair{kNewCustomerButton, kNewCustomerFirstField},
                                        std::pair{kNewArticleButton, kNewArticleFirstField}}) {
        press(button);
        EXPECT_EQ(windowWidget(kDialogWindow)->focusWidget(), controlWidget(field)) << field;
    }
}

TEST_F(KeyboardTest, TabFollowsTheReadingOrderOfTheNewInvoiceWindow) {
    press(kNewInvoiceButton);
    const std::vector<int> expected = {kCustomerPicks,      kNewLineButton,       kDeleteLineButton,
                                       kLinesList,          kCancelInvoiceButton, kDeliveryNoteButton,
                                       kCreateInvoiceButton};
    std::vector<int> order;
    QWidget* w = controlWidget(kCustomerPicks);
    for (int steps = 0; steps < 200 && order.size() < expected.size(); ++steps, w = w->nextInFocusChain()) {
        for (const int number : expected) {
            if (controlWidget(number) == w && (order.empty() || order.back() != number))
                order.push_back(number);
        }
    }
    EXPECT_EQ(order, expected);
}

} // namespace
