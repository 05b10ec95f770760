// Adding, changing and deleting customers and articles through the real dialogs, then checking the
// lists, the flags and the saved Daten.dat.

#include "runtime/diskops.h"
#include "shell/mainwindow.h"
#include "state/customeredit.h"
#include "state/invoicestate.h"
#include "state/shellstate.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_testing.h"

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using Row = std::vector<std::string>;

const std::string kTwoCustomersThreeArticles = "2\r\n"
                                               "Herr|M\xFCller|Hans||Hauptstr. 1|12345 Stadt\r\n"
                                               "Frau|Schulz|Eva|Apt. 3|Weg 2|54321 Dorf\r\n"
                                               "5\r\n"
                                               "A1|K1|1,00|B1\r\n"
                                               "A2|K2|2,00|B2\r\n"
                                               "A3|K3|3,00|B3\r\n"
                                               "A4|K4|4,00|B4\r\n"
                                               "A5|K5|5,00|B5\r\n"
                                               "7\r\n";

Row rowOf(int list, int row, int columns) {
    Row cells;
    for (int c = 0; c < columns; ++c)
        cells.push_back(getCell(list, row, c));
    return cells;
}

Row fieldTexts(int firstField, int count) {
    Row texts;
    for (int i = 0; i < count; ++i)
        texts.push_back(getText(firstField + i));
    return texts;
}

void typeAll(int firstField, const std::vector<QString>& texts) {
    for (std::size_t i = 0; i < texts.size(); ++i)
        ASSERT_TRUE(typeInto(firstField + static_cast<int>(i), texts[i]));
}

class MaintenanceTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        resetDiskFaults();
        writeData("Daten.dat", kTwoCustomersThreeArticles);
        start();
        resetCustomerEdit();
    }
    void TearDown() override {
        resetDiskFaults();
        ProgramTest::TearDown();
    }
    static void click(int button) {
        ASSERT_TRUE(clickButton(button));
        dispatch();
    }
    static void showArticles() { setState(kTabPanel, kArticlesPage); }
    static Row column(int list, int c) {
        Row cells;
        for (int r = 0; r < rowCount(list); ++r)
            cells.push_back(getCell(list, r, c));
        return cells;
    }
    static Row currentArticle() {
        const InvoiceState& state = invoiceState();
        return {state.articleName, state.articleCategory, state.unitPriceText, state.articleDescription};
    }
};

struct FieldLayout {
    int number;
    QRect field;
    const char* caption;
    QRect label;
};

struct DialogLayout {
    const char* name;
    int openButton;
    const char* title;
    QSize inner;
    int okButton;
    QRect ok;
    std::vector<FieldLayout> fields;
    /// Captions beside the fields: an article's USt-Satz, Steuerkategorie and Einheit.
    std::size_t moreLabels = 0;
};

std::vector<FieldLayout> customerFields(int first) {
    return {{first, {10, 30, 50, 20}, "Anrede", {10, 10, 50, 20}},
            {first + 1, {10, 80, 100, 20}, "Name", {10, 60, 100, 20}},
            {first + 2, {10, 130, 120, 20}, "Vorname", {10, 110, 120, 20}},
            {first + 3, {10, 180, 120, 20}, "Zusatz", {10, 160, 120, 20}},
            {first + 4, {10, 230, 180, 20}, "Strasse", {10, 210, 180, 20}},
            {first + 5, {10, 280, 180, 20}, "Wohnort", {10, 260, 180, 20}}};
}

std::vector<FieldLayout> articleFields(int first) {
    return {{first, {10, 30, 100, 20}, "Bezeichnung", {10, 10, 100, 20}},
            {first + 1, {10, 80, 120, 20}, "Kategorie", {10, 60, 120, 20}},
            {first + 2, {10, 130, 40, 20}, "Preis", {10, 110, 40, 20}},
            {first + 3, {10, 180, 220, 20}, "Beschreibung", {10, 160, 180, 20}}};
}

