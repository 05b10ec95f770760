// The invoice and the delivery note, printed from a real lines list into a PDF (positions and texts)
// and onto a recording device (fonts and rules).

#include "printtesting.h"

#include "money/money.h"
#include "printing/deliverynoteprintout.h"
#include "printing/invoiceprintout.h"
#include "runtime/conversions.h"
#include "state/companydata.h"
#include "state/invoicestate.h"
#include "state/ratesplit.h"
#include "state/settings.h"
#include "toolkit/toolkit.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <random>

namespace {

class InvoicePrintoutTest : public PrintTest {
  protected:
    void SetUp() override {
        PrintTest::SetUp();
        settings() = defaultSettings();
        settings().taxRate = "19";
        invoiceState().invoiceCounter = 42;
        invoiceState().deliveryNoteNumber = 43;
        ASSERT_NE(openWindow(kDialogWindow, 0, 0, 782, 500, "Neue Rechnung", 1), 0);
        ASSERT_NE(useControlList(kDialogWindow), 0);
        ASSERT_NE(createReportList(kLinesList, 10, 120, 752, 490, "Pos", 25, kReportListFlags), 0);
        addColumn(kLinesList, 2, "Bezeichnung", 100);
        addColumn(kLinesList, 3, "Beschreibung", 120);
        addColumn(kLinesList, 4, "Einzelpr.", 60);
        addColumn(kLinesList, 5, "Menge", 60);
        addColumn(kLinesList, 6, "Gesamtpr.", 60);
    }

    void addLine(const std::string& designation, const std::string& description, const std::string& price,
                 const std::string& quantity, const std::string& total) {
        const std::string position = std::to_string(rowCount(kLinesList) + 1);
        addRow(kLinesList, -1,
               position + "\n" + designation + "\n" + description + "\n" + price + "\n" + quantity + "\n" +
                   total);
        invoiceState().invoiceLineCount = rowCount(kLinesList);
    }

    void clearLines() {
        while (rowCount(kLinesList) > 0)
            removeRow(kLinesList, 0);
        invoiceState().invoiceLineCount = 0;
    }

    /// "Seite <page + 1> von <pages>" at y, ending at the table's right edge and touching no other word.
    static void expectPageNumber(const std::vector<PdfWord>& onPage, int page, int pages, double y) {
        const auto at =
            std::find_if(onPage.begin(), onPage.end(), [](const PdfWord& w) { return w.text == "Seite"; });
        ASSERT_GE(onPage.end() - at, 4);
        EXPECT_EQ(at[1].text + " " + at[2].text + " " + at[3].text,
                  std::to_string(page + 1) + " von " + std::to_string(pages));
        EXPECT_NEAR(at[0].top, kMargin + y, 0.5);
        EXPECT_NEAR(at[3].right, kMargin + 185, 0.5);
        for (auto other = onPage.begin(); other != onPage.end(); ++other) {
            if (other >= at && other < at + 4)
                continue;
            const bool apart = other->left >= at[3].right || other->right <= at[0].left ||
                               other->top >= at[0].bottom || other->bottom <= at[0].top;
            EXPECT_TRUE(apart) << other->text;
        }
    }

    std::vector<PdfWord> printInvoiceToPdf() {
        printToPdf();
        EXPECT_TRUE(printInvoice());
        return readPdfWords(pdfPath());
    }

