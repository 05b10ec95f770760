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
    }
    std::vector<PdfWord> printShownList(int page) {
        setState(kTabPanel, page);
        printToPdf();
        EXPECT_TRUE(chooseMenuItem("Liste drucken..."));
        dispatch();
        EXPECT_TRUE(messages.empty());
        return readPdfWords(pdfPath());
    }
    /// Where each shown column starts: the printable width less 10 mm a side, shared by screen width.
    static std::vector<double> columnStarts(int list) {
        double total = 0;
        for (int c = 0; c < listColumnCount(list); ++c)
            total += listColumnWidth(list, c);
        std::vector<double> starts;
        double x = 10;
        for (int c = 0; c < listColumnCount(list); ++c) {
            starts.push_back(x);
            x += listColumnWidth(list, c) * (kWidth - 20) / total;
        }
        return starts;
    }
    static std::string today() { return formatDate("%dd.%mm.%yyyy", currentDate()); }
    /// "Seite k von m" ending 10 mm inside the right edge, 10 mm above the bottom.
    static void expectPageNumber(const std::vector<PdfWord>& onPage, int page, int pages) {
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
    expectPlaced(words, {{"Kundenliste", 10, 10},
                         {"Anrede", x[0], 22},
                         {"Name", x[1], 22},
                         {"Vorname", x[2], 22},
                         {"Strasse", x[4], 22},
                         {"Wohnort", x[5], 22},
                         {"Herr", x[0], 29},
                         {"M\xFCller", x[1], 29},
                         {"K\xF6ln", x[5], 29},
                         {"Frau", x[0], 34},
                         {"Berlin", x[5], 34}});
    const PdfWord* date = nearestWord(words, today(), kMargin + kWidth - 10, kMargin + 10);
    ASSERT_NE(date, nullptr);
    EXPECT_NEAR(date->right, kMargin + kWidth - 10, 0.5);
    expectPageNumber(words, 0, 1);
    // The hidden column is not printed; the long street ends with "…" before the next column.
    EXPECT_EQ(countWords(words, "Zusatz") + countWords(words, "geheim"), 0);
    const auto street =
        std::find_if(words.begin(), words.end(), [](const PdfWord& w) { return w.text.starts_with("xxx"); });
    ASSERT_NE(street, words.end());
    EXPECT_TRUE(street->text.ends_with("\u2026")) << street->text;
    EXPECT_LT(street->right, kMargin + x[5]);
    EXPECT_EQ(countWords(words, "Summe:"), 0);
}

TEST_F(ListPrintoutTest, InvoiceListOverPagesEndsWithItsSum) {
    struct Case {
        const char* name;
        int rows;
        std::function<std::string(int)> amount;
        int pages;
        /// "" when no sum is printed.
        std::string sum;
        double sumY;
    };
    const auto cents = [](int i) { return std::to_string(i) + ",01"; };
    const Case cases[] = {
        // 48 rows fill a page; the sum needs the room of two.
        {"sum below the rows of page 1", 46, cents, 1, "1081,46", 29 + 46 * 5 + 1},
        {"sum alone on the next page", 48, cents, 2, "1176,48", 30},
        {"three pages", 100, cents, 3, "5051,00", 29 + 4 * 5 + 1},
        {"sum beyond the range of amounts", 2, [](int) { return std::string("92233720368547758,07"); }, 1, "",
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string lines;
        for (int i = 1; i <= c.rows; ++i)
            lines += std::to_string(i) + "|Kunde|1|" + c.amount(i) + "|01.12.2026\r\n";
        startWith("0\r\n", lines);
        const std::vector<double> x = columnStarts(kInvoiceList);
        const std::vector<PdfWord> words = printShownList(kInvoicesPage);
        ASSERT_FALSE(words.empty());
        ASSERT_EQ(words.back().page + 1, c.pages);
        for (int page = 0; page < c.pages; ++page) {
            const std::vector<PdfWord> onPage = wordsOnPage(words, page);
            expectPlaced(onPage, {{"Rechnungsliste", 10, 10}, {"Gesamtbetrag", x[3], 22}});
            expectPageNumber(onPage, page, c.pages);
            if (page * 48 < c.rows)
                expectPlaced(onPage, {{std::to_string(page * 48 + 1), x[0], 29}});
        }
        const std::vector<PdfWord> last = wordsOnPage(words, c.pages - 1);
        if (c.sum.empty()) {
            EXPECT_EQ(countWords(words, "Summe:"), 0);
            continue;
        }
        EXPECT_EQ(countWords(words, "Summe:"), 1);
        expectPlaced(last, {{"Summe:", 10, c.sumY}, {c.sum, x[3], c.sumY}});
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
             printTarget().pdfPath = dataPath("fehlt/liste.pdf");
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
        messages.clear();
        ASSERT_TRUE(chooseMenuItem("Liste drucken..."));
        dispatch();
        if (c.reported) {
            ASSERT_EQ(messages.size(), 1u) << c.name;
            EXPECT_EQ(messages[0].caption, "Fehler!");
            EXPECT_EQ(messages[0].text, "Die Liste konnte nicht gedruckt werden!");
        } else {
            EXPECT_TRUE(messages.empty()) << c.name;
        }
        EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(pdfPath()))) << c.name;
    }
}

} // namespace
