// The invoice line dialog: taking an article by double click, reading quantity and price, and the
// line it adds to the new-invoice window, driven through the real windows.

#include "invoicing/invoicestate.h"
#include "invoicing/linedialog.h"
#include "invoicing/newinvoicewindow.h"
#include "runtime/toolkit.h"
#include "runtime/toolkit_testing.h"
#include "shell/mainwindow.h"
#include "shell/shellstate.h"
#include "support/testenv.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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
        ASSERT_TRUE(clickButton(210));
        dispatch();
        ASSERT_TRUE(windowExists(kInvoiceWindow));
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
        press(300);
        ASSERT_TRUE(windowExists(kLineDialog));
    }
    static void takeArticleRow(int row) {
        ASSERT_TRUE(doubleClickRow(5000, row));
        dispatch();
    }
    /// The whole dialog: the article double-clicked, the quantity typed, "OK".
    static void addLine(int article, const QString& quantity) {
        openDialog();
        takeArticleRow(article);
        ASSERT_TRUE(typeInto(5001, quantity));
        press(5100);
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
    EXPECT_EQ(window->parentWidget(), windowWidget(kInvoiceWindow));
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(controlWidget(5000)->parentWidget()->size(), QSize(450, 160));

    EXPECT_EQ(rowCount(5000), 2);
    EXPECT_EQ(getText(5000), "");
    EXPECT_EQ(getCell(5000, 0, 0), "Schraube");
    EXPECT_EQ(getCell(5000, 1, 0), "Mutter");
    EXPECT_EQ(controlWidget(5000)->toolTip(), QString::fromUtf8("Artikel auswählen mit Doppelklick links"));
    EXPECT_EQ(qobject_cast<QPushButton*>(controlWidget(5100))->text(), "OK");
    EXPECT_EQ(controlWidget(5001)->geometry(), QRect(120, 70, 40, 20));
    EXPECT_EQ(controlWidget(5002)->geometry(), QRect(170, 70, 40, 20));
    EXPECT_EQ(getText(5001), "");
    EXPECT_EQ(getText(5002), "");
    QStringList labels;
    for (const QLabel* label : window->findChildren<QLabel*>())
        labels << label->text();
    labels.sort();
    EXPECT_EQ(labels, (QStringList{"Bezeichnung", "Einz.pr.", "Menge"}));
}