    /// Texts on the recorder whose cell starts at x millimetres, top to bottom, with their tops.
    std::vector<std::pair<std::string, int>> recordedColumn(float x) const {
        std::vector<std::pair<std::string, int>> column;
        for (const RecordedText& t : recording().texts) {
            if (t.x == mmToDevice(x))
                column.emplace_back(t.text, static_cast<int>(t.baseline) - t.ascent);
        }
        return column;
    }
    const RecordedText* recordedText(const std::string& utf8) const {
        for (const RecordedText& t : recording().texts) {
            if (t.text == utf8)
                return &t;
        }
        return nullptr;
    }
    /// Strokes counted by the height they are drawn at, each with the x it starts from.
    std::map<int, std::pair<int, int>> strokesByHeight() const {
        std::map<int, std::pair<int, int>> byHeight;
        for (const RecordedStroke& s : recording().strokes) {
            auto [it, inserted] = byHeight.try_emplace(s.y1, 0, s.x1);
            ++it->second.first;
        }
        return byHeight;
    }
};

// Gross prices print as stored under their own title; the totals take the net back from the gross sum.
TEST_F(InvoicePrintoutTest, GrossPricesPrintAsStoredAndTheTotalsTakeTheNetBack) {
    settings().pricesGross = 1;
    addLine("Schraube", "M6", "11,90", "2", "23,80");
    const std::vector<PdfWord> words = printInvoiceToPdf();
    EXPECT_EQ(invoiceState().printedFlag, 1);
    expectPlaced(words, {{"Rechnung", 25, 80},
                         {"42", 50.26, 80},
                         {"Pos.", 25, 87},
                         {"Art.-Nr.", 40, 87},
                         {"Bezeichnung", 65, 87},
                         {"Menge", 140, 87},
                         {"Einzelp.Brutto", 155, 87},
                         {"Betrag", 175, 87},
                         {"1", 30, 95},
                         {"Schraube", 40, 95},
                         {"M6", 65, 95},
                         {"2", 140, 95},
                         {"11,90", 160, 95},
                         {"23,80", 175, 95},
                         {"Nettogesamtbetrag", 145, 225},
                         {"+19%", 145, 230},
                         {"Rechnungsbetrag", 145, 235},
                         {"20,00", 175, 225},
                         {"3,80", 175, 230},
                         {"23,80", 175, 235}});
    EXPECT_EQ(countWords(words, "\u20AC"), 3);
    EXPECT_EQ(countWords(words, "Einzelp.Netto"), 0);
}

// Gross rows print as stored, so they add up to the printed gross total; the net is taken back once.
TEST_F(InvoicePrintoutTest, GrossRowsAddUpToTheGrossTotal) {
    settings().pricesGross = 1;
    for (int i = 0; i < 3; ++i)
        addLine("Scheibe", "klein", "0,05", "1", "0,05");
    const std::vector<PdfWord> words = printInvoiceToPdf();
    EXPECT_EQ(countWords(words, "0,05"), 6);
    expectPlaced(words, {{"0,05", 175, 109}, {"0,13", 175, 225}, {"0,02", 175, 230}, {"0,15", 175, 235}});
}

// The rate is read as typed, decimals and all, and the label shows it as typed.
TEST_F(InvoicePrintoutTest, TheTaxRateIsReadAsTyped) {
    struct Case {
        const char* rate;
        const char* label;
        const char* tax;
        const char* gross;
    };
    const Case cases[] = {
        {"19", "+19%", "7,13", "44,63"},
        {"", "+%", "0,00", "37,50"},
        {"7,5", "+7,5%", "2,81", "40,31"},
        {"16%", "+16%%", "6,00", "43,50"},
    };
    addLine("Mutter", "M8", "12,5", "3", "37,50");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rate);
        settings().taxRate = c.rate;
        const std::vector<PdfWord> words = printInvoiceToPdf();
        expectPlaced(words, {{"12,5", 160, 95},
                             {"37,50", 175, 95},
                             {c.label, 145, 230},
                             {"37,50", 175, 225},
                             {c.tax, 175, 230},
                             {c.gross, 175, 235}});
    }
}

