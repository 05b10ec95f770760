// Cancellations and credit notes of issued invoices, driven through the real program with company
// data: numbers, signs, register rows, Korrekturen.dat, the status column, the archived credit note
// (type 381 naming the original) and the official rules over it; then the refusals.

#include "datafiles/invoicelines.h"
#include "einvoicefolder.h"
#include "einvoicetesting.h"
#include "invoicing/correction.h"
#include "invoicing/correctionstatus.h"
#include "payments/openitems.h"
#include "printing/printjob.h"
#include "printing/printtarget.h"
#include "runtime/conversions.h"
#include "state/companydata.h"
#include "state/invoicestate.h"
#include "state/settings.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"

#include <QDir>

namespace {

const std::string kCustomers = "1\r\nFrau|Muster|Erika|c/o Amt|Ringweg 2|54321 Beispielort|erika@amt.de|"
                               "||54321|Beispielort|DE\r\n";
const std::string kArticles = "2\r\nSchraube|Teile|0,50|M6\r\nBrett|Holz|12,00|\r\n";

class CorrectionTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        writeData("Daten.dat", kCustomers + kArticles + "0\r\n");
        writeData("Firma.ini", companyFile(kCompleteCompany));
        start();
        settings().taxRate = "19";
        printTarget().kind = PrintTargetKind::PdfFile;
        printTarget().pdfPath = dataPath("druck.pdf");
    }
    void TearDown() override {
        resetPrintJob();
        resetPrintTarget();
        ProgramTest::TearDown();
    }
    static void press(int button) {
        ASSERT_TRUE(clickButton(button));
        dispatch();
    }
    // An invoice of 10 screws and 2 boards: 29,00 net.
    void issueInvoice(const char* supplyDate = nullptr) {
        press(kNewInvoiceButton);
        ASSERT_TRUE(selectRow(kCustomerPicks, 0));
        dispatch();
        for (const auto& [article, quantity] : {std::pair{0, "10"}, std::pair{1, "2"}}) {
            press(kNewLineButton);
            ASSERT_TRUE(doubleClickRow(kArticlePicks, article));
            dispatch();
            ASSERT_TRUE(typeInto(kQuantityField, quantity));
            press(kLineOkButton);
        }
        if (supplyDate) {
            ASSERT_TRUE(typeInto(kDeliveryDateField, supplyDate));
        }
        press(kCreateInvoiceButton);
    }
    static std::vector<InvoiceLine> linesOf(int number, std::size_t count, money::Quantity quantity) {
        std::vector<InvoiceLine> lines = readInvoiceLines(std::to_string(number)).lines;
        lines.resize(count);
        for (InvoiceLine& l : lines) {
            l.quantity = quantity.units ? quantity : l.quantity;
            l.amount = *money::lineAmount(l.quantity, l.unitPrice);
        }
        return lines;
    }
};

