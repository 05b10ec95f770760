// The invoice line dialog: taking an article by double click, reading quantity and price, and the
// line it adds to the new-invoice window, driven through the real windows.

#include "invoicing/linedialog.h"
#include "invoicing/newinvoicewindow.h"
#include "shell/mainwindow.h"
#include "state/invoicestate.h"
#include "state/shellstate.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_testing.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <string>
#include <vector>

namespace {

using Row = std::vector<std::string>;

class LineDialogTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        start();
        addRow(kCustomerList, -1, "Herr\nBeispiel\nMax\n\nHauptstr. 1\nMusterstadt");
        ASSERT_TRUE(clickButton(kNewInvoiceButton));
        dispatch();
        ASSERT_TRUE(windowExists(kDialogWindow));
    }

    /// Appends an article and gives its row.
    static int addArticle(const std::string& designation, const std::string& price,
                          const std::string& description = "") {
        addRow(kArticleList, -1, designation + "\nKat\n" + price + "\n" + description);
        return rowCount(kArticleList) - 1;
    }
    static void press(int button) {
        ASSERT_TRUE(clickButton(button));
        dispatch();
    }
    static void openDialog() {
        press(kNewLineButton);
        ASSERT_TRUE(windowExists(kLineDialog));
    }
    static void takeArticleRow(int row) {
        ASSERT_TRUE(doubleClickRow(kArticlePicks, row));
        dispatch();
    }
    /// The whole dialog: the article double-clicked, the quantity typed, "OK".
    static void addLine(int article, const QString& quantity) {
        openDialog();
        takeArticleRow(article);
        ASSERT_TRUE(typeInto(kQuantityField, quantity));
        press(kLineOkButton);
    }
    static Row line(int r) {
        Row cells;
        for (int c = 0; c < 6; ++c)
            cells.push_back(getCell(kLinesList, r, c));
        return cells;
    }
    static Row lastLine() { return line(rowCount(kLinesList) - 1); }
};

TEST_F(LineDialogTest, DialogHasItsControlsAndNamesTheArticles) {
    addArticle("Schraube", "0,50");
    addArticle("Mutter", "0,25");
    openDialog();
    QWidget* window = windowWidget(kLineDialog);
    EXPECT_EQ(window->windowTitle(), "Neuer Rechnungseintrag");
    EXPECT_EQ(transientOwner(window), windowWidget(kDialogWindow));
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(controlWidget(kArticlePicks)->parentWidget()->size(), QSize(450, 160));

    EXPECT_EQ(rowCount(kArticlePicks), 2);
    EXPECT_EQ(getText(kArticlePicks), "");
    EXPECT_EQ(getCell(kArticlePicks, 0, 0), "Schraube");
    EXPECT_EQ(getCell(kArticlePicks, 1, 0), "Mutter");
    EXPECT_EQ(controlWidget(kArticlePicks)->toolTip(),
              QString::fromUtf8("Artikel auswählen mit Doppelklick links"));
    EXPECT_EQ(qobject_cast<QPushButton*>(controlWidget(kLineOkButton))->text(), "OK");
    EXPECT_EQ(controlWidget(kQuantityField)->geometry(), QRect(120, 70, 40, 20));
    EXPECT_EQ(controlWidget(kPriceField)->geometry(), QRect(170, 70, 40, 20));
    EXPECT_EQ(getText(kQuantityField), "");
    EXPECT_EQ(getText(kPriceField), "");
    QStringList labels;
    for (const QLabel* label : window->findChildren<QLabel*>())
        labels << label->text();
    labels.sort();
    EXPECT_EQ(labels, (QStringList{"Beschreibung", "Bezeichnung", "Einheit", "Einz.pr.",
                                   "Freie Position: Bezeichnung", "Menge", "USt-Satz"}));
}

// The row shows the price as typed, the quantity with the decimals it needs and quantity × price in
// cents; the running total is the sum of the rows.
TEST_F(LineDialogTest, PricesAndQuantitiesMakeTheLine) {
    struct Case {
        const char* name;
        std::string price;
        QString quantity;
        Row cells; // unit price, quantity, line amount as the row shows them
        std::int64_t cents;
    };
    const std::vector<Case> cases = {
        {"point", "12.5", "2", {"12,5", "2", "25,00"}, 2500},
        {"comma", "12,50", "3", {"12,50", "3", "37,50"}, 3750},
        {"grouped price", "1.234,56", "2", {"1.234,56", "2", "2469,12"}, 246912},
        {"a thousand", "1.000", "1.000", {"1.000", "1000", "1000000,00"}, 100000000},
        {"decimal quantity", "40,00", "2,5", {"40,00", "2,5", "100,00"}, 10000},
        {"three decimals", "8", "0,125", {"8", "0,125", "1,00"}, 100},
        {"quantity with unit", "12,50", QString::fromUtf8("3 Stück"), {"12,50", "3", "37,50"}, 3750},
        {"a credit line", "12,50", "-1", {"12,50", "-1", "-12,50"}, -1250},
    };
    std::int64_t total = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int article = addArticle(c.name, c.price, "Text");
        addLine(article, c.quantity);
        EXPECT_FALSE(windowExists(kLineDialog));
        EXPECT_EQ(lastLine(), (Row{std::to_string(rowCount(kLinesList)), c.name, "Text", c.cells[0],
                                   c.cells[1], c.cells[2]}));
        total += c.cents;
        EXPECT_EQ(invoiceState().invoiceTotal.units, total);
    }
    EXPECT_EQ(getCell(kArticleList, 2, 2), "1.234,56");
}