// Lines of several rates: one tax line per rate from the sum of its rows, rounded once; exact totals.
TEST_F(InvoicePrintoutTest, MixedRatesPrintOneTaxLinePerRate) {
    struct Case {
        const char* name;
        int gross;
        std::vector<std::pair<const char*, const char*>> lines; // amount, rate ("" the options' 19)
        std::vector<std::string> labels;
        std::vector<std::string> amounts; // net, the taxes, gross
    };
    const Case cases[] = {
        {"net",
         0,
         {{"100,00", "7"}, {"50,00", ""}},
         {"zzgl. 7% MwSt. auf 100,00 \u20AC :", "zzgl. 19% MwSt. auf 50,00 \u20AC :"},
         {"150,00", "7,00", "9,50", "166,50"}},
        {"rounded once per rate",
         0,
         {{"0,05", "7"}, {"0,05", "19"}, {"0,05", "7"}, {"0,05", "7"}},
         {"zzgl. 7% MwSt. auf 0,15 \u20AC :", "zzgl. 19% MwSt. auf 0,05 \u20AC :"},
         {"0,20", "0,01", "0,01", "0,22"}},
        {"gross",
         1,
         {{"119,00", ""}, {"107,00", "7"}},
         {"enthaltene MwSt. 7%", "enthaltene MwSt. 19%"},
         {"200,00", "7,00", "19,00", "226,00"}},
        {"gross rounded once",
         1,
         {{"0,05", "7"}, {"0,05", "7"}, {"0,05", "7"}, {"1,19", ""}},
         {"enthaltene MwSt. 7%", "enthaltene MwSt. 19%"},
         {"1,14", "0,01", "0,19", "1,34"}},
        {"three rates",
         0,
         {{"10,00", "0"}, {"10,00", "7"}, {"10,00", ""}},
         {"zzgl. 0% MwSt. auf 10,00 \u20AC :", "zzgl. 7% MwSt. auf 10,00 \u20AC :",
          "zzgl. 19% MwSt. auf 10,00 \u20AC :"},
         {"30,00", "0,00", "0,70", "1,90", "32,60"}},
    };
    for (int c = 0; c < 3; ++c)
        addHiddenColumn(kLinesList);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clearLines();
        settings().pricesGross = c.gross;
        for (const auto& [amount, rate] : c.lines) {
            addLine("Brot", "", amount, "1", amount);
            setCell(kLinesList, rowCount(kLinesList) - 1, rate, kLineTaxColumn);
        }
        printToRecorder(24);
        ASSERT_TRUE(printInvoice());
        std::vector<std::string> labels;
        for (const auto& [text, top] : recordedColumn(c.gross ? 145 : 110)) {
            if (text.starts_with("zzgl.") || text.starts_with("enthaltene"))
                labels.push_back(text);
        }
        EXPECT_EQ(labels, c.labels);
        std::vector<std::string> amounts;
        int lastTop = 0;
        for (const auto& [text, top] : recordedColumn(175)) {
            if (top > mmToDevice(220))
                amounts.push_back(text.substr(0, text.size() - 4));
            lastTop = std::max(lastTop, top);
        }
        EXPECT_EQ(amounts, c.amounts);
        // The total and its double line end above the footer, whatever the number of rates.
        EXPECT_LE(lastTop, mmToDevice(240));
    }
}

// Lines of one rate but different categories (zero rated and exempt) stay apart: each category and
// rate is a breakdown of its own, its tax rounded once from its lines' sum.
TEST(RateSplitTest, OneGroupPerCategoryAndRate) {
    const auto amount = [](const char* text) { return money::parse<money::Amount>(text); };
    const TaxedAmount lines[] = {{"S", money::Rate{1900}, amount("10,00")},
                                 {"Z", {}, amount("5,00")},
                                 {"E", {}, amount("2,00")},
                                 {"S", money::Rate{1900}, amount("0,05")},
                                 {"S", money::Rate{700}, amount("1,00")}};
    const std::optional<RateSplit> split = splitByRate(lines, false);
    ASSERT_TRUE(split.has_value());
    std::vector<std::string> groups;
    for (const RateGroup& g : split->groups)
        groups.push_back(g.category + money::formatAmount(g.lineSum) + "/" +
                         money::formatAmount(g.totals.tax));
    EXPECT_EQ(groups, (std::vector<std::string>{"E2,00/0,00", "Z5,00/0,00", "S1,00/0,07", "S10,05/1,91"}));
    EXPECT_EQ(money::formatAmount(split->totals.gross), "20,03");
}

TEST_F(InvoicePrintoutTest, TotalLabelsKeepTheSizeOfWhatCameBefore) {
    struct Case {
        const char* name;
        int lines;
        int labelSize;
    };
    settings().otherTextSize = 9;
    settings().invoiceTextSize = 11;
    const Case cases[] = {{"no lines", 0, 9}, {"one line", 1, 11}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int i = rowCount(kLinesList); i < c.lines; ++i)
            addLine("D\xFC"
                    "bel",
                    "6 mm", "0,10", "100", "10,00");
        invoiceState().invoiceLineCount = c.lines;
        printToRecorder(24);
        ASSERT_TRUE(printInvoice());
        for (const char* label : {"Nettogesamtbetrag", "+19% Mwst.", "Rechnungsbetrag"}) {
            const RecordedText* t = recordedText(label);
            ASSERT_NE(t, nullptr) << label;
            EXPECT_EQ(t->pixelSize, characterHeight(c.labelSize, 96)) << label;
            EXPECT_FALSE(t->bold) << label;
        }
        const std::string amount = c.lines == 0 ? "0,00 \u20AC" : "10,00 \u20AC";
        const RecordedText* net = recordedText(amount);
        ASSERT_NE(net, nullptr);
        EXPECT_TRUE(net->bold);
        EXPECT_EQ(net->pixelSize, characterHeight(11, 96));
    }
}

