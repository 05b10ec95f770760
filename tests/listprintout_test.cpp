// "Liste drucken...": the list of the page showing printed into a real PDF through the menu, with its
// positions, its pages and the sum of the invoice list; a cancelled dialog and refused printers.

#include "printtesting.h"

#include "runtime/conversions.h"
#include "runtime/lists.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_testing.h"

#include <QFileInfo>
#include <QTableView>
#include <algorithm>
#include <functional>

namespace {

// The printable area of the test PDF: A4 less 5 mm on every side.
constexpr double kWidth = 200;
constexpr double kHeight = 287;

class ListPrintoutTest : public PrintTest {
  protected:
    void startWith(const std::string& customers, const std::string& registerLines) {
        writeData("Daten.dat", customers + "0\r\n0\r\n");
        writeData("ReData.dat", registerLines);
        start();
        messages.clear();
    }
    std::vector<PdfWord> printShownList(int page) {
        setState(kTabPanel, page);
        printToPdf();
        EXPECT_TRUE(chooseMenuItem("Liste drucken..."));
        dispatch();
        EXPECT_TRUE(messages.empty());
        return readPdfWords(pdfPath());
    }
    /// Where each column starts: 10 mm inside the printable width, shared by the widths on screen.
    static std::vector<double> columnStarts(int list) {
        double total = 0;
        for (int c = 0; c < listColumnCount(list); ++c)
            total += listColumnWidth(list, c);
        std::vector<double> starts = {10};
        for (int c = 0; c < listColumnCount(list); ++c)
            starts.push_back(starts.back() + listColumnWidth(list, c) * (kWidth - 20) / total);
        return starts;
    }
    /// The title at the top left, today's date at the top right, "Seite k von m" at the bottom right.
    static void expectPageFrame(const std::vector<PdfWord>& onPage, const std::string& title, int page,
                                int pages) {
        expectPlaced(onPage, {{title, 10, 10}});
        const PdfWord* date = nearestWord(onPage, formatDate("%dd.%mm.%yyyy", currentDate()), 200, 15);
        ASSERT_NE(date, nullptr);
        EXPECT_NEAR(date->right, kMargin + kWidth - 10, 0.5);
        const auto at =
            std::find_if(onPage.begin(), onPage.end(), [](const PdfWord& w) { return w.text == "Seite"; });
        ASSERT_GE(onPage.end() - at, 4) << "page " << page;
        EXPECT_EQ(at[1].text + " " + at[2].text + " " + at[3].text,
                  std::to_string(page + 1) + " von " + std::to_string(pages));
        EXPECT_NEAR(at[0].top, kMargin + kHeight - 10, 0.5);
        EXPECT_NEAR(at[3].right, kMargin + kWidth - 10, 0.5);
    }
};

TEST_F(ListPrintoutTest, CustomerListOnOnePage) {
    startWith("2\r\nHerr|M\xFCller|Hans|geheim|Hauptstra\xDF"
              "e 1|K\xF6ln\r\nFrau|Schmidt|Anna||" +
                  std::string(60, 'x') + "|Berlin\r\n",
              "");
    qobject_cast<QTableView*>(controlWidget(kCustomerList))->setColumnHidden(3, true);
    const std::vector<double> x = columnStarts(kCustomerList);
    const std::vector<PdfWord> words = printShownList(kCustomersPage);
    ASSERT_FALSE(words.empty());
    EXPECT_EQ(words.back().page, 0);
    expectPageFrame(words, "Kundenliste", 0, 1);
    for (const int c : {0, 1, 2, 4, 5})
        expectPlaced(words, {{getCell(kCustomerList, -1, c), x[c], 22}});
    expectPlaced(words, {{"M\xFCller", x[1], 29}, {"K\xF6ln", x[5], 29}, {"Frau", x[0], 34}});
    // The hidden column is not printed; the long street ends with "…" before the next column.
    EXPECT_EQ(countWords(words, "Zusatz") + countWords(words, "geheim") + countWords(words, "Summe:"), 0);
    const auto street =
        std::find_if(words.begin(), words.end(), [](const PdfWord& w) { return w.text.starts_with("xxx"); });
    ASSERT_NE(street, words.end());
    EXPECT_TRUE(street->text.ends_with("\u2026")) << street->text;
    EXPECT_LT(street->right, kMargin + x[5]);
}

TEST_F(ListPrintoutTest, InvoiceListOverPagesEndsWithItsSum) {
    struct Case {
        const char* name;
        int rows;
        const char* amount; // "" for the row number and ",01"
        int pages;
        const char* sum; // "" when none is printed
        double sumY;
    };
    // 48 rows fill a page; the sum needs the room of two.
    const Case cases[] = {
        {"sum below the rows of page 1", 46, "", 1, "1081,46", 29 + 46 * 5 + 1},
        {"sum alone on the next page", 47, "", 2, "1128,47", 30},
        {"three pages", 100, "", 3, "5051,00", 29 + 4 * 5 + 1},
        {"sum beyond the range of amounts", 2, "92233720368547758,07", 1, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string lines;
        for (int i = 1; i <= c.rows; ++i)
            lines += std::to_string(i) + "|Kunde|1|" + (*c.amount ? c.amount : std::to_string(i) + ",01") +
                     "|01.12.2026\r\n";
        startWith("0\r\n", lines);
        const std::vector<double> x = columnStarts(kInvoiceList);
        const std::vector<PdfWord> words = printShownList(kInvoicesPage);
        ASSERT_FALSE(words.empty());
        ASSERT_EQ(words.back().page + 1, c.pages);
        for (int page = 0; page < c.pages; ++page) {
            const std::vector<PdfWord> onPage = wordsOnPage(words, page);
            expectPageFrame(onPage, "Rechnungsliste", page, c.pages);
            expectPlaced(onPage, {{"Gesamtbetrag", x[3], 22}, {"Brutto", x[5], 22}});
            if (page * 48 < c.rows)
                expectPlaced(onPage, {{std::to_string(page * 48 + 1), x[0], 29}});
        }
        EXPECT_EQ(countWords(words, "Summe:"), *c.sum ? 1 : 0);
        // Nothing is paid and the settings charge no tax: gross and open amounts add up to the same sum.
        const int open = listColumnCount(kInvoiceList) - 2;
        if (*c.sum)
            expectPlaced(wordsOnPage(words, c.pages - 1), {{"Summe:", 10, c.sumY},
                                                           {c.sum, x[3], c.sumY},
                                                           {c.sum, x[5], c.sumY},
                                                           {c.sum, x[open], c.sumY}});
    }
}

TEST_F(ListPrintoutTest, CancelledPrintsNothingAndARefusalIsReported) {
    struct Case {
        const char* name;
        std::function<void()> target;
        bool reported;
    };
    const Case cases[] = {
        {"cancelled dialog", [] { printTarget().kind = PrintTargetKind::Cancelled; }, false},
        {"PDF file in a missing folder",
         [this] {
             printToPdf();
             printTarget().pdfPath = dataPath("fehlt/a.pdf");
         },
         true},
        {"printer that takes one page",
         [this] {
             printToRecorder(10);
             printTarget().recorderPageLimit = 1;
         },
         true},
    };
    std::string lines;
    for (int i = 1; i <= 60; ++i)
        lines += std::to_string(i) + "|Kunde|1|1,00|01.12.2026\r\n";
    for (const Case& c : cases) {
        startWith("0\r\n", lines);
        setState(kTabPanel, kInvoicesPage);
        c.target();
        ASSERT_TRUE(chooseMenuItem("Liste drucken..."));
        dispatch();
        ASSERT_EQ(messages.size(), c.reported ? 1u : 0u) << c.name;
        if (c.reported) {
            EXPECT_EQ(messages[0].caption + " " + messages[0].text,
                      "Fehler! Die Liste konnte nicht gedruckt werden!");
        }
        EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(pdfPath()))) << c.name;
    }
}

} // namespace
