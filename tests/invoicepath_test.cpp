// The whole way of an invoice through the real windows: composed in the new-invoice window, printed
// into a PDF file, listed, stored in its three files, listed again after a restart, and deleted.

#include "printing/printjob.h"
#include "printing/printtarget.h"
#include "printtesting.h"
#include "runtime/conversions.h"
#include "runtime/linefile.h"
#include "shell/mainwindow.h"
#include "state/invoicestate.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"

#include <QString>
#include <algorithm>
#include <string>
#include <vector>

namespace {

using Row = std::vector<std::string>;

const std::string kCustomers = "2\r\n"
                               "Frau|Muster|Erika|c/o Firma|Ringweg 2|Beispielort\r\n"
                               "Herr|Beispiel|Max||Hauptstr. 1|Musterstadt\r\n";
const std::string kArticles = "2\r\n"
                              "Mutter|Teile|0,25|M6 verzinkt\r\n"
                              "Schraube|Teile|0,50|M6\r\n";
const std::string kAddress = "Herr\r\nMax Beispiel\r\n\r\nHauptstr. 1\r\nMusterstadt\r\n";

class InvoicePathTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        writeData("Daten.dat", kCustomers + kArticles + "0\r\n");
        startPrintingToPdf();
    }
    void TearDown() override {
        resetPrintJob();
        resetPrintTarget();
        ProgramTest::TearDown();
    }

    // Start-up (again) in the data folder, with printouts going to a PDF file there.
    void startPrintingToPdf() {
        resetPrintJob();
        resetToolkit();
        start();
        resetPrintTarget();
        printTarget().kind = PrintTargetKind::PdfFile;
        printTarget().pdfPath = dataPath("rechnung.pdf");
        setState(kTabPanel, kInvoicesPage);
    }

    static void press(int button) {
        ASSERT_TRUE(clickButton(button));
        dispatch();
    }

    // "Neu", the customer, one line per (article, quantity), "Rechnung erstellen" (Ja to an invoice
    // without lines).
    void composeAndCreate(int customer, const std::vector<std::pair<int, QString>>& lines) {
        press(kNewInvoiceButton);
        ASSERT_TRUE(windowExists(kDialogWindow));
        ASSERT_TRUE(selectRow(kCustomerPicks, customer));
        dispatch();
        for (const auto& [article, quantity] : lines) {
            press(kNewLineButton);
            ASSERT_TRUE(doubleClickRow(kArticlePicks, article));
            dispatch();
            ASSERT_TRUE(typeInto(kQuantityField, quantity));
            press(kLineOkButton);
        }
        if (lines.empty())
            answerNext(kAnswerYes);
        press(kCreateInvoiceButton);
        ASSERT_FALSE(windowExists(kDialogWindow));
    }

    static std::vector<Row> invoiceRows() {
        std::vector<Row> rows;
        for (int r = 0; r < rowCount(kInvoiceList); ++r) {
            Row row;
            for (int c = 0; c < 5; ++c)
                row.push_back(getCell(kInvoiceList, r, c));
            rows.push_back(row);
        }
        return rows;
    }

    static std::string today() { return formatDate("%dd.%mm.%yyyy", currentDate()); }
};

TEST_F(InvoicePathTest, CreatedInvoiceIsPrintedListedStoredAndKept) {
    composeAndCreate(1, {{1, "10"}});
    const std::string date = today();

    EXPECT_TRUE(messages.empty());
    const std::vector<PdfWord> words = readPdfWords(dataPath("rechnung.pdf"));
    const auto printed = [&words](const std::string& text) {
        return std::any_of(words.begin(), words.end(), [&text](const PdfWord& w) { return w.text == text; });
    };
    EXPECT_TRUE(printed("Schraube"));
    EXPECT_TRUE(printed("Musterstadt"));
    EXPECT_EQ(invoiceRows(), (std::vector<Row>{{"1", "Beispiel", "2", "5,00", date}}));
    EXPECT_EQ(readData("ReData.dat"), "1|Beispiel|2|5,00|" + date + "\r\n");
    EXPECT_EQ(readData("Rechnungen/1.txt"), kAddress + "Schraube 0,50 M6\r\n5,00\r\n");
    EXPECT_EQ(readData("Daten.dat"), kCustomers + kArticles + "1\r\n");
    EXPECT_EQ(invoiceState().invoiceCounter, 1);

    const std::vector<Row> before = invoiceRows();
    startPrintingToPdf();
    EXPECT_EQ(invoiceRows(), before);
    EXPECT_EQ(invoiceState().invoiceCounter, 1);
}