TEST_F(InvoicePrintoutTest, RulesAndTheDoubleRule) {
    addLine("Schraube", "M6", "0,50", "10", "5,00");
    printToRecorder(24);
    ASSERT_TRUE(printInvoice());
    // Title rule at 80 + 5, column rule at 87 + 5, the totals' rule at 220 and the double rule at
    // 240 + 4 and 241 + 4; one millimetre of thickness is 24 strokes.
    const std::map<int, std::pair<int, int>> expected = {{85 * 24, {24, 25 * 24}},
                                                         {92 * 24, {24, 25 * 24}},
                                                         {220 * 24, {24, 25 * 24}},
                                                         {244 * 24, {96, 170 * 24}},
                                                         {245 * 24, {96, 170 * 24}}};
    EXPECT_EQ(strokesByHeight(), expected);
}

TEST_F(InvoicePrintoutTest, EighteenRowsFitAboveTheTotalsAtDefaultSizes) {
    for (int i = 0; i < 18; ++i)
        addLine("Teil", "x", "1,00", "1", "1,00");
    printToRecorder(24);
    ASSERT_TRUE(printInvoice());
    const auto positions = recordedColumn(30);
    ASSERT_EQ(positions.size(), 18u);
    for (std::size_t i = 0; i < positions.size(); ++i) {
        EXPECT_EQ(positions[i].first, std::to_string(i + 1));
        EXPECT_EQ(positions[i].second, static_cast<int>(95 + 7 * i) * 24);
    }
    EXPECT_EQ(positions.back().second, 214 * 24);
}

TEST_F(InvoicePrintoutTest, LargerInvoiceTextMovesNumberRowsAndDoubleRule) {
    settings().invoiceTextSize = 10;
    addLine("Schraube", "M6", "0,50", "10", "5,00");
    addLine("Mutter", "M6", "0,20", "10", "2,00");
    const std::vector<PdfWord> words = printInvoiceToPdf();
    expectPlaced(words, {{"42", 56.58, 80}, {"Schraube", 40, 95}, {"Mutter", 40, 103}, {"2,00", 175, 103}});

    printToRecorder(24);
    ASSERT_TRUE(printInvoice());
    const auto strokes = strokesByHeight();
    EXPECT_EQ(strokes.count(86 * 24), 1u);
    EXPECT_EQ(strokes.count(245 * 24), 1u);
    EXPECT_EQ(strokes.count(246 * 24), 1u);
}

TEST_F(InvoicePrintoutTest, CancelledDialogPrintsNothingAndKeepsTheFlag) {
    addLine("Schraube", "M6", "0,50", "10", "5,00");
    printTarget().kind = PrintTargetKind::Cancelled;
    for (int flag : {0, 1}) {
        invoiceState().printedFlag = flag;
        EXPECT_FALSE(printInvoice());
        EXPECT_EQ(invoiceState().printedFlag, flag);
        EXPECT_FALSE(printDeliveryNote());
        EXPECT_EQ(printJob().device, nullptr);
    }
}