TEST_F(CorrectionTest, CancellationAndCreditNotesAreRegisteredArchivedAndShown) {
    ASSERT_NO_FATAL_FAILURE(issueInvoice("16.11.2026"));
    for (int i = 0; i < 2; ++i)
        ASSERT_NO_FATAL_FAILURE(issueInvoice());
    const std::string today = formatDate("%dd.%mm.%yyyy", currentDate());
    // Invoice 1 cancelled by 4 (with the question), 2 credited in full by 5, 3 partly by 6.
    ASSERT_TRUE(selectRow(kInvoiceList, 0));
    answerNext(kAnswerYes);
    press(kCancelCorrectionButton);
    EXPECT_EQ(issueCorrection({CorrectionKind::CreditNote, 1, linesOf(2, 2, {}),
                               "Ware besch\xE4"
                               "digt"}),
              CorrectionOutcome::Issued);
    EXPECT_EQ(issueCorrection({CorrectionKind::CreditNote, 2, linesOf(3, 1, {2000}), "Zu viel berechnet"}),
              CorrectionOutcome::Issued);
    ASSERT_TRUE(errorTexts().empty()) << errorTexts().front();
    struct Case {
        int number;
        std::string registerTotal;
        std::string status;
        std::string kind; // Korrekturen.dat's line without the date, "" for an invoice
        std::string grandTotal;
    };
    const Case cases[] = {
        {1, "29,00", "storniert durch 4", "", ""},
        {2, "29,00", "gutgeschrieben", "", ""},
        {3, "29,00", "teilweise gutgeschrieben", "", ""},
        {4, "-29,00", "Storno zu 1", "4|Storno|1|", "34.51"},
        {5, "-29,00", "Gutschrift zu 2", "5|Gutschrift|2|", "34.51"},
        {6, "-1,00", "Gutschrift zu 3", "6|Gutschrift|3|", "1.19"},
    };
    const std::string korrekturen = readData("Korrekturen.dat");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        const int row = c.number - 1;
        EXPECT_EQ(getCell(kInvoiceList, row, 3), c.registerTotal);
        EXPECT_EQ(getCell(kInvoiceList, row, kRegisterStatusColumn), c.status);
        EXPECT_EQ(countsAsCancelled(std::to_string(c.number)), c.number == 1 || c.number == 4);
        if (c.kind.empty())
            continue;
        EXPECT_NE(korrekturen.find(c.kind + today), std::string::npos) << korrekturen;
        const std::string xml = readData("Archiv/" + std::to_string(c.number) + ".xml");
        EXPECT_NE(xml.find("<ram:TypeCode>381</ram:TypeCode>"), std::string::npos);
        EXPECT_NE(xml.find("<ram:GrandTotalAmount>" + c.grandTotal + "</ram:GrandTotalAmount>"),
                  std::string::npos);
        const std::string original = std::to_string(c.number - 3);
        const std::size_t reference = xml.find("<ram:InvoiceReferencedDocument>");
        EXPECT_EQ(xml.find("<ram:IssuerAssignedID>" + original + "</ram:IssuerAssignedID>", reference),
                  xml.find("<ram:IssuerAssignedID>", reference));
        EXPECT_NE(xml.find("format=\"102\">" + formatDate("%yyyy%mm%dd", currentDate()), reference),
                  std::string::npos);
        // The Leistungsdatum is the original's.
        const std::size_t supply = xml.find("ActualDeliverySupplyChainEvent>");
        ASSERT_NE(supply, std::string::npos);
        EXPECT_EQ(xml.find("format=\"102\">", supply),
                  xml.find(std::string("format=\"102\">") +
                               (c.number == 4 ? "20261116" : formatDate("%yyyy%mm%dd", currentDate())),
                           supply));
    }
    EXPECT_EQ(invoiceState().invoiceCounter, 6);
    EXPECT_NE(readData("ReData.dat").find("4|Muster|1|-29,00|" + today + "|-34,51\r\n"), std::string::npos);
    const ToolRun check = runEinvoiceCheck(QString::fromStdString(dataPath("Archiv")));
    EXPECT_EQ(check.exitCode, 0) << check.out;
}

