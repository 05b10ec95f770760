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
        {"new article", 110, "Neuer Eintrag", {250, 250}, 3100, {10, 210, 30, 30}, articleFields(3000)},
        {"change article",
         112,
         "Artikeldaten editieren",
         {250, 250},
         4100,
         {10, 210, 30, 30},
         articleFields(4000)},
    };
    for (const DialogLayout& d : dialogs) {
        SCOPED_TRACE(d.name);
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
        EXPECT_EQ(labels.size(), d.fields.size());
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

TEST_F(MaintenanceTest, DeletingTakesTheSelectedRowAndAlwaysClearsSavedFlag) {
    ASSERT_TRUE(selectRow(kCustomerList, 1));
    shellState().savedFlag = 1;
    click(kDeleteCustomerButton);
    EXPECT_EQ(shellState().selectedRow, 1);
    EXPECT_EQ(shellState().savedFlag, 0);
    ASSERT_EQ(rowCount(kCustomerList), 1);
    EXPECT_EQ(getCell(kCustomerList, 0, 1), "M\xFCller");

    // No selection: nothing is removed, yet the data count as changed.
    shellState().savedFlag = 1;
    click(kDeleteCustomerButton);
    EXPECT_EQ(shellState().selectedRow, -1);
    EXPECT_EQ(rowCount(kCustomerList), 1);
    EXPECT_EQ(shellState().savedFlag, 0);
    showArticles();
    ASSERT_TRUE(selectRow(kArticleList, 4));
    click(kDeleteArticleButton);
    EXPECT_EQ(rowCount(kArticleList), 4);
    EXPECT_EQ(getCell(kArticleList, 3, 0), "A4");
    ASSERT_TRUE(requestClose(kMainWindow));
    dispatch();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Daten wurden nicht gespeichert! Sind Sie sicher?");
}

TEST_F(MaintenanceTest, ChangeWithoutASelectionShowsTheColumnTitlesAndAppends) {
    click(kChangeCustomerButton);
    EXPECT_EQ(shellState().selectedRow, -1);
    EXPECT_EQ(rowCount(kCustomerList), 2);
    EXPECT_EQ(fieldTexts(2000, 6), (Row{"Anrede", "Name", "Vorname", "Zusatz", "Strasse", "Wohnort"}));
    ASSERT_TRUE(typeInto(kChangeCustomerFirstField + 1, "Zuletzt"));
    click(kChangeCustomerOkButton);
    ASSERT_EQ(rowCount(kCustomerList), 3);
    EXPECT_EQ(rowOf(kCustomerList, 2, 6),
              (Row{"Anrede", "Zuletzt", "Vorname", "Zusatz", "Strasse", "Wohnort"}));

    showArticles();
    click(kChangeArticleButton);
    EXPECT_EQ(fieldTexts(4000, 4), (Row{"Bezeichnung", "Kategorie", "Preis", "Beschreibung"}));
    click(kChangeArticleOkButton);
    ASSERT_EQ(rowCount(kArticleList), 6);
    EXPECT_EQ(rowOf(kArticleList, 5, 4), (Row{"Bezeichnung", "Kategorie", "Preis", "Beschreibung"}));
}

TEST_F(MaintenanceTest, AnotherDialogReplacesAnOpenOneWithoutAddingARow) {
    click(kNewCustomerButton);
    ASSERT_TRUE(typeInto(kNewCustomerFirstField + 1, "Verloren"));
    shellState().savedFlag = 1;
    click(kNewArticleButton);
    EXPECT_EQ(shellState().savedFlag, 0);
    EXPECT_EQ(controlWidget(kNewCustomerFirstField + 1), nullptr);
    ASSERT_NE(controlWidget(kNewArticleFirstField), nullptr);
    EXPECT_EQ(rowCount(kCustomerList), 2);

    // A change dialog replaced by another window 1 leaves its row out of the list.
    ASSERT_TRUE(selectRow(kCustomerList, 0));
    click(kChangeCustomerButton);
    ASSERT_TRUE(chooseMenuItem("Algemeine Einstellungen"));
    dispatch();
    EXPECT_EQ(controlWidget(kChangeCustomerFirstField), nullptr);
    ASSERT_EQ(rowCount(kCustomerList), 1);
    EXPECT_EQ(getCell(kCustomerList, 0, 1), "Schulz");
}

TEST_F(MaintenanceTest, APendingChangeGoesWhereSelectedRowPointsWhenItsOkComes) {
    ASSERT_TRUE(selectRow(kCustomerList, 1));
    click(kChangeCustomerButton);
    ASSERT_TRUE(typeInto(kChangeCustomerFirstField + 1, "Schulze"));
    // Meanwhile "Löschen" on the articles page sets SelectedRow to 0.
    showArticles();
    ASSERT_TRUE(selectRow(kArticleList, 0));
    click(kDeleteArticleButton);
    EXPECT_EQ(shellState().selectedRow, 0);
    click(kChangeCustomerOkButton);
    ASSERT_EQ(rowCount(kCustomerList), 2);
    EXPECT_EQ(getCell(kCustomerList, 0, 1), "Schulze");
    EXPECT_EQ(getCell(kCustomerList, 1, 1), "M\xFCller");
    EXPECT_EQ(rowCount(kArticleList), 4);
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