TEST_F(MaintenanceTest, TheFourDialogsHaveTheirTitlesFieldsAndPlaces) {
    const std::vector<DialogLayout> dialogs = {
        {"new customer", 100, "Neuer Eintrag", {200, 350}, 1100, {10, 310, 30, 30}, customerFields(1000)},
        {"change customer",
         102,
         "Personendaten editieren",
         {200, 350},
         2100,
         {10, 310, 30, 30},
         customerFields(2000)},
        {"new article", 110, "Neuer Eintrag", {250, 250}, 3100, {10, 210, 30, 30}, articleFields(3000), 3},
        {"change article",
         112,
         "Artikeldaten editieren",
         {250, 250},
         4100,
         {10, 210, 30, 30},
         articleFields(4000),
         3},
    };
    for (const DialogLayout& d : dialogs) {
        SCOPED_TRACE(d.name);
        setState(kCustomerList, 0);
        setState(kArticleList, 0);
        click(d.openButton);
        QWidget* window = windowWidget(kDialogWindow);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle().toStdString(), d.title);
        EXPECT_EQ(transientOwner(window), windowWidget(kMainWindow));
        EXPECT_FALSE(window->windowFlags() & Qt::WindowCloseButtonHint);
        ASSERT_NE(controlWidget(d.okButton), nullptr);
        EXPECT_EQ(controlWidget(d.okButton)->parentWidget()->size(), d.inner);
        EXPECT_EQ(controlWidget(d.okButton)->geometry(), d.ok);
        EXPECT_EQ(getText(d.okButton), "OK");
        std::map<std::string, QRect> labels;
        for (const QLabel* label : window->findChildren<QLabel*>())
            labels[label->text().toStdString()] = label->geometry();
        EXPECT_EQ(labels.size(), d.fields.size() + d.moreLabels);
        for (const FieldLayout& f : d.fields) {
            SCOPED_TRACE(f.caption);
            ASSERT_NE(qobject_cast<QLineEdit*>(controlWidget(f.number)), nullptr);
            EXPECT_EQ(controlWidget(f.number)->geometry(), f.field);
            EXPECT_EQ(labels[f.caption], f.label);
        }
    }
}

TEST_F(MaintenanceTest, ANewCustomerIsAppendedAndSaved) {
    shellState().savedFlag = 1;
    click(kNewCustomerButton);
    EXPECT_EQ(shellState().savedFlag, 0);
    EXPECT_EQ(fieldTexts(1000, 6), Row(6, ""));
    typeAll(1000, {"Frau", QString::fromUtf8("Bäcker"), QString::fromUtf8("Jürgen"), "",
                   QString::fromUtf8("Straße 5"), QString::fromUtf8("99999 Köln")});
    shellState().savedFlag = 1;
    click(kNewCustomerOkButton);
    EXPECT_EQ(shellState().savedFlag, 0);
    EXPECT_FALSE(windowExists(kDialogWindow));
    ASSERT_EQ(rowCount(kCustomerList), 3);
    const Row added = {"Frau",
                       "B\xE4"
                       "cker",
                       "J\xFCrgen",
                       "",
                       "Stra\xDF"
                       "e 5",
                       "99999 K\xF6ln"};
    EXPECT_EQ(rowOf(kCustomerList, 2, 6), added);
    EXPECT_EQ(customerEdit().values,
              (CustomerValues{added[0], added[1], added[2], added[3], added[4], added[5]}));

    ASSERT_TRUE(chooseMenuItem("Save"));
    dispatch();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(shellState().savedFlag, 1);
    const std::string saved = readData("Daten.dat");
    EXPECT_NE(saved.find("54321 Dorf\r\nFrau|B\xE4"
                         "cker|J\xFCrgen||Stra\xDF"
                         "e 5|99999 K\xF6ln\r\n5\r\n"),
              std::string::npos);
    EXPECT_TRUE(saved.starts_with("3\r\n"));
}

TEST_F(MaintenanceTest, NoFieldTakesABar) {
    for (const auto& [button, first, count] : {std::tuple{100, 1000, 6}, {110, 3000, 4}}) {
        click(button);
        for (int field = first; field < first + count; ++field) {
            ASSERT_TRUE(typeInto(field, "a|b||c"));
            EXPECT_EQ(getText(field), "abc");
        }
    }
}

TEST_F(MaintenanceTest, ChangingTheThirdOfFiveArticlesKeepsItsPlace) {
    showArticles();
    ASSERT_TRUE(selectRow(kArticleList, 2));
    shellState().savedFlag = 1;
    click(kChangeArticleButton);
    EXPECT_EQ(shellState().savedFlag, 0);
    EXPECT_EQ(shellState().selectedRow, 2);
    EXPECT_EQ(rowCount(kArticleList), 4); // the row is out while the dialog is open
    EXPECT_EQ(fieldTexts(4000, 4), (Row{"A3", "K3", "3,00", "B3"}));
    EXPECT_EQ(currentArticle(), (Row{"A3", "K3", "3,00", "B3"}));
    typeAll(4000, {"Neu", "K9", "13,75", QString::fromUtf8("Beschreibung mit €")});
    click(kChangeArticleOkButton);
    EXPECT_FALSE(windowExists(kDialogWindow));
    ASSERT_EQ(rowCount(kArticleList), 5);
    const Row changed = {"Neu", "K9", "13,75", "Beschreibung mit \x80"};
    EXPECT_EQ(rowOf(kArticleList, 2, 4), changed);
    EXPECT_EQ(rowOf(kArticleList, 1, 4), (Row{"A2", "K2", "2,00", "B2"}));
    EXPECT_EQ(rowOf(kArticleList, 3, 4), (Row{"A4", "K4", "4,00", "B4"}));
    // The line dialog takes the article of the last "OK" as its current article.
    EXPECT_EQ(currentArticle(), changed);

    ASSERT_TRUE(chooseMenuItem("Save"));
    dispatch();
    EXPECT_NE(readData("Daten.dat").find("A2|K2|2,00|B2\r\nNeu|K9|13,75|Beschreibung mit \x80\r\nA4|"),
              std::string::npos);
}

