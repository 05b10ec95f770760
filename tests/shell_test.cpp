// Start-up, the main window, close requests and the menu, driven through the real program.

#include "shell/aboutwindow.h"
#include "shell/dispatch.h"
#include "shell/mainwindow.h"
#include "state/shellstate.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_testing.h"

#include <QApplication>
#include <QTabWidget>

namespace {

const char* const kUnsavedQuestion = "Daten wurden nicht gespeichert! Sind Sie sicher?";

class ShellTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        start();
    }
    std::vector<std::string> titles(int list, int columns) {
        std::vector<std::string> out;
        for (int c = 0; c < columns; ++c)
            out.push_back(getCell(list, -1, c));
        return out;
    }
};

TEST_F(ShellTest, MainWindowHasItsTitlePagesAndColumns) {
    QWidget* main = windowWidget(kMainWindow);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->windowTitle().toStdString(), "Quillora 2006" + std::string(35, ' ') + "by MV");
    auto* tabs = qobject_cast<QTabWidget*>(controlWidget(kTabPanel));
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 5);
    EXPECT_EQ(tabs->tabText(0), "Kundendaten");
    EXPECT_EQ(tabs->tabText(1), "Artikeldaten");
    EXPECT_EQ(tabs->tabText(2), "Rechnungen");
    EXPECT_EQ(tabs->tabText(3), "Angebote");
    EXPECT_EQ(tabs->tabText(4), "Eingangsrechnungen");
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(titles(kCustomerList, 7),
              (std::vector<std::string>{"Anrede", "Name", "Vorname", "Zusatz", "Strasse", "Wohnort", ""}));
    EXPECT_EQ(titles(kArticleList, 5),
              (std::vector<std::string>{"Bezeichnung", "Kategorie", "Preis", "Beschreibung", ""}));
    // The status column stays hidden and untitled until there is a correction.
    EXPECT_EQ(titles(kInvoiceList, 12),
              (std::vector<std::string>{"Re. Nr.:", "Name", "Kd.-Nr.:", "Gesamtbetrag", "Datum", "Brutto", "",
                                        "F\xE4llig am", "Bezahlt", "Offen", "Zahlstatus", ""}));
    EXPECT_EQ(titles(kOfferList, 8), (std::vector<std::string>{"Ang. Nr.", "Name", "Kd.-Nr.", "Gesamtbetrag",
                                                               "Datum", "G\xFCltig bis", "Status", ""}));
    EXPECT_EQ(titles(kReceivedList, 6), (std::vector<std::string>{"Datum", "Lieferant", "Rechnungsnr.",
                                                                  "Zahlbetrag", "F\xE4llig am", ""}));
    EXPECT_EQ(controlWidget(kChangeCustomerButton)->toolTip(), QString::fromUtf8("Makierten Kunden ändern"));
    EXPECT_EQ(controlWidget(kCancelCorrectionButton)->toolTip(), "Die markierte Rechnung stornieren");
    EXPECT_TRUE(controlWidget(kNewCustomerButton)->isVisible());
    EXPECT_FALSE(controlWidget(kNewInvoiceButton)->isVisible());
}

TEST_F(ShellTest, InnerAreaIs800By600BelowTheMenu) {
    QWidget* main = windowWidget(kMainWindow);
    QWidget* tabs = controlWidget(kTabPanel);
    QWidget* inner = tabs->parentWidget();
    EXPECT_EQ(inner->size(), QSize(800, 600));
    EXPECT_GT(inner->y(), 0); // the menu bar stands above it
    EXPECT_EQ(main->height(), inner->y() + 600);
}