TEST_F(InvoicePrintoutTest, DeliveryNoteRowsStandAtTheInvoicesHeightsWithoutPrices) {
    addLine("Schraube", "M6", "0,50", "10", "5,00");
    addLine("Mutter", "M8", "0,25", "20", "5,00");
    addLine("Scheibe", "8,4", "0,05", "30", "1,50");
    const std::vector<PdfWord> invoiceWords = printInvoiceToPdf();
    invoiceState().printedFlag = 0;

    printToPdf();
    ASSERT_TRUE(printDeliveryNote());
    const std::vector<PdfWord> noteWords = readPdfWords(pdfPath());
    EXPECT_EQ(invoiceState().printedFlag, 0);
    expectPlaced(noteWords, {{"Lieferschein", 25, 80}, {"43", 50.26, 80}, {"Menge", 140, 87}});
    for (const char* text : {"Schraube", "Mutter", "Scheibe", "M6", "M8", "8,4", "10", "20", "30"}) {
        const PdfWord* inInvoice = nearestWord(invoiceWords, text, 0, 0);
        const PdfWord* inNote = nearestWord(noteWords, text, 0, 0);
        ASSERT_TRUE(inInvoice && inNote) << text;
        EXPECT_NEAR(inNote->top, inInvoice->top, 0.01) << text;
        EXPECT_NEAR(inNote->left, inInvoice->left, 0.01) << text;
    }
    for (const char* absent : {"Einzelp.Netto", "Betrag", "Nettogesamtbetrag", "Rechnungsbetrag", "0,50",
                               "5,00", "\u20AC", "Rechnung", "42"})
        EXPECT_EQ(countWords(noteWords, absent), 0) << absent;
}

TEST_F(InvoicePrintoutTest, EmptyDeliveryNoteHasFrameTitlesAndThreeRules) {
    invoiceState().invoiceLineCount = 0;
    printToRecorder(24);
    ASSERT_TRUE(printDeliveryNote());
    const std::map<int, std::pair<int, int>> expected = {
        {85 * 24, {24, 25 * 24}}, {92 * 24, {24, 25 * 24}}, {220 * 24, {24, 25 * 24}}};
    EXPECT_EQ(strokesByHeight(), expected);
    EXPECT_NE(recordedText("Lieferschein Nr.:"), nullptr);
    EXPECT_NE(recordedText("43"), nullptr);
    EXPECT_EQ(recordedColumn(30).size(), 0u);
}

/// The description that tells row apart from the others: "D<row + 1>".
std::string rowMark(int row) {
    std::string mark = "D";
    mark += std::to_string(row + 1);
    return mark;
}

TEST_F(InvoicePrintoutTest, LongDocumentsGoOnOnFurtherPages) {
    struct Case {
        const char* name;
        bool deliveryNote;
        int textSize;
        /// The rows each page holds; a last 0 is the page the totals stand on alone.
        std::vector<int> rowsPerPage;
    };
    const Case cases[] = {
        {"18 rows: one page as before", false, 8, {18}},
        {"19 rows", false, 8, {18, 1}},
        {"36 rows: the last ones still above the totals", false, 8, {18, 18}},
        {"37 rows: the totals on a page of their own", false, 8, {18, 19, 0}},
        {"59 rows: a full page in the middle", false, 8, {18, 20, 20, 1}},
        {"17 rows at the largest sizes", false, 11, {16, 1}},
        {"120-row delivery note", true, 8, {18, 20, 20, 20, 20, 20, 2}},
    };
    invoiceState().customerFullName = "Erika K\xFChn";
    const std::string carry = "\xDC"
                              "bertrag:";
    settings().logoLine1 = "Holzwerk";
    settings().taxNumber = "12/345/67890";
    invoiceState().customerNumberText = std::string("1234");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Size 11 comes with the largest sizes the options window offers.
        const bool largest = c.textSize == 11;
        settings().logoSize = largest ? 21 : 18;
        settings().companyAddressSize = largest ? 9 : 6;
        settings().customerAddressSize = largest ? 13 : 10;
        settings().otherTextSize = largest ? 10 : 7;
        settings().invoiceTextSize = c.textSize;
        clearLines();
        const int rows = std::accumulate(c.rowsPerPage.begin(), c.rowsPerPage.end(), 0);
        for (int row = 0; row < rows; ++row)
            addLine("Teil", rowMark(row), "1,25", "1", "1,25");
        printToPdf();
        ASSERT_TRUE(c.deliveryNote ? printDeliveryNote() : printInvoice());
        const std::vector<PdfWord> words = readPdfWords(pdfPath());
        const int pages = static_cast<int>(c.rowsPerPage.size());
        ASSERT_FALSE(words.empty());
        EXPECT_EQ(words.back().page + 1, pages);
        const double step = lineStep(c.textSize, 5);
        const std::string title = c.deliveryNote ? "Lieferschein" : "Rechnung";
        money::Amount carried;
        int row = 0;
        for (int page = 0; page < pages; ++page) {
            SCOPED_TRACE("page " + std::to_string(page + 1));
            const std::vector<PdfWord> onPage = wordsOnPage(words, page);
            const double head = page == 0 ? 80 : 10;
            const double pageEnd = page == 0 ? 220 : 235;
            const bool last = page + 1 == pages;
            EXPECT_EQ(countWords(onPage, "Adresse"), 5);
            expectPlaced(onPage, {{title, 25, head}, {"Pos.", 25, page == 0 ? 87.0 : 80.0}});
            if (pages > 1)
                expectPageNumber(onPage, page, pages, head);
            double y = 95;
            if (page > 0) {
                expectPlaced(onPage, {{"Erika", 25, 16}});
                if (!c.deliveryNote)
                    expectPlaced(onPage, {{carry, 145, 88}, {money::formatAmount(carried), 175, 88}});
            }
            for (int i = 0; i < c.rowsPerPage[static_cast<std::size_t>(page)]; ++i, ++row, y += step) {
                expectPlaced(onPage, {{rowMark(row), 65, y}});
                carried.units += 125;
            }
            if (c.deliveryNote)
                continue;
            // The sum carried from the last page is the net total.
            expectPlaced(onPage, {{last ? "Nettogesamtbetrag" : carry, 145, last ? 225 : pageEnd + 5},
                                  {money::formatAmount(carried), 175, last ? 225 : pageEnd + 5}});
            EXPECT_EQ(countWords(onPage, "\u00DCbertrag:"), (page > 0) + !last);
        }
        EXPECT_EQ(countWords(words, "Seite"), pages > 1 ? pages : 0);
        EXPECT_EQ(row, rows);
    }
}