TEST_F(MaintenanceTest, ChangingACustomerPutsTheEditedRowBack) {
    ASSERT_TRUE(selectRow(kCustomerList, 0));
    click(kChangeCustomerButton);
    EXPECT_EQ(rowCount(kCustomerList), 1);
    const Row old = {"Herr", "M\xFCller", "Hans", "", "Hauptstr. 1", "12345 Stadt"};
    EXPECT_EQ(fieldTexts(2000, 6), old);
    EXPECT_EQ(customerEdit().values, (CustomerValues{old[0], old[1], old[2], old[3], old[4], old[5]}));
    ASSERT_TRUE(typeInto(kChangeCustomerFirstField + 3, "Hinterhaus"));
    click(kChangeCustomerOkButton);
    ASSERT_EQ(rowCount(kCustomerList), 2);
    EXPECT_EQ(rowOf(kCustomerList, 0, 6),
              (Row{"Herr", "M\xFCller", "Hans", "Hinterhaus", "Hauptstr. 1", "12345 Stadt"}));
    EXPECT_EQ(getCell(kCustomerList, 1, 1), "Schulz");
}

// Every cell of a list's rows, a hidden one after the visible ones included.
std::vector<Row> allRows(int list) {
    std::vector<Row> rows;
    for (int r = 0; r < rowCount(list); ++r)
        rows.push_back(rowOf(list, r, 7));
    return rows;
}