// "OK" takes the article highlighted, however it was, at the price that stands in the price field
// then; the article list keeps its own price.
TEST_F(LineDialogTest, OkTakesTheHighlightedArticleAtThePriceInTheField) {
    struct Case {
        const char* name;
        void (*highlight)();
        QString price; // typed over the article's price when not empty
        Row line;
    };
    addArticle("Schraube", "0,50", "M6");
    addArticle("Mutter", "0,25", "M6 verzinkt");
    const Case cases[] = {
        {"single click",
         [] { ASSERT_TRUE(selectRow(kArticlePicks, 1)); },
         "",
         {"Mutter", "M6 verzinkt", "0,25", "4", "1,00"}},
        {"arrow key",
         [] {
             ASSERT_TRUE(selectRow(kArticlePicks, 0));
             QTest::keyClick(controlWidget(kArticlePicks), Qt::Key_Down);
         },
         "",
         {"Mutter", "M6 verzinkt", "0,25", "4", "1,00"}},
        {"double click",
         [] { ASSERT_TRUE(doubleClickRow(kArticlePicks, 0)); },
         "",
         {"Schraube", "M6", "0,50", "4", "2,00"}},
        {"price typed",
         [] { ASSERT_TRUE(selectRow(kArticlePicks, 1)); },
         "0,30",
         {"Mutter", "M6 verzinkt", "0,30", "4", "1,20"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        openDialog();
        c.highlight();
        dispatch();
        EXPECT_EQ(getText(kPriceField), c.line[0] == "Mutter" ? "0,25" : "0,50");
        ASSERT_TRUE(c.price.isEmpty() || typeInto(kPriceField, c.price));
        ASSERT_TRUE(typeInto(kQuantityField, "4"));
        press(kLineOkButton);
        EXPECT_FALSE(windowExists(kLineDialog));
        const Row last = lastLine();
        EXPECT_EQ(Row(last.begin() + 1, last.end()), c.line);
    }
    EXPECT_EQ(getCell(kArticleList, 1, 2), "0,25");
}

// A refused "OK" says why, keeps the dialog open with what was typed and adds no line.
TEST_F(LineDialogTest, OkRefusesWithoutArticleQuantityOrPrice) {
    struct Case {
        const char* name;
        bool highlighted;
        QString quantity;
        QString price;
        std::string message;
        std::string caption = "Hinweis!";
    };
    addArticle("Schraube", "0,50", "M6");
    const Case cases[] = {
        {"no article", false, "1", "", "Bitte einen Artikel ausw\xE4hlen."},
        {"quantity in words", true, "zwei", "", "Die Menge \x84zwei\x93 ist keine g\xFCltige Zahl."},
        {"quantity 0", true, "0", "",
         "Die Menge \x84"
         "0\x93 ist keine g\xFCltige Zahl."},
        {"no quantity", true, "", "", "Die Menge \x84\x93 ist keine g\xFCltige Zahl."},
        {"price in words", true, "1", "auf Anfrage",
         "Der Preis \x84"
         "auf Anfrage\x93 ist kein g\xFCltiger Betrag."},
        {"amount beyond 64 bits", true, "1000", "900000000000000", "Der Betrag ist zu gro\xDF.", "Fehler!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        openDialog();
        ASSERT_TRUE(!c.highlighted || selectRow(kArticlePicks, 0));
        dispatch();
        ASSERT_TRUE(typeInto(kQuantityField, c.quantity));
        ASSERT_TRUE(c.price.isEmpty() || typeInto(kPriceField, c.price));
        messages.clear();
        press(kLineOkButton);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].caption, c.caption);
        EXPECT_EQ(messages[0].text, c.message);
        EXPECT_TRUE(windowExists(kLineDialog));
        EXPECT_EQ(getText(kQuantityField), c.quantity.toStdString());
        EXPECT_EQ(rowCount(kLinesList), 0);
    }
}

TEST_F(LineDialogTest, ADoubleClickReadsTheArticleListAsItIsNow) {
    addArticle("Schraube", "0,50", "M6");
    addArticle("Mutter", "0,25", "M6 verzinkt");
    openDialog();
    // The pick list still shows "Schraube" in row 0, but the article list has moved up.
    removeRow(kArticleList, 0);
    takeArticleRow(0);
    EXPECT_EQ(invoiceState().articleName, "Mutter");
    EXPECT_EQ(getText(kPriceField), "0,25");
}

TEST_F(LineDialogTest, NewEntryAgainGivesAFreshDialog) {
    const int article = addArticle("Schraube", "0,50");
    openDialog();
    takeArticleRow(article);
    ASSERT_TRUE(typeInto(kQuantityField, "5"));
    press(kNewLineButton);
    EXPECT_EQ(getText(kQuantityField), "");
    EXPECT_EQ(getText(kPriceField), "");
    int dialogs = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        dialogs += (w->isWindow() && w->windowTitle() == "Neuer Rechnungseintrag") ? 1 : 0;
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(rowCount(kLinesList), 0);
}

TEST_F(LineDialogTest, ClosingTheInvoiceWindowTakesTheDialogWithoutALine) {
    addArticle("Schraube", "0,50");
    openDialog();
    press(kCancelInvoiceButton);
    EXPECT_FALSE(windowExists(kLineDialog));
    EXPECT_FALSE(windowExists(kDialogWindow));
    EXPECT_EQ(invoiceState().invoiceTotal.units, 0);
}

} // namespace