TEST_F(LineDialogTest, PricesAndQuantitiesMakeTheLine) {
    struct Case {
        const char* name;
        std::string price;
        QString quantity;
        Row cells; // unit price, quantity, line total as the row shows them
        float total;
    };
    const std::vector<Case> cases = {
        {"point", "12.5", "2", {"12,5", "2", "25,00"}, 25.0f},
        {"comma", "12,50", "3", {"12,50", "3", "37,50"}, 37.5f},
        {"thousands point", "1.234,56", "1", {"1,234,56", "1", "1,23"}, 1.234f},
        {"decimal quantity", "12,50", "2,5", {"12,50", "2", "25,00"}, 25.0f},
        {"quantity with unit", "12,50", QString::fromUtf8("3 Stück"), {"12,50", "3", "37,50"}, 37.5f},
        {"empty quantity", "12,50", "", {"12,50", "0", "0,00"}, 0.0f},
        {"negative quantity", "12,50", "-1", {"12,50", "-1", "-12,50"}, -12.5f},
        {"price not a number", "auf Anfrage", "4", {"auf Anfrage", "4", "0,00"}, 0.0f},
        // The quantity is multiplied exactly; only the product is rounded to single precision.
        {"big quantity", "3", "16777217", {"3", "16777217", "50331652,00"}, 50331652.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int article = addArticle(c.name, c.price, "Text");
        invoiceState().invoiceTotal = 100.0f;
        addLine(article, c.quantity);
        EXPECT_FALSE(windowExists(kLineDialog));
        EXPECT_EQ(lastLine(), (Row{std::to_string(rowCount(kLinesList)), c.name, "Text", c.cells[0],
                                   c.cells[1], c.cells[2]}));
        EXPECT_EQ(invoiceState().invoiceTotal, static_cast<float>(100.0 + static_cast<double>(c.total)));
    }
}

TEST_F(LineDialogTest, TheDoubleClickShowsThePriceButTypingThereChangesNothing) {
    const int article = addArticle("Platte", "12,30", "Eiche");
    openDialog();
    takeArticleRow(article);
    EXPECT_EQ(getText(5002), "12,30");
    EXPECT_EQ(shellState().selectedRow, article);
    ASSERT_TRUE(typeInto(5002, "99,99"));
    ASSERT_TRUE(typeInto(5001, "2"));
    press(5100);
    EXPECT_EQ(lastLine(), (Row{"1", "Platte", "Eiche", "12,30", "2", "24,60"}));
}

TEST_F(LineDialogTest, ASingleClickDoesNotTakeTheArticle) {
    const int first = addArticle("Schraube", "0,50", "M6");
    const int second = addArticle("Mutter", "0,25", "M6 verzinkt");
    addLine(first, "1");
    openDialog();
    ASSERT_TRUE(selectRow(5000, second));
    dispatch();
    EXPECT_EQ(getText(5002), "");
    ASSERT_TRUE(typeInto(5001, "4"));
    press(5100);
    // The last article taken is still the current one.
    EXPECT_EQ(lastLine(), (Row{"2", "Schraube", "M6", "0,50", "4", "2,00"}));
}

TEST_F(LineDialogTest, OkWithoutAnArticleUsesTheCurrentArticle) {
    // Before any article since the start: empty texts and a price that reads as 0.
    openDialog();
    ASSERT_TRUE(typeInto(5001, "3"));
    press(5100);
    EXPECT_EQ(lastLine(), (Row{"1", "", "", "", "3", "0,00"}));

    // An article dialog's "OK" leaves its article as the current one.
    press(110);
    ASSERT_TRUE(typeInto(3000, "Leiste"));
    ASSERT_TRUE(typeInto(3002, "2.5"));
    ASSERT_TRUE(typeInto(3003, "Buche"));
    press(3100);
    ASSERT_EQ(rowCount(kArticleList), 1);
    press(210);
    openDialog();
    ASSERT_TRUE(typeInto(5001, "2"));
    press(5100);
    EXPECT_EQ(lastLine(), (Row{"1", "Leiste", "Buche", "2,5", "2", "5,00"}));
    EXPECT_EQ(invoiceState().unitPriceText, "2,5");
}

TEST_F(LineDialogTest, ADoubleClickReadsTheArticleListAsItIsNow) {
    addArticle("Schraube", "0,50", "M6");
    addArticle("Mutter", "0,25", "M6 verzinkt");
    openDialog();
    // The pick list still shows "Schraube" in row 0, but the article list has moved up.
    removeRow(kArticleList, 0);
    takeArticleRow(0);
    EXPECT_EQ(invoiceState().articleName, "Mutter");
    EXPECT_EQ(getText(5002), "0,25");
}

TEST_F(LineDialogTest, NewEntryAgainGivesAFreshDialog) {
    const int article = addArticle("Schraube", "0,50");
    openDialog();
    takeArticleRow(article);
    ASSERT_TRUE(typeInto(5001, "5"));
    press(300);
    EXPECT_EQ(getText(5001), "");
    EXPECT_EQ(getText(5002), "");
    int dialogs = 0;
    for (QWidget* w : windowWidget(kInvoiceWindow)->findChildren<QWidget*>())
        dialogs += (w->isWindow() && w->windowTitle() == "Neuer Rechnungseintrag") ? 1 : 0;
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(rowCount(kLinesList), 0);
}

TEST_F(LineDialogTest, ClosingTheInvoiceWindowTakesTheDialogWithoutALine) {
    addArticle("Schraube", "0,50");
    openDialog();
    press(312);
    EXPECT_FALSE(windowExists(kLineDialog));
    EXPECT_FALSE(windowExists(kInvoiceWindow));
    EXPECT_EQ(invoiceState().invoiceTotal, 0.0f);
}

} // namespace