// However a change dialog ends without "OK", its row goes back to its place as it was.
TEST_F(MaintenanceTest, AChangeDialogEndedWithoutOkGivesTheRowBack) {
    struct Case {
        const char* name;
        int list;
        int change;
        int row;
        std::function<void()> end;
    };
    const Case cases[] = {
        {"close request answered Ja", kCustomerList, kChangeCustomerButton, 1,
         [this] {
             answerNext(kAnswerYes);
             ASSERT_TRUE(requestClose(kDialogWindow));
             dispatch();
         }},
        {"new customer", kCustomerList, kChangeCustomerButton, 0, [] { click(kNewCustomerButton); }},
        {"options window", kArticleList, kChangeArticleButton, 2,
         [] {
             ASSERT_TRUE(chooseMenuItem("Algemeine Einstellungen"));
             dispatch();
         }},
        {"new-invoice window", kArticleList, kChangeArticleButton, 4, [] { click(kNewInvoiceButton); }},
        // The first row goes back before the selection is read: the row selected is still Schulz.
        {"\xC4ndern again", kCustomerList, kChangeCustomerButton, 0,
         [] {
             ASSERT_TRUE(selectRow(kCustomerList, 0));
             click(kChangeCustomerButton);
             EXPECT_EQ(getText(kChangeCustomerFirstField + 1), "Schulz");
             click(kNewArticleButton);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        start();
        addColumn(c.list, 99, "Versteckt", 0);
        for (int r = 0; r < rowCount(c.list); ++r)
            setCell(c.list, r, "verborgen " + std::to_string(r), c.list == kCustomerList ? 6 : 4);
        const std::vector<Row> before = allRows(c.list);
        setState(kTabPanel, c.list == kCustomerList ? kCustomersPage : kArticlesPage);
        ASSERT_TRUE(selectRow(c.list, c.row));
        click(c.change);
        ASSERT_TRUE(
            typeInto((c.list == kCustomerList ? kChangeCustomerFirstField : kChangeArticleFirstField) + 1,
                     "ge\xE4ndert"));
        c.end();
        EXPECT_EQ(allRows(c.list), before);
    }
}

// "OK" puts the edited row, hidden cells and all, where it was taken from: a row deleted above it
// meanwhile moves that place up, one deleted elsewhere does not move it.
TEST_F(MaintenanceTest, TheChangedRowGoesBackToItsOwnPlace) {
    struct Case {
        const char* name;
        int list;
        int deletedRow;
        Row designations;
    };
    const Case cases[] = {
        {"nothing deleted", kArticleList, -1, {"A1", "A2", "Neu", "A4", "A5"}},
        {"a row above", kArticleList, 0, {"A2", "Neu", "A4", "A5"}},
        {"a row below", kArticleList, 3, {"A1", "A2", "Neu", "A4"}},
        {"the row now at its place", kArticleList, 2, {"A1", "A2", "Neu", "A5"}},
        {"a customer", kCustomerList, 0, {"A1", "A2", "Neu", "A4", "A5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        start();
        // Behind the article's USt-Satz, Steuerkategorie and Einheit.
        addColumn(kArticleList, 99, "Versteckt", 0);
        setCell(kArticleList, 2, "verborgen", 7);
        showArticles();
        ASSERT_TRUE(selectRow(kArticleList, 2));
        click(kChangeArticleButton);
        ASSERT_TRUE(typeInto(kChangeArticleFirstField, "Neu"));
        if (c.deletedRow >= 0) {
            ASSERT_TRUE(selectRow(c.list, c.deletedRow));
            answerNext(kAnswerYes);
            click(c.list == kCustomerList ? kDeleteCustomerButton : kDeleteArticleButton);
        }
        click(kChangeArticleOkButton);
        EXPECT_EQ(column(kArticleList, 0), c.designations);
        const int place = c.deletedRow == 0 && c.list == kArticleList ? 1 : 2;
        EXPECT_EQ(rowOf(kArticleList, place, 8), (Row{"Neu", "K3", "3,00", "B3", "", "", "", "verborgen"}));
    }
}

TEST_F(MaintenanceTest, ChangeWithoutASelectionOnlyAsksForOne) {
    struct Case {
        int page;
        int list;
        int change;
        const char* text;
    };
    const Case cases[] = {
        {kCustomersPage, kCustomerList, kChangeCustomerButton, "Bitte zuerst einen Kunden markieren."},
        {kArticlesPage, kArticleList, kChangeArticleButton, "Bitte zuerst einen Artikel markieren."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        messages.clear();
        setState(kTabPanel, c.page);
        shellState().savedFlag = 1;
        click(c.change);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].caption, "Hinweis!");
        EXPECT_EQ(messages[0].text, c.text);
        EXPECT_FALSE(windowExists(kDialogWindow));
        EXPECT_EQ(rowCount(c.list), c.list == kCustomerList ? 2 : 5);
        EXPECT_EQ(shellState().savedFlag, 1);
    }
}

// Input that cannot be right is refused in the dialog, which keeps what was typed.
TEST_F(MaintenanceTest, DialogsRefuseAnEmptyNameAndAPriceThatIsNoAmount) {
    struct Case {
        const char* name;
        int open;
        int firstField;
        int ok;
        int field;
        QString typed;
        const char* message;
    };
    const Case cases[] = {
        {"new customer, no name", kNewCustomerButton, kNewCustomerFirstField, kNewCustomerOkButton, 1, "",
         "Bitte einen Namen eingeben."},
        {"changed customer, blank name", kChangeCustomerButton, kChangeCustomerFirstField,
         kChangeCustomerOkButton, 1, "  ", "Bitte einen Namen eingeben."},
        {"new article, no designation", kNewArticleButton, kNewArticleFirstField, kNewArticleOkButton, 0, "",
         "Bitte eine Bezeichnung eingeben."},
        {"changed article, typo in the price", kChangeArticleButton, kChangeArticleFirstField,
         kChangeArticleOkButton, 2, "12,5o",
         "Der Preis \x84"
         "12,5o\x93 ist kein g\xFCltiger Betrag."},
        {"new article, no price", kNewArticleButton, kNewArticleFirstField, kNewArticleOkButton, 2, "",
         "Der Preis \x84\x93 ist kein g\xFCltiger Betrag."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        const bool customer = c.firstField < kNewArticleFirstField;
        setState(kTabPanel, customer ? kCustomersPage : kArticlesPage);
        ASSERT_TRUE(selectRow(customer ? kCustomerList : kArticleList, 0));
        click(c.open);
        const int fields = customer ? 6 : 4;
        typeAll(c.firstField, customer ? std::vector<QString>{"Herr", "Name", "", "", "", ""}
                                       : std::vector<QString>{"Teil", "", "1,00", ""});
        ASSERT_TRUE(typeInto(c.firstField + c.field, c.typed));
        const Row typed = fieldTexts(c.firstField, fields);
        const int rowsBefore = rowCount(customer ? kCustomerList : kArticleList);
        click(c.ok);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].caption, "Hinweis!");
        EXPECT_EQ(messages[0].text, c.message);
        ASSERT_TRUE(windowExists(kDialogWindow));
        EXPECT_EQ(fieldTexts(c.firstField, fields), typed);
        EXPECT_EQ(rowCount(customer ? kCustomerList : kArticleList), rowsBefore);
        answerNext(kAnswerYes);
        ASSERT_TRUE(requestClose(kDialogWindow));
        dispatch();
    }
}

// "Löschen" asks first; "Nein" changes nothing, and with nothing selected nothing is asked.
TEST_F(MaintenanceTest, DeletingAsksFirst) {
    writeData("ReData.dat", "3|Schulz|2|1,50|01.12.2026\r\n");
    writeData("Rechnungen/3.txt", "Frau\r\n");
    struct Case {
        int page;
        int list;
        int button;
        const char* question;
    };
    const Case cases[] = {
        {kCustomersPage, kCustomerList, kDeleteCustomerButton,
         "Soll der Kunde \x84M\xFCller\x93 wirklich gel\xF6scht werden?"},
        {kArticlesPage, kArticleList, kDeleteArticleButton,
         "Soll der Artikel \x84"
         "A1\x93 wirklich gel\xF6scht werden?"},
        {kInvoicesPage, kInvoiceList, kDeleteInvoiceButton,
         "Soll die Rechnung Nr. 3 wirklich gel\xF6scht werden?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.question);
        start();
        setState(kTabPanel, c.page);
        const int rows = rowCount(c.list);
        for (const int answer : {-1, kAnswerNo, kAnswerYes}) {
            messages.clear();
            shellState().savedFlag = 1;
            if (answer == -1) {
                setState(c.list, -1);
            } else {
                ASSERT_TRUE(selectRow(c.list, 0));
                answerNext(answer);
            }
            click(c.button);
            ASSERT_EQ(messages.empty(), answer == -1);
            if (answer != -1) {
                EXPECT_EQ(messages[0].caption, "Hinweis!");
                EXPECT_EQ(messages[0].text, c.question);
                EXPECT_EQ(messages[0].flags, kMessageYesNo);
            }
            EXPECT_EQ(rowCount(c.list), answer == kAnswerYes ? rows - 1 : rows);
            EXPECT_EQ(shellState().savedFlag, answer == kAnswerYes && c.list != kInvoiceList ? 0 : 1);
        }
    }
}

// While a change dialog is open, Save and the list's export still hold its row, as it was.
TEST_F(MaintenanceTest, SaveAndExportSeeTheRowAChangeDialogTookOut) {
    ASSERT_TRUE(selectRow(kCustomerList, 0));
    click(kChangeCustomerButton);
    ASSERT_TRUE(typeInto(kChangeCustomerFirstField + 1, "Meier"));
    ASSERT_TRUE(chooseMenuItem("Save"));
    setSaveFileAnswerer([this](const std::string&, const std::string&) { return dataPath("k.csv"); });
    ASSERT_TRUE(chooseMenuItem("Liste exportieren (CSV)..."));
    dispatch();
    EXPECT_EQ(readData("Daten.dat"), kTwoCustomersThreeArticles);
    EXPECT_NE(readData("k.csv").find("M\xC3\xBCller"), std::string::npos);
    EXPECT_EQ(rowCount(kCustomerList), 1);
    click(kChangeCustomerOkButton);
    EXPECT_EQ(column(kCustomerList, 1), (Row{"Meier", "Schulz"}));
}

TEST_F(MaintenanceTest, AFailedSaveIsReportedAndKeepsTheOldFile) {
    click(kNewArticleButton);
    typeAll(3000, {"Lampe", "Licht", "19,99", ""});
    click(kNewArticleOkButton);
    diskFaults().mode = FaultMode::FromThenOn;
    diskFaults().failAt = 1;
    diskFaults().error = ENOSPC;
    ASSERT_TRUE(chooseMenuItem("Save"));
    dispatch();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Fehler!");
    EXPECT_EQ(messages[0].text, "Die Daten konnten nicht gespeichert werden!");
    EXPECT_EQ(messages[0].flags, kMessageOk);
    EXPECT_EQ(shellState().savedFlag, 0);
    resetDiskFaults();
    EXPECT_EQ(readData("Daten.dat"), kTwoCustomersThreeArticles);

    ASSERT_TRUE(chooseMenuItem("Save"));
    dispatch();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(shellState().savedFlag, 1);
    EXPECT_NE(readData("Daten.dat").find("A5|K5|5,00|B5\r\nLampe|Licht|19,99|\r\n7\r\n"), std::string::npos);
}

} // namespace