TEST_F(InvoicePrintoutTest, LongTextsWrapInTheirColumnsAndAddressLinesEndInTheArea) {
    const std::string description = "Edelstahl mit Flansch und Sperrverzahnung, passend f\xFCr alle Gewinde";
    invoiceState().customerStreet =
        "Am Langen Wege 1, Hinterhof links, dritter Aufgang, Werkstatt im Keller, "
        "bei Familie Mustermann-Schneider bitte zweimal klingeln";
    addLine("Holzschraube verzinkt", description, "1,00", "1", "1,00");
    addLine("Donaudampfschifffahrtsgesellschaft", "kurz", "1,00", "1", "1,00");
    for (int row = 2; row < 18; ++row)
        addLine("Teil", rowMark(row), "1,00", "1", "1,00");
    const std::vector<PdfWord> words = printInvoiceToPdf();

    // Two lines 4 mm apart in each of the first two rows; the rows below move down by those lines,
    // and the 18th row, now at 222, goes to page 2.
    expectPlaced(words, {{"Holzschraube", 40, 95},
                         {"verzinkt", 40, 99},
                         {"Edelstahl", 65, 95},
                         {"kurz", 65, 106},
                         {rowMark(2), 65, 117},
                         {rowMark(16), 65, 215}});
    EXPECT_EQ(words.back().page, 1);
    expectPlaced(wordsOnPage(words, 1), {{rowMark(17), 65, 95}});
    // The columns from x 40 and x 65 of these rows hold all of their texts, each word inside.
    std::map<int, std::string> columns;
    for (const PdfWord& w : wordsOnPage(words, 0)) {
        const double left = w.left - kMargin;
        if (w.top - kMargin > 94.5 && w.top - kMargin < 110.5 && left > 39.5 && left < 139.5) {
            const int x = left < 64.5 ? 40 : 65;
            EXPECT_LE(w.right - kMargin, x == 40 ? 64.5 : 139.5) << w.text;
            columns[x] += (columns[x].empty() ? "" : " ") + w.text;
        }
    }
    std::erase(columns[40], ' ');
    EXPECT_EQ(columns[40], "HolzschraubeverzinktDonaudampfschifffahrtsgesellschaft");
    EXPECT_EQ(columns[65], toQString(description + " kurz").toStdString());
    EXPECT_EQ(countWords(words, "Donaudampfschifffahrtsgesellschaft"), 0);

    // The street ends with "…" at the right edge of the printable area.
    const auto streetEnd = std::find_if(
        words.rbegin(), words.rend(), [](const PdfWord& w) { return std::abs(w.top - kMargin - 60) < 0.5; });
    ASSERT_NE(streetEnd, words.rend());
    EXPECT_TRUE(streetEnd->text.ends_with("\u2026")) << streetEnd->text;
    EXPECT_NEAR(streetEnd->right, kMargin + 195, 5.5);
}