TEST_F(CorrectionTest, RefusalsUseNoNumber) {
    for (int i = 0; i < 2; ++i)
        ASSERT_NO_FATAL_FAILURE(issueInvoice());
    ASSERT_EQ(issueCorrection({CorrectionKind::Cancellation, 0, {}, {}}), CorrectionOutcome::Issued);
    ASSERT_EQ(issueCorrection({CorrectionKind::CreditNote, 1, linesOf(2, 1, {}), "Rabatt"}),
              CorrectionOutcome::Issued);
    struct Case {
        CorrectionKind kind;
        int row;
        std::vector<InvoiceLine> lines;
        std::string message;
    };
    const Case cases[] = {
        {CorrectionKind::Cancellation,
         0,
         {},
         "Die Rechnung Nr. 1 wurde bereits durch die Stornorechnung Nr. 3 storniert."},
        {CorrectionKind::Cancellation,
         2,
         {},
         "Die Rechnung Nr. 3 ist selbst eine Stornorechnung zur Rechnung Nr. 1 und kann nicht korrigiert "
         "werden."},
        {CorrectionKind::Cancellation,
         3,
         {},
         "Die Rechnung Nr. 4 ist selbst eine Gutschrift zur Rechnung Nr. 2 und kann nicht korrigiert "
         "werden."},
        {CorrectionKind::CreditNote, 1, linesOf(2, 2, {}),
         "Die Gutschriften zur Rechnung Nr. 2 w\xFC"
         "rden den Rechnungsbetrag \xFC"
         "bersteigen."},
        {CorrectionKind::Cancellation,
         1,
         {},
         "Zur Rechnung Nr. 2 gibt es bereits Gutschriften; der Rest kann nur gutgeschrieben werden."},
    };
    for (const Case& c : cases) {
        messages.clear();
        EXPECT_EQ(issueCorrection({c.kind, c.row, c.lines, "Grund"}), CorrectionOutcome::Refused);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, c.message);
    }
    // A cancelled print dialog uses no number either.
    printTarget().kind = PrintTargetKind::Cancelled;
    EXPECT_EQ(issueCorrection({CorrectionKind::CreditNote, 1, linesOf(2, 1, {1000}), "Grund"}),
              CorrectionOutcome::NotPrinted);
    EXPECT_EQ(invoiceState().invoiceCounter, 4);
    // With company data an archived invoice is not deleted.
    messages.clear();
    ASSERT_TRUE(selectRow(kInvoiceList, 1));
    press(kDeleteInvoiceButton);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              "Eine ausgestellte Rechnung kann nicht gel\xF6scht werden. Bitte stornieren.");
    EXPECT_EQ(rowCount(kInvoiceList), 4);
    // Without company data it is deleted as always, after the question.
    companyData().present = false;
    answerNext(kAnswerYes);
    press(kDeleteInvoiceButton);
    EXPECT_EQ(rowCount(kInvoiceList), 3);
}

TEST_F(CorrectionTest, CreditNoteWindowLowersAndRemovesLinesAndWantsAReason) {
    ASSERT_NO_FATAL_FAILURE(issueInvoice());
    ASSERT_TRUE(selectRow(kInvoiceList, 0));
    press(kCreditNoteButton);
    ASSERT_EQ(rowCount(kCreditLinesList), 2);
    ASSERT_TRUE(selectRow(kCreditLinesList, 1));
    press(kCreditDeleteButton);
    ASSERT_TRUE(selectRow(kCreditLinesList, 0));
    dispatch();
    // Above the invoice's quantity or price, or no reason: refused, nothing issued.
    for (const auto& [quantity, price] : {std::pair{"11", "0,50"}, std::pair{"4", "0,51"}}) {
        ASSERT_TRUE(typeInto(kCreditQuantityField, quantity));
        ASSERT_TRUE(typeInto(kCreditPriceField, price));
        press(kCreditChangeButton);
    }
    press(kCreditCreateButton);
    ASSERT_EQ(errorTexts().size(), 2u);
    EXPECT_EQ(messages.back().text, "Bitte den Grund der Gutschrift angeben.");
    ASSERT_TRUE(typeInto(kCreditPriceField, "0,25"));
    press(kCreditChangeButton);
    ASSERT_TRUE(typeInto(kCreditReasonField, "Preisnachlass"));
    press(kCreditCreateButton);
    EXPECT_EQ(getCell(kInvoiceList, 1, 3), "-1,00");
    EXPECT_EQ(getCell(kInvoiceList, 0, kRegisterStatusColumn), "teilweise gutgeschrieben");
    EXPECT_NE(readData("Archiv/2.xml").find("<ram:Content>Preisnachlass</ram:Content>"), std::string::npos);
}

} // namespace
