// The letterhead and the footer, printed into a real PDF and read back with their positions.

#include "printtesting.h"

#include "printing/pageframe.h"
#include "runtime/conversions.h"
#include "state/companydata.h"
#include "state/invoicestate.h"
#include "state/settings.h"

namespace {

class PageFrameTest : public PrintTest {
  protected:
    void SetUp() override {
        PrintTest::SetUp();
        settings() = defaultSettings();
    }
    void fillLetterhead() {
        Settings& s = settings();
        s.logoLine1 = "Holzwerk";
        s.logoLine2 = "Tischlerei";
        s.companyAddress = "Holzwerk GmbH, S\xE4geweg 1";
        s.taxNumber = "12/345/67890";
        InvoiceState& invoice = invoiceState();
        invoice.customerSalutation = "Frau";
        invoice.customerFullName = "Erika K\xFChn";
        invoice.customerAddition = "Hinterhaus";
        invoice.customerStreet = "Lindenweg 4";
        invoice.customerTown = "12345 M\xFCnster";
        invoice.customerNumberText = std::string("7");
    }
    std::vector<PdfWord> printFrame() {
        printToPdf();
        EXPECT_TRUE(beginPrintout("test"));
        setTransparentText();
        drawLetterhead();
        drawFooter();
        EXPECT_TRUE(endPrintout());
        return readPdfWords(pdfPath());
    }
    static std::vector<Placed> footerAt(std::vector<double> ys) {
        std::vector<Placed> placed;
        for (double y : ys) {
            placed.push_back({"Adresse", 25, y});
            placed.push_back({"Telefon", 65, y});
            placed.push_back({"Bankverbindung", 110, y});
            placed.push_back({"Name", 160, y});
        }
        return placed;
    }
};

TEST_F(PageFrameTest, LetterheadAndFooterStandAtTheirMillimetres) {
    struct Case {
        const char* name;
        int logoSize;
        int customerAddressSize;
        int otherTextSize;
        double logoLine2;
        std::vector<double> address;
        double customerNumber;
        std::vector<double> footer;
        /// From size 10 on, "Datum:" and "Kd-Nr.:" reach their values and read as one word.
        bool labelsTouchValues;
    };
    const Case cases[] = {
        {"default sizes", 18, 10, 7, 17, {45, 50, 55, 60, 65}, 74, {250, 254, 258, 262, 266}, false},
        {"address 13, others 10, logo 21",
         21,
         13,
         10,
         18,
         {45, 50, 55, 60, 65},
         75,
         {250, 255, 260, 265, 270},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fillLetterhead();
        settings().logoSize = c.logoSize;
        settings().customerAddressSize = c.customerAddressSize;
        settings().otherTextSize = c.otherTextSize;
        const std::vector<PdfWord> words = printFrame();
        ASSERT_FALSE(words.empty());
        const std::string today = formatDate("%dd.%mm.%yyyy", currentDate());
        expectPlaced(words, {{"Holzwerk", 25, 10},
                             {"Tischlerei", 25, c.logoLine2},
                             {"Holzwerk", 25, 40},
                             {"Frau", 25, c.address[0]},
                             {"Erika", 25, c.address[1]},
                             {"Hinterhaus", 25, c.address[2]},
                             {"Lindenweg", 25, c.address[3]},
                             {"12345", 25, c.address[4]},
                             {"St.-Nr.:", 145, 45},
                             {"12/345/67890", 160, 45}});
        if (c.labelsTouchValues) {
            expectPlaced(words, {{"Datum:" + today, 175, 70}, {"Kd-Nr.:7", 175, c.customerNumber}});
        } else {
            expectPlaced(words, {{"Datum:", 175, 70},
                                 {today, 185, 70},
                                 {"Kd-Nr.:", 175, c.customerNumber},
                                 {"7", 185, c.customerNumber}});
        }
        expectPlaced(words, footerAt(c.footer));
        EXPECT_EQ(countWords(words, "Adresse"), 5);
        EXPECT_EQ(countWords(words, "M\xC3\xBCnster"), 1);
    }
}

TEST_F(PageFrameTest, NoCustomerAndNoSettingsFileLeaveTheirPlacesEmpty) {
    const std::vector<PdfWord> words = printFrame();
    const std::string today = formatDate("%dd.%mm.%yyyy", currentDate());
    expectPlaced(words, {{"St.-Nr.:", 145, 45}, {"Datum:", 175, 70}, {today, 185, 70}, {"Kd-Nr.:", 175, 74}});
    expectPlaced(words, footerAt({250, 254, 258, 262, 266}));
    // Four letterhead words and five lines of six footer words: nothing else is on the page.
    EXPECT_EQ(words.size(), 4u + 5u * 6u);
    for (const char* text : {"Adresse", "Telefon", "Telefax", "Bankverbindung", "Name", "Steuernummer"})
        EXPECT_EQ(countWords(words, text), 5) << text;
}

// Paper and e-invoice name the same tax number once there are company data.
TEST_F(PageFrameTest, TheCompanyDataTaxNumberStandsAfterStNrWhenTheyHaveOne) {
    struct Case {
        const char* name;
        bool present;
        const char* companyNumber;
        const char* printed;
    };
    const Case cases[] = {
        {"no Firma.ini", false, "22/222/22222", "11/111/11111"},
        {"company data with a tax number", true, "22/222/22222", "22/222/22222"},
        {"company data without one", true, "", "11/111/11111"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings().taxNumber = "11/111/11111";
        companyData().present = c.present;
        companyData().taxNumber = c.companyNumber;
        const std::vector<PdfWord> words = printFrame();
        expectPlaced(words, {{c.printed, 160, 45}});
        EXPECT_EQ(countWords(words, c.printed), 1);
    }
}

TEST_F(PageFrameTest, FooterBlockWithOnlyItsFirstLinePrintsOneLine) {
    settings().footerLines3 = {"Sparkasse", "", "", "", ""};
    const std::vector<PdfWord> words = printFrame();
    expectPlaced(words, {{"Sparkasse", 110, 250}});
    EXPECT_EQ(countWords(words, "Sparkasse"), 1);
    EXPECT_EQ(countWords(words, "Bankverbindung"), 0);
    EXPECT_EQ(countWords(words, "Adresse"), 5);
}

TEST_F(PageFrameTest, EachGroupHasItsOwnTextSize) {
    fillLetterhead();
    settings().logoSize = 19;
    settings().companyAddressSize = 8;
    settings().customerAddressSize = 12;
    settings().otherTextSize = 9;
    printToRecorder(24);
    ASSERT_TRUE(beginPrintout("test"));
    drawLetterhead();
    drawFooter();
    ASSERT_TRUE(endPrintout());

    const int other = characterHeight(9, 96);
    const std::pair<std::string, int> expected[] = {
        {"Holzwerk", characterHeight(19, 96)},
        {"Tischlerei", characterHeight(19, 96)},
        {"Holzwerk GmbH, S\u00E4geweg 1", characterHeight(8, 96)},
        {"Frau", characterHeight(12, 96)},
        {"12345 M\u00FCnster", characterHeight(12, 96)},
        {"St.-Nr.:", other},
        {"12/345/67890", other},
        {"Kd-Nr.:", other},
        {"7", other},
        {"Adresse", other},
        {"Name Steuernummer", other},
    };
    for (const auto& [text, height] : expected) {
        bool found = false;
        for (const RecordedText& t : recording().texts) {
            if (t.text != text)
                continue;
            found = true;
            EXPECT_EQ(t.pixelSize, height) << text;
            EXPECT_FALSE(t.bold) << text;
        }
        EXPECT_TRUE(found) << text;
    }
}

} // namespace