TEST_F(InvoicePrintoutTest, ThePrintJobIsNamedAfterTheDocumentAndItsNumber) {
    addLine("Teil", "kurz", "1,00", "1", "1,00");
    for (const auto& [deliveryNote, name] : {std::pair{false, "Rechnung 42"}, {true, "Lieferschein 43"}}) {
        printToPdf();
        ASSERT_TRUE(deliveryNote ? printDeliveryNote() : printInvoice());
        QProcess info;
        info.start("pdfinfo", {QString::fromStdString(pdfPath())});
        ASSERT_TRUE(info.waitForFinished(30000));
        EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput())
                        .contains(QRegularExpression(QString("(^|\\n)Title: +") + name + "\\n")));
    }
}

TEST_F(InvoicePrintoutTest, NoTextBoxMeetsARuleOverRandomWrappedRowsAndEverySize) {
    std::mt19937 random(24);
    const auto words = [&random](int most) {
        std::string text = "Kiefer";
        for (int n = std::uniform_int_distribution(0, most)(random); n > 0; --n)
            text += " Leimholz";
        return text;
    };
    for (int size = 8; size <= 11; ++size) {
        settings().invoiceTextSize = size;
        for (int trial = 0; trial < 40; ++trial) {
            SCOPED_TRACE("size " + std::to_string(size) + ", trial " + std::to_string(trial));
            clearLines();
            for (int row = std::uniform_int_distribution(10, 45)(random); row > 0; --row)
                addLine(words(4), words(14), "1,00", "1", "1,00");
            printToRecorder(8);
            ASSERT_TRUE(trial % 2 == 0 ? printInvoice() : printDeliveryNote());
            // Every rule across the table, against every text cell of its page.
            for (const RecordedStroke& rule : recording().strokes) {
                if (rule.y1 != rule.y2 || rule.x1 != mmToDevice(25))
                    continue;
                for (const RecordedText& t : recording().texts) {
                    const bool meets = t.page == rule.page && t.baseline - t.ascent <= rule.y1 &&
                                       t.baseline + t.descent >= rule.y1;
                    EXPECT_FALSE(meets) << t.text << " meets the rule at " << rule.y1 / 8.0 << " mm";
                }
            }
        }
    }
}

