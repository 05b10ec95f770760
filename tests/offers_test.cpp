// Offers: their register read and written back, their own number series, the printout, and an offer
// made into an invoice through the real windows.

#include "datafiles/offerfile.h"
#include "printing/printjob.h"
#include "printing/printtarget.h"
#include "printtesting.h"
#include "runtime/conversions.h"
#include "runtime/linefile.h"
#include "state/offerstate.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

const std::string kFolder = "2\r\nFrau|Muster|Erika|c/o Firma|Ringweg 2|Beispielort\r\n"
                            "Herr|Beispiel|Max||Hauptstr. 1|Musterstadt\r\n"
                            "2\r\nMutter|Teile|0,25|M6 verzinkt\r\nSchraube|Teile|0,50|M6\r\n0\r\n";

std::vector<std::string> column(int list, int c) {
    std::vector<std::string> cells;
    for (int r = 0; r < rowCount(list); ++r)
        cells.push_back(getCell(list, r, c));
    return cells;
}

class OffersTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        writeData("Daten.dat", kFolder);
    }
    void TearDown() override {
        resetPrintJob();
        ProgramTest::TearDown();
    }
    static void press(int button) {
        ASSERT_TRUE(clickButton(button));
        dispatch();
    }
    void offerToPdf(int customer, const QString& quantity, PrintTargetKind kind = PrintTargetKind::PdfFile) {
        printTarget().kind = kind;
        printTarget().pdfPath = dataPath("angebot.pdf");
        press(kNewOfferButton);
        ASSERT_TRUE(selectRow(kCustomerPicks, customer));
        dispatch();
        press(kNewLineButton);
        ASSERT_TRUE(doubleClickRow(kArticlePicks, 1));
        dispatch();
        ASSERT_TRUE(typeInto(kQuantityField, quantity));
        press(kLineOkButton);
        press(kCreateOfferButton);
    }
};

struct RegisterRow {
    const char* name;
    std::string line;
    /// The line written back; "" when the line gives no offer.
    std::string written;
};

TEST_F(OffersTest, RegisterLinesRoundTripWithAKnownStatus) {
    const RegisterRow rows[] = {
        {"open", "7|Meier|3|10,00|01.02.2026|03.03.2026|offen",
         "7|Meier|3|10,00|01.02.2026|03.03.2026|offen"},
        {"invoiced", "2|A|1|1,00|01.02.2026|02.02.2026|abgerechnet mit Rechnung 17",
         "2|A|1|1,00|01.02.2026|02.02.2026|abgerechnet mit Rechnung 17"},
        {"rejected", "3|A|1|1,00|x|y|abgelehnt", "3|A|1|1,00|x|y|abgelehnt"},
        {"unknown status", "4|A|1|1,00|x|y|vielleicht", "4|A|1|1,00|x|y|offen"},
        {"invoice no number", "5|A|1|1,00|x|y|abgerechnet mit Rechnung ..", "5|A|1|1,00|x|y|offen"},
        {"five fields", "6|A|1|1,00|x", "6|A|1|1,00|x||offen"},
        {"highest first", "9|A|1|1,00|x|y|offen\r\n3|B|1|1,00|x|y|offen",
         "9|A|1|1,00|x|y|offen\r\n3|B|1|1,00|x|y|offen"},
        {"no number", "|A|1", ""},
    };
    for (const RegisterRow& row : rows) {
        writeData("AngData.dat", row.line + "\r\n");
        start();
        ASSERT_TRUE(saveOffers()) << row.name;
        EXPECT_EQ(readData("AngData.dat"), row.written.empty() ? "" : row.written + "\r\n") << row.name;
        EXPECT_EQ(offerState().highestOffer, row.written.empty() ? 0 : parseInt(row.line)) << row.name;
    }
}

TEST_F(OffersTest, OffersAreNumberedPrintedAndStoredApart) {
    writeData("AngData.dat", "4|Muster|1|1,00|01.01.2026|31.01.2026|abgelehnt\r\n");
    start();
    offerToPdf(1, "10", PrintTargetKind::Cancelled);
    EXPECT_TRUE(windowExists(kDialogWindow)); // cancelled: no number used, nothing to tell
    EXPECT_TRUE(messages.empty());
    printTarget().kind = PrintTargetKind::PdfFile;
    press(kCreateOfferButton);
    EXPECT_EQ(column(kOfferList, 0), (std::vector<std::string>{"4", "5"}));
    EXPECT_EQ(column(kOfferList, kOfferStatusColumn), (std::vector<std::string>{"abgelehnt", "offen"}));
    EXPECT_EQ(getCell(kOfferList, 1, kOfferValidColumn),
              formatDate("%dd.%mm.%yyyy", addDays(currentDate(), 30)));
    EXPECT_EQ(readData("Angebote/5.txt"),
              "Herr\r\nMax Beispiel\r\n\r\nHauptstr. 1\r\nMusterstadt\r\nSchraube 0,50 M6\r\n5,00\r\n");
    EXPECT_EQ(fileSize("ReData.dat"), -1);
    const std::vector<PdfWord> words = readPdfWords(dataPath("angebot.pdf"));
    for (const char* word : {"Angebot", "5", "G\xC3\xBCltig", "Gesamtbetrag"})
        EXPECT_TRUE(std::any_of(words.begin(), words.end(), [&](const PdfWord& w) { return w.text == word; }))
            << word;
    EXPECT_FALSE(std::any_of(words.begin(), words.end(), [](const PdfWord& w) {
        return w.text == "Rechnung" || w.text == "Rechnungsbetrag";
    }));
}

TEST_F(OffersTest, AnOfferBecomesAnInvoiceWithItsCustomerAndLines) {
    start();
    offerToPdf(1, "10");
    ASSERT_TRUE(selectRow(kOfferList, 0));
    press(kOfferToInvoiceButton);
    // Given up for a plain invoice, which settles no offer.
    answerNext(kAnswerYes);
    press(kNewInvoiceButton);
    ASSERT_TRUE(selectRow(kCustomerPicks, 0));
    dispatch();
    answerNext(kAnswerYes);
    press(kCreateInvoiceButton);
    EXPECT_EQ(getCell(kOfferList, 0, kOfferStatusColumn), "offen");
    press(kOfferToInvoiceButton);
    ASSERT_TRUE(windowExists(kDialogWindow));
    EXPECT_EQ(column(kLinesList, 1), (std::vector<std::string>{"Schraube"}));
    EXPECT_EQ(column(kLinesList, 4), (std::vector<std::string>{"10"}));
    press(kCreateInvoiceButton);
    EXPECT_EQ(column(kInvoiceList, 1), (std::vector<std::string>{"Muster", "Beispiel"}));
    EXPECT_EQ(column(kInvoiceList, 3), (std::vector<std::string>{"0,00", "5,00"}));
    EXPECT_EQ(getCell(kOfferList, 0, kOfferStatusColumn), "abgerechnet mit Rechnung 2");
    // A second invoice from it is asked for; "Nein" opens nothing.
    messages.clear();
    answerNext(kAnswerNo);
    press(kOfferToInvoiceButton);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_FALSE(windowExists(kDialogWindow));
}

} // namespace