TEST_F(InvoicePathTest, TwoInvoicesSurviveARestartAndTheFirstCanBeDeleted) {
    composeAndCreate(1, {{1, "10"}, {0, "4"}});
    composeAndCreate(0, {});
    const std::string date = today();
    const std::string line1 = "1|Beispiel|2|6,00|" + date + "\r\n";
    const std::string line2 = "2|Muster|1|0,00|" + date + "\r\n";
    EXPECT_EQ(readData("ReData.dat"), line1 + line2);
    EXPECT_EQ(readData("Rechnungen/1.txt"),
              kAddress + "Schraube 0,50 M6\r\nMutter 0,25 M6 verzinkt\r\n6,00\r\n");
    EXPECT_EQ(readData("Rechnungen/2.txt"),
              "Frau\r\nErika Muster\r\nc/o Firma\r\nRingweg 2\r\nBeispielort\r\n0,00\r\n");
    EXPECT_EQ(readData("Daten.dat"), kCustomers + kArticles + "2\r\n");

    startPrintingToPdf();
    EXPECT_EQ(invoiceRows(),
              (std::vector<Row>{{"1", "Beispiel", "2", "6,00", date}, {"2", "Muster", "1", "0,00", date}}));

    messages.clear();
    ASSERT_TRUE(selectRow(kInvoiceList, 0));
    answerNext(kAnswerYes);
    press(kDeleteInvoiceButton);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, "Die Rechnung Nr.:1 wurde gel\xF6scht!");
    EXPECT_EQ(fileSize("Rechnungen/1.txt"), -1);
    EXPECT_GT(fileSize("Rechnungen/2.txt"), 0);
    EXPECT_EQ(readData("ReData.dat"), line2);

    // The next number follows the highest one ever given, not the number of listed invoices.
    startPrintingToPdf();
    EXPECT_EQ(invoiceRows(), (std::vector<Row>{{"2", "Muster", "1", "0,00", date}}));
    composeAndCreate(1, {{1, "1"}});
    EXPECT_EQ(readData("ReData.dat"), line2 + "3|Beispiel|2|0,50|" + today() + "\r\n");
    EXPECT_EQ(readData("Rechnungen/3.txt"), kAddress + "Schraube 0,50 M6\r\n0,50\r\n");
}

// A line break pasted into a name, or standing in the list already, splits no register line and no
// item file: after a restart the invoice is one row and can be deleted.
TEST_F(InvoicePathTest, ALineBreakInANameSplitsNoRecord) {
    struct Case {
        const char* name;
        void (*giveName)();
        std::string registered;
    };
    const Case cases[] = {
        {"pasted into the dialog",
         [] {
             press(kNewCustomerButton);
             ASSERT_TRUE(pasteInto(kNewCustomerFirstField + 1, QString::fromUtf8("Müller\rGmbH")));
             ASSERT_TRUE(pasteInto(kNewCustomerFirstField + 2, QString("Hans\nPeter") + QChar(0)));
             press(kNewCustomerOkButton);
         },
         "M\xFCllerGmbH"},
        {"standing in the list",
         [] {
             addRow(kCustomerList, -1, "");
             setCell(kCustomerList, 2, "M\xFCller|\r\nGmbH", 1);
             setCell(kCustomerList, 2, std::string("Hans\nPeter\0", 11), 2);
         },
         "M\xFCller   GmbH"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeData("Daten.dat", kCustomers + kArticles + "0\r\n");
        startPrintingToPdf();
        c.giveName();
        composeAndCreate(2, {{1, "1"}});
        startPrintingToPdf();
        const std::vector<Row> rows = invoiceRows();
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0][1], c.registered);
        const std::string item = readData("Rechnungen/" + rows[0][0] + ".txt");
        EXPECT_EQ(std::count(item.begin(), item.end(), '\n'), 7) << item;
        EXPECT_EQ(std::count(item.begin(), item.end(), '\r'), 7) << item;
        EXPECT_EQ(item.find('\0'), std::string::npos);
        messages.clear();
        ASSERT_TRUE(selectRow(kInvoiceList, 0));
        answerNext(kAnswerYes);
        press(kDeleteInvoiceButton);
        ASSERT_EQ(messages.size(), 2u);
        EXPECT_EQ(messages[1].text, "Die Rechnung Nr.:" + rows[0][0] + " wurde gel\xF6scht!");
        EXPECT_EQ(readData("ReData.dat"), "");
    }
}

} // namespace