TEST_F(InvoicePrintoutTest, PrintedOnlyWhenEveryPageWasDrawn) {
    struct Case {
        const char* name;
        int rows;
        int pageLimit;
        int printedFlag;
        int pages;
    };
    const Case cases[] = {
        {"one page", 18, 1, 1, 1},
        {"second page refused", 19, 1, 0, 1},
        {"two pages", 19, 2, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clearLines();
        for (int row = 0; row < c.rows; ++row)
            addLine("Teil", rowMark(row), "1,00", "1", "1,00");
        invoiceState().printedFlag = 0;
        printToRecorder(24);
        printTarget().recorderPageLimit = c.pageLimit;
        EXPECT_EQ(printInvoice().outcome, c.printedFlag == 1 ? PrintOutcome::Printed : PrintOutcome::Refused);
        EXPECT_EQ(invoiceState().printedFlag, c.printedFlag);
        EXPECT_EQ(recording().page + 1, c.pages);
        EXPECT_EQ(recording().paintingsEnded, 1);
        // Nothing meant for a refused page lands on the page before it.
        EXPECT_EQ(recording().texts.back().page, c.pages - 1);
        EXPECT_EQ(recordedText("Nettogesamtbetrag") != nullptr, c.printedFlag == 1);
    }
}

// What company data add lies inside the page and clear of every other word at the default and the
// largest sizes; "Seite k von m" shows on documents of two pages.
TEST_F(InvoicePrintoutTest, CompanyDataTextsStandInsideThePageClearOfOtherWords) {
    struct Case {
        const char* name;
        bool largest;
        bool smallBusiness;
        bool deliveryNote;
        int rows;
    };
    const Case cases[] = {
        {"default sizes, two pages", false, false, false, 19},
        {"largest sizes, two pages", true, false, false, 17},
        {"small business, largest sizes", true, true, false, 3},
        {"delivery note", true, false, true, 17},
    };
    invoiceState().deliveryDateText = "30.11.2026";
    invoiceState().paymentDays = 14;
    companyData().vatId = "DE123456789";
    companyData().paymentTerms = "Zahlbar innerhalb von {Tage} Tagen ohne Abzug, danach mit Verzugszinsen in "
                                 "gesetzlicher H\xF6he und Mahngeb\xFChren.";
    const std::string due = formatDate("%dd.%mm.%yyyy", addDays(currentDate(), 14));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Settings& s = settings();
        s.logoSize = c.largest ? 21 : 18;
        s.companyAddressSize = c.largest ? 9 : 6;
        s.customerAddressSize = c.largest ? 13 : 10;
        s.invoiceTextSize = c.largest ? 11 : 8;
        s.otherTextSize = c.largest ? 10 : 7;
        companyData().smallBusiness = c.smallBusiness;
        clearLines();
        for (int row = 0; row < c.rows; ++row)
            addLine("Teil", "Eiche", "1234,56", "1", "1234,56");
        std::vector<PdfWord> without;
        std::vector<PdfWord> with;
        for (const bool present : {false, true}) {
            companyData().present = present;
            printToPdf();
            ASSERT_TRUE(c.deliveryNote ? printDeliveryNote() : printInvoice());
            (present ? with : without) = readPdfWords(pdfPath());
        }
        ASSERT_FALSE(with.empty());
        std::map<std::string, int> added;
        for (const PdfWord& w : with) {
            const std::vector<PdfWord> samePage = wordsOnPage(without, w.page);
            const PdfWord* same = nearestWord(samePage, w.text, w.left, w.top);
            if (same && std::hypot(same->left - w.left, same->top - w.top) < 0.2)
                continue;
            ++added[w.text];
            if (w.text == "bis") {
                EXPECT_EQ(w.page, with.back().page);
            }
            EXPECT_GE(w.left, kMargin - 0.05) << w.text;
            EXPECT_LE(w.right, kMargin + printJob().widthMm + 0.05) << w.text;
            for (const PdfWord& other : with) {
                const bool apart = other.page != w.page || other.left >= w.right - 0.05 ||
                                   other.right <= w.left + 0.05 || other.top >= w.bottom - 0.05 ||
                                   other.bottom <= w.top + 0.05;
                EXPECT_TRUE(apart || &other == &w) << w.text << " meets " << other.text;
            }
        }
        std::vector<std::string> expected = {"USt-IdNr.:", "DE123456789", "Leistungsdatum:", "30.11.2026"};
        if (!c.deliveryNote)
            expected.insert(expected.end(), {"bis", due, "Zahlbar", "14"});
        if (c.smallBusiness)
            expected.insert(expected.end(), {"Rechnungsbetrag", "UStG"});
        for (const std::string& text : expected)
            EXPECT_EQ(added[text], text == "Zahlbar" ? 2 : 1) << text;
        // The terms end with "…" so that the due date stays whole.
        EXPECT_EQ(added["Mahngeb\u00FChren."], 0);
    }
}

TEST_F(InvoicePrintoutTest, ASmallBusinessPrintsStoredPricesAndOneExactTotalWithoutTax) {
    companyData().present = companyData().smallBusiness = true;
    settings().pricesGross = 1;
    addLine("Schraube", "M6", "11,90", "1", "11,90");
    addLine("Mutter", "M6", "0,01", "1", "0,01");
    const std::vector<PdfWord> words = printInvoiceToPdf();
    expectPlaced(words, {{"Einzelpreis", 155, 87},
                         {"11,90", 160, 95},
                         {"Rechnungsbetrag", 145, 225},
                         {"11,91", 175, 225},
                         {"Gem\xE4\xDF", 25, 235}});
    for (const char* absent : {"Einzelp.Netto", "10,00", "Nettogesamtbetrag", "Mwst."})
        EXPECT_EQ(countWords(words, absent), 0) << absent;
    EXPECT_EQ(countWords(words, "\u20AC"), 1);
}

} // namespace