TEST_F(ShellTest, CloseAtOnceAfterStartAsksTheQuestion) {
    ASSERT_TRUE(requestClose(kMainWindow));
    EXPECT_EQ(dispatch(), 1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Hinweis!");
    EXPECT_EQ(messages[0].text, kUnsavedQuestion);
    EXPECT_EQ(messages[0].flags, kMessageYesNo);
    // Answered No: everything stays open and the next request asks again.
    EXPECT_EQ(shellState().quitFlag, 0);
    EXPECT_EQ(shellState().savedFlag, 0);
    EXPECT_TRUE(windowExists(kMainWindow));
    answerNext(kAnswerYes);
    ASSERT_TRUE(requestClose(kMainWindow));
    dispatch();
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(shellState().quitFlag, 1);
}

TEST_F(ShellTest, YesWithADialogOpenClosesBothAndEnds) {
    ASSERT_NE(openWindow(kDialogWindow, 100, 100, 200, 350, "Neuer Eintrag", kWindowCentred, kMainWindow), 0);
    answerNext(kAnswerYes);
    ASSERT_TRUE(requestClose(kMainWindow));
    dispatch();
    EXPECT_FALSE(windowExists(kDialogWindow));
    EXPECT_EQ(shellState().quitFlag, 1);
    EXPECT_EQ(shellState().savedFlag, 1);
}

TEST_F(ShellTest, CloseRequestOnADialog) {
    ASSERT_NE(openWindow(kDialogWindow, 100, 100, 200, 350, "Neuer Eintrag", kWindowCentred, kMainWindow), 0);
    // Unsaved and answered Yes: the dialog closes, the program goes on, later closes ask nothing.
    answerNext(kAnswerYes);
    ASSERT_TRUE(requestClose(kDialogWindow));
    dispatch();
    EXPECT_FALSE(windowExists(kDialogWindow));
    EXPECT_EQ(shellState().quitFlag, 0);
    EXPECT_EQ(shellState().savedFlag, 1);
    ASSERT_NE(openWindow(kDialogWindow, 100, 100, 200, 350, "Neuer Eintrag", kWindowCentred, kMainWindow), 0);
    ASSERT_TRUE(requestClose(kDialogWindow));
    dispatch();
    EXPECT_FALSE(windowExists(kDialogWindow));
    ASSERT_TRUE(requestClose(kMainWindow));
    dispatch();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(shellState().quitFlag, 1);
}

TEST_F(ShellTest, ExitAsksLikeTheCloseBox) {
    struct Case {
        const char* name;
        int savedFlag;
        int answer;
        int quitFlag;
    };
    const Case cases[] = {
        {"saved", 1, 0, 1},
        {"unsaved, Nein", 0, kAnswerNo, 0},
        {"unsaved, Ja", 0, kAnswerYes, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        shellState().savedFlag = c.savedFlag;
        shellState().quitFlag = 0;
        if (c.answer)
            answerNext(c.answer);
        ASSERT_TRUE(chooseMenuItem("E&xit"));
        dispatch();
        ASSERT_EQ(messages.size(), c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_EQ(messages[0].text, kUnsavedQuestion);
        }
        EXPECT_EQ(shellState().quitFlag, c.quitFlag);
    }
}

TEST_F(ShellTest, AboutWindowOpensOnceAndCloses) {
    ASSERT_TRUE(chooseMenuItem("About"));
    dispatch();
    ASSERT_TRUE(windowExists(kAboutWindow));
    EXPECT_EQ(windowWidget(kAboutWindow)->windowTitle(), "About Quillora");
    EXPECT_EQ(transientOwner(windowWidget(kAboutWindow)), windowWidget(kMainWindow));
    ASSERT_TRUE(chooseMenuItem("About"));
    dispatch();
    int aboutWindows = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        aboutWindows += (w->isWindow() && w->windowTitle() == "About Quillora") ? 1 : 0;
    EXPECT_EQ(aboutWindows, 1);
    ASSERT_TRUE(clickButton(kAboutCloseButton));
    dispatch();
    EXPECT_FALSE(windowExists(kAboutWindow));
    EXPECT_EQ(shellState().quitFlag, 0);
}

// A character the files cannot hold is named when OK is pressed; nothing is taken, the dialog stays.
TEST_F(ShellTest, ACharacterOutsideTheCodePageIsRefusedByName) {
    struct Case {
        const char* name;
        bool (*open)();
        int field;
        int ok;
        const char* typed;
        std::string named; // as the answerer gets it: the character's UTF-8 bytes
    };
    const Case cases[] = {
        {"customer", [] { return clickButton(kNewCustomerButton); }, kNewCustomerFirstField + 1,
         kNewCustomerOkButton, "Dvo\u0159\u00e1k", "\xC5\x99"},
        {"options, an emoji", [] { return chooseMenuItem("Algemeine Einstellungen"); }, kLogoLine1Field,
         kSaveOptionsButton, "Gl\u00fcck \U0001F600", "\xF0\x9F\x98\x80"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.open());
        dispatch();
        ASSERT_TRUE(typeInto(c.field, QString::fromUtf8(c.typed)));
        messages.clear();
        ASSERT_TRUE(clickButton(c.ok));
        dispatch();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, "Das Zeichen \x84" + c.named + "\x93 kann nicht gespeichert werden.");
        EXPECT_TRUE(windowExists(kDialogWindow));
        EXPECT_EQ(rowCount(kCustomerList) + rowCount(kArticleList), 0);
        closeWindow(kDialogWindow);
    }
}

TEST_F(ShellTest, IgnoredEventsDoNothing) {
    EXPECT_FALSE(dispatchEvent(42));
    EXPECT_FALSE(dispatchEvent(NoEvent));
    EXPECT_EQ(shellState().quitFlag, 0);
}

} // namespace
