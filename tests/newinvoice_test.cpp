// The new-invoice window: choosing the customer, deleting lines, cancelling, printing a delivery note
// and creating the invoice, driven through the real windows.

#include "invoicing/linedialog.h"
#include "invoicing/newinvoicewindow.h"
#include "printing/printjob.h"
#include "printing/printtarget.h"
#include "printing/recordingdevice.h"
#include "runtime/conversions.h"
#include "shell/mainwindow.h"
#include "state/companydata.h"
#include "state/invoicestate.h"
#include "state/settings.h"
#include "state/shellstate.h"
#include "support/datafolder.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_testing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Row = std::vector<std::string>;

class NewInvoiceTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        start();
        resetPrintJob();
        resetPrintTarget();
        printToRecorder();
        addRow(kCustomerList, -1, "Herr\nBeispiel\nMax\n\nHauptstr. 1\nMusterstadt");
        addRow(kCustomerList, -1, "Frau\nMuster\nErika\nc/o Firma\nRingweg 2\nBeispielort");
        addRow(kArticleList, -1, "Schraube\nTeile\n0,50\nM6");
        addRow(kArticleList, -1, "Mutter\nTeile\n0,25\nM6 verzinkt");
        addRow(kArticleList, -1, "Platte\nHolz\n12,30\nEiche");
    }
    void TearDown() override {
        resetPrintJob();
        resetPrintTarget();
        ProgramTest::TearDown();
    }

    static void printToRecorder() {
        printTarget().kind = PrintTargetKind::Recorder;
        printTarget().recorderArea = {2000, 2800, 200, 280};
    }

    /// "Neu" on the invoices page.
    static void openInvoiceWindow() {
        ASSERT_TRUE(clickButton(kNewInvoiceButton));
        dispatch();
        ASSERT_TRUE(windowExists(kDialogWindow));
    }
    static void chooseCustomerRow(int row) {
        ASSERT_TRUE(selectRow(kCustomerPicks, row));
        dispatch();
    }
    /// One line through the line dialog: the article double-clicked, the quantity typed, "OK".
    static void addLine(int article, const QString& quantity) {
        ASSERT_TRUE(clickButton(kNewLineButton));
        dispatch();
        ASSERT_TRUE(doubleClickRow(kArticlePicks, article));
        ASSERT_TRUE(typeInto(kQuantityField, quantity));
        ASSERT_TRUE(clickButton(kLineOkButton));
        dispatch();
        ASSERT_FALSE(windowExists(kLineDialog));
    }
    static void press(int button) {
        ASSERT_TRUE(clickButton(button));
        dispatch();
    }
    static Row row(int list, int r, int columns) {
        Row cells;
        for (int c = 0; c < columns; ++c)
            cells.push_back(getCell(list, r, c));
        return cells;
    }
    static Row column(int list, int c) {
        Row cells;
        for (int r = 0; r < rowCount(list); ++r)
            cells.push_back(getCell(list, r, c));
        return cells;
    }
    bool exists(const std::string& name) const {
        return QFileInfo::exists(QString::fromStdString(dataPath(name)));
    }
    static std::string today() { return formatDate("%dd.%mm.%yyyy", currentDate()); }
};

TEST_F(NewInvoiceTest, WindowHasItsControlsAndNamesTheCustomers) {
    shellState().savedFlag = 1;
    invoiceState().invoiceTotal = money::Amount{500};
    openInvoiceWindow();
    EXPECT_EQ(shellState().savedFlag, 0);
    EXPECT_EQ(invoiceState().invoiceTotal.units, 0);

    QWidget* window = windowWidget(kDialogWindow);
    EXPECT_EQ(window->windowTitle(), "Neue Rechnung");
    EXPECT_EQ(transientOwner(window), windowWidget(kMainWindow));
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(controlWidget(kLinesList)->parentWidget()->size(), QSize(782, 500));

    EXPECT_EQ(column(310, 0), (Row{"Beispiel", "Muster"}));
    EXPECT_EQ(rowCount(kLinesList), 0);
    EXPECT_EQ(row(19, -1, 7),
              (Row{"Pos", "Bezeichnung", "Beschreibung", "Einzelpr.", "Menge", "Gesamtpr.", ""}));
    // The line list lies inside the window, below the buttons.
    EXPECT_TRUE(QRect(0, 0, 782, 500).contains(controlWidget(kLinesList)->geometry()));
    EXPECT_EQ(controlWidget(kLinesList)->geometry().top(), 120);

    const std::vector<std::pair<int, QString>> captions = {{311, "Rechnung erstellen"},
                                                           {312, "Abbruch"},
                                                           {313, "Lieferschein erstellen"},
                                                           {300, "Neuer Eintrag"},
                                                           {301, QString::fromUtf8("Eintrag Löschen")}};
    for (const auto& [number, caption] : captions) {
        auto* button = qobject_cast<QPushButton*>(controlWidget(number));
        ASSERT_NE(button, nullptr) << number;
        EXPECT_EQ(button->text(), caption);
    }
    EXPECT_EQ(controlWidget(kCustomerPicks)->toolTip(),
              QString::fromUtf8("Mit Linksklick einen Kunden auswählen"));
    EXPECT_EQ(controlWidget(kNewLineButton)->toolTip(), "Einen neuen Rechnungseintrag erstellen");
    EXPECT_EQ(controlWidget(kDeleteLineButton)->toolTip(),
              QString::fromUtf8("Den markierten Rechnungseintrag löschen"));
    EXPECT_EQ(controlWidget(kCreateInvoiceButton)->toolTip(), "");
}

TEST_F(NewInvoiceTest, ChoosingCopiesTheAddressAndThePlaceInTheList) {
    addRow(kCustomerList, -1, "Firma\nOhnevorname\n\n\nWeg 3\nDorf");
    addRow(kCustomerList, -1, "Herr\nVier\nVa\n\nS4\nO4");
    addRow(kCustomerList, -1, "Frau\nFuenf\nFe\nZ5\nS5\nO5");
    openInvoiceWindow();

    chooseCustomerRow(4);
    const InvoiceState& invoice = invoiceState();
    EXPECT_EQ(invoice.customerIndex, 4);
    EXPECT_EQ(invoice.customerNumberText, "5");
    EXPECT_EQ(shellState().selectedRow, 4);
    EXPECT_EQ((Row{invoice.customerSalutation, invoice.customerFullName, invoice.customerAddition,
                   invoice.customerStreet, invoice.customerTown}),
              (Row{"Frau", "Fe Fuenf", "Z5", "S5", "O5"}));
    EXPECT_EQ(invoice.customerLastName, ""); // read only when the invoice is registered

    // An empty "Vorname" leaves no blank in front of the name.
    chooseCustomerRow(2);
    EXPECT_EQ(invoice.customerFullName, "Ohnevorname");
    EXPECT_EQ(invoice.customerAddition, "");

    // The first customer goes: the same customer, chosen again in a new window, is number 4.
    removeRow(kCustomerList, 0);
    openInvoiceWindow();
    chooseCustomerRow(3);
    EXPECT_EQ(invoice.customerNumberText, "4");
    EXPECT_EQ(invoice.customerFullName, "Fe Fuenf");
}

TEST_F(NewInvoiceTest, ChoosingReadsTheCustomerListAsItIsNow) {
    openInvoiceWindow();
    // The pick list still names "Beispiel" in row 0, but the customer list has moved up.
    removeRow(kCustomerList, 0);
    chooseCustomerRow(0);
    EXPECT_EQ(invoiceState().customerFullName, "Erika Muster");
    EXPECT_EQ(invoiceState().customerNumberText, "1");
}

TEST_F(NewInvoiceTest, DeletingTheMiddleLineRenumbersAndSumsTheRest) {
    openInvoiceWindow();
    addLine(0, "3");  // 1,50
    addLine(1, "7");  // 1,75
    addLine(2, "10"); // 123,00
    ASSERT_EQ(column(19, 0), (Row{"1", "2", "3"}));

    ASSERT_TRUE(selectRow(kLinesList, 1));
    press(kDeleteLineButton);
    EXPECT_EQ(shellState().selectedRow, 1);
    EXPECT_EQ(column(19, 0), (Row{"1", "2"}));
    EXPECT_EQ(column(19, 1), (Row{"Schraube", "Platte"}));
    EXPECT_EQ(column(19, 5), (Row{"1,50", "123,00"}));
    EXPECT_EQ(invoiceState().invoiceTotal.units, 12450);
    // The window shows the running total at the settings' rate; net prices here.
    settings().taxRate = "19";
    addLine(0, "1");
    EXPECT_EQ(getText(kRunningTotalLabel), "Netto: 125,00 \x80   MwSt.: 23,75 \x80   Brutto: 148,75 \x80");
    ASSERT_TRUE(selectRow(kLinesList, 2));
    press(kDeleteLineButton);
    EXPECT_EQ(getText(kRunningTotalLabel), "Netto: 124,50 \x80   MwSt.: 23,66 \x80   Brutto: 148,16 \x80");

    // The next line is numbered after the remaining ones.
    addLine(1, "1");
    EXPECT_EQ(column(19, 0), (Row{"1", "2", "3"}));
    EXPECT_EQ(invoiceState().invoiceTotal.units, 12475);
}

TEST_F(NewInvoiceTest, DeletingSumsTheRemainingRowsAnew) {
    // The total after a deletion is the sum of the rows that remain.
    addRow(kArticleList, -1, "Eins\n\n1\n");
    openInvoiceWindow();
    addLine(3, "16777216");
    addLine(3, "1");
    addLine(3, "1");
    ASSERT_EQ(invoiceState().invoiceTotal.units, 1677721800);
    ASSERT_TRUE(selectRow(kLinesList, 0));
    press(kDeleteLineButton);
    EXPECT_EQ(column(19, 0), (Row{"1", "2"}));
    EXPECT_EQ(invoiceState().invoiceTotal.units, 200);
}

TEST_F(NewInvoiceTest, DeletingWithoutASelectedLineDoesNothing) {
    openInvoiceWindow();
    addLine(0, "2");
    shellState().selectedRow = 7;
    press(kDeleteLineButton);
    EXPECT_EQ(rowCount(kLinesList), 1);
    EXPECT_EQ(shellState().selectedRow, -1);
    EXPECT_EQ(invoiceState().invoiceTotal.units, 100);
}

TEST_F(NewInvoiceTest, CancelDiscardsTheLinesAndTheNextWindowStartsAtZero) {
    invoiceState().invoiceCounter = 3;
    openInvoiceWindow();
    addLine(2, "2");
    ASSERT_EQ(invoiceState().invoiceTotal.units, 2460);
    answerNext(kAnswerYes); // the invoice in progress may go
    press(kCancelInvoiceButton);
    EXPECT_FALSE(windowExists(kDialogWindow));
    EXPECT_EQ(invoiceState().invoiceCounter, 3);
    EXPECT_EQ(rowCount(kInvoiceList), 0);
    EXPECT_FALSE(printJob().device);

    openInvoiceWindow();
    EXPECT_EQ(invoiceState().invoiceTotal.units, 0);
    EXPECT_EQ(rowCount(kLinesList), 0);
    addLine(0, "1");
    EXPECT_EQ(invoiceState().invoiceTotal.units, 50);
    EXPECT_EQ(getCell(kLinesList, 0, 0), "1");
}

TEST_F(NewInvoiceTest, ADeliveryNoteCarriesTheNextNumberAndStoresNothing) {
    invoiceState().invoiceCounter = 4;
    openInvoiceWindow();
    chooseCustomerRow(0);
    addLine(0, "10");
    addLine(2, "1");
    press(kDeliveryNoteButton);
    EXPECT_EQ(invoiceState().deliveryNoteNumber, 5);
    EXPECT_EQ(invoiceState().invoiceLineCount, 2);
    EXPECT_EQ(invoiceState().invoiceCounter, 4);
    EXPECT_TRUE(windowExists(kDialogWindow));
    EXPECT_EQ(rowCount(kInvoiceList), 0);
    EXPECT_EQ(invoiceState().printedFlag, 0);
    ASSERT_TRUE(printJob().device);
    Row texts;
    for (const RecordedText& t : printJob().device->recording()->texts)
        texts.push_back(t.text);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Lieferschein Nr.:"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Platte"), texts.end());

    // The invoice then gets the number the note showed.
    press(kCreateInvoiceButton);
    ASSERT_EQ(rowCount(kInvoiceList), 1);
    EXPECT_EQ(getCell(kInvoiceList, 0, 0), "5");
}

// A cancelled print dialog issues nothing: the window keeps customer and lines, and the number is
// given back for the next try.
TEST_F(NewInvoiceTest, ACancelledPrintKeepsTheInvoiceForAnotherTry) {
    invoiceState().invoiceCounter = 7;
    openInvoiceWindow();
    chooseCustomerRow(1);
    addLine(0, "4");
    printTarget().kind = PrintTargetKind::Cancelled;
    press(kCreateInvoiceButton);
    EXPECT_EQ(invoiceState().invoiceCounter, 7);
    EXPECT_TRUE(windowExists(kDialogWindow));
    EXPECT_EQ(column(kLinesList, 5), Row{"2,00"});
    EXPECT_EQ(rowCount(kInvoiceList), 0);
    EXPECT_TRUE(messages.empty());
    for (const char* name : {"ReData.dat", "Rechnungen", "Daten.dat"})
        EXPECT_FALSE(exists(name)) << name;

    printToRecorder();
    press(kCreateInvoiceButton);
    ASSERT_EQ(rowCount(kInvoiceList), 1);
    EXPECT_EQ(row(kInvoiceList, 0, 4), (Row{"8", "Muster", "2", "2,00"}));
}

// Neither printout without a customer chosen in this very window; an earlier window's choice is gone.
TEST_F(NewInvoiceTest, NothingIsPrintedWithoutACustomerChosenInThisWindow) {
    for (const int button : {kCreateInvoiceButton, kDeliveryNoteButton}) {
        SCOPED_TRACE(button);
        openInvoiceWindow();
        chooseCustomerRow(1);
        press(kCancelInvoiceButton);
        closeWindow(kDialogWindow); // the window of the case before, lines and all
        openInvoiceWindow();
        addLine(0, "2");
        messages.clear();
        press(button);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].caption, "Hinweis!");
        EXPECT_EQ(messages[0].text, "Bitte zuerst einen Kunden ausw\xE4hlen.");
        EXPECT_FALSE(printJob().device);
        EXPECT_EQ(invoiceState().invoiceCounter, 0);
        EXPECT_EQ(rowCount(kInvoiceList), 0);
        EXPECT_EQ(rowCount(kLinesList), 1);
    }
}

TEST_F(NewInvoiceTest, AnInvoiceWithoutLinesIsCreatedOnlyWhenConfirmed) {
    for (const int answer : {kAnswerNo, kAnswerYes}) {
        SCOPED_TRACE(answer);
        openInvoiceWindow();
        chooseCustomerRow(0);
        messages.clear();
        answerNext(answer);
        press(kCreateInvoiceButton);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, "Die Rechnung hat keine Positionen. Trotzdem erstellen?");
        EXPECT_EQ(messages[0].flags, kMessageYesNo);
        EXPECT_EQ(windowExists(kDialogWindow), answer == kAnswerNo);
        EXPECT_EQ(invoiceState().invoiceCounter, answer == kAnswerYes ? 1 : 0);
        EXPECT_EQ(rowCount(kInvoiceList), answer == kAnswerYes ? 1 : 0);
    }
    EXPECT_EQ(row(kInvoiceList, 0, 4), (Row{"1", "Beispiel", "1", "0,00"}));
}

// Texts the last printout placed at x millimetres between the column titles and the totals (y 87 to
// 235), top to bottom.
Row printedAt(float x) {
    Row texts;
    if (printJob().device) {
        for (const RecordedText& t : printJob().device->recording()->texts) {
            const double top = t.baseline - t.ascent;
            if (t.x == mmToDevice(x) && top >= mmToDevice(87) && top <= mmToDevice(235))
                texts.push_back(t.text);
        }
    }
    return texts;
}

// Amounts in cents from the line dialog to paper and the register: each row quantity × price rounded
// half away from zero, the totals from the printed rows, net + tax = gross exactly.
TEST_F(NewInvoiceTest, AmountsAreExactFromTheLineToThePrintedTotals) {
    struct Case {
        const char* name;
        const char* price;
        QString quantity;
        const char* rate;
        int pricesGross;
        const char* priceShown;
        const char* amount;
        std::string net, tax, gross;
    };
    const Case cases[] = {
        {"beyond float cents", "200000,07", "1", "19", 0, "200000,07", "200000,07", "200000,07", "38000,01",
         "238000,08"},
        {"131072,01", "131072,01", "1", "19", 0, "131072,01", "131072,01", "131072,01", "24903,68",
         "155975,69"},
        {"a tenth thrice", "0,1", "3", "19", 0, "0,1", "0,30", "0,30", "0,06", "0,36"},
        {"beyond float integers", "16777217", "3", "19", 0, "16777217", "50331651,00", "50331651,00",
         "9563013,69", "59894664,69"},
        {"half a cent", "0,125", "3", "19", 0, "0,125", "0,38", "0,38", "0,07", "0,45"},
        {"decimal quantity", "40,00", "2,5", "19", 0, "40,00", "100,00", "100,00", "19,00", "119,00"},
        {"grouped price", "1.234,56", "2", "19", 0, "1.234,56", "2469,12", "2469,12", "469,13", "2938,25"},
        {"tax rounds up", "6,50", "1", "19", 0, "6,50", "6,50", "6,50", "1,24", "7,74"},
        {"gross prices", "11,90", "3", "19", 1, "11,90", "35,70", "30,00", "5,70", "35,70"},
        {"gross 10,00", "10,00", "1", "19", 1, "10,00", "10,00", "8,40", "1,60", "10,00"},
        {"rate 7,5", "100,00", "1", "7,5", 0, "100,00", "100,00", "100,00", "7,50", "107,50"},
        {"a credit line", "12,50", "-1", "19", 0, "12,50", "-12,50", "-12,50", "-2,38", "-14,88"},
        {"large", "99999999,99", "1000", "19", 0, "99999999,99", "99999999990,00", "99999999990,00",
         "18999999998,10", "118999999988,10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings().taxRate = c.rate;
        settings().pricesGross = c.pricesGross;
        addRow(kArticleList, -1, std::string("Posten\nTeile\n") + c.price + "\nText");
        openInvoiceWindow();
        chooseCustomerRow(0);
        addLine(rowCount(kArticleList) - 1, c.quantity);
        press(kCreateInvoiceButton);
        EXPECT_EQ(printedAt(160), Row{c.priceShown});
        EXPECT_EQ(printedAt(175),
                  (Row{"Betrag", c.amount, c.net + " \u20AC", c.tax + " \u20AC", c.gross + " \u20AC"}));
        EXPECT_EQ(getCell(kInvoiceList, rowCount(kInvoiceList) - 1, 3), c.amount);
    }
    EXPECT_TRUE(messages.empty());
}

// A total beyond 64 bits is refused before anything is printed or a number is used.
TEST_F(NewInvoiceTest, ATotalTooLargeToCountIsRefused) {
    invoiceState().invoiceCounter = 4;
    settings().taxRate = "19";
    addRow(kArticleList, -1, "Posten\nTeile\n800000000000000\n");
    openInvoiceWindow();
    chooseCustomerRow(0);
    addLine(3, "100");
    ASSERT_EQ(column(kLinesList, 5), Row{"80000000000000000,00"});
    press(kCreateInvoiceButton);
    EXPECT_EQ(errorTexts(), Row{"Der Rechnungsbetrag ist zu gro\xDF."});
    EXPECT_FALSE(printJob().device);
    EXPECT_EQ(invoiceState().invoiceCounter, 4);
    EXPECT_TRUE(windowExists(kDialogWindow));
    EXPECT_EQ(rowCount(kInvoiceList), 0);
    EXPECT_FALSE(exists("ReData.dat"));
}

TEST_F(NewInvoiceTest, APrintedInvoiceIsListedAndRegistered) {
    invoiceState().invoiceCounter = 16;
    printTarget().kind = PrintTargetKind::PdfFile;
    printTarget().pdfPath = dataPath("invoice.pdf");
    printTarget().pdfResolution = 300;
    openInvoiceWindow();
    chooseCustomerRow(0);
    addLine(0, "10");
    addLine(2, "1");
    press(kCreateInvoiceButton);

    EXPECT_TRUE(exists("invoice.pdf"));
    EXPECT_EQ(invoiceState().invoiceCounter, 17);
    EXPECT_EQ(invoiceState().invoiceLineCount, 2);
    EXPECT_EQ(invoiceState().invoiceTotalText, "17,30");
    EXPECT_EQ(invoiceState().printedFlag, 0);
    EXPECT_EQ(invoiceState().invoiceTotal.units, 0);
    ASSERT_EQ(rowCount(kInvoiceList), 1);
    EXPECT_EQ(row(kInvoiceList, 0, 5), (Row{"17", "Beispiel", "1", "17,30", today()}));
    EXPECT_EQ(readData("ReData.dat"), "17|Beispiel|1|17,30|" + today() + "\r\n");
    EXPECT_TRUE(exists("Rechnungen/17.txt"));
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(windowExists(kDialogWindow));
    // The master data were saved, but opening the window marked the data unsaved.
    EXPECT_EQ(shellState().savedFlag, 0);
}

TEST_F(NewInvoiceTest, TotalsAndNumbersOfConsecutiveInvoices) {
    addRow(kArticleList, -1, "Anlage\n\n1234,5\n");
    openInvoiceWindow();
    chooseCustomerRow(1);
    addLine(3, "1");
    press(kCreateInvoiceButton);
    // No lines: the total is 0,00.
    openInvoiceWindow();
    chooseCustomerRow(1);
    answerNext(kAnswerYes);
    press(kCreateInvoiceButton);
    ASSERT_EQ(rowCount(kInvoiceList), 2);
    EXPECT_EQ(row(kInvoiceList, 0, 4), (Row{"1", "Muster", "2", "1234,50"}));
    EXPECT_EQ(row(kInvoiceList, 1, 4), (Row{"2", "Muster", "2", "0,00"}));
}

TEST_F(NewInvoiceTest, AFileThatCannotBeWrittenIsToldOnceAndTheRestStillRuns) {
    // "Rechnungen" as a plain file and the register as a folder: two of the three writes fail.
    writeData("Rechnungen", "no folder");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(dataPath("ReData.dat"))));
    invoiceState().invoiceCounter = 20;
    openInvoiceWindow();
    chooseCustomerRow(0);
    addLine(0, "2");
    press(kCreateInvoiceButton);

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Fehler!");
    EXPECT_EQ(messages[0].text, "Die Rechnung Nr.:21 konnte nicht vollst\xE4ndig gespeichert werden!");
    EXPECT_EQ(messages[0].flags, kMessageOk);
    ASSERT_EQ(rowCount(kInvoiceList), 1);
    EXPECT_EQ(getCell(kInvoiceList, 0, 0), "21");
    EXPECT_EQ(invoiceState().printedFlag, 0);
    EXPECT_FALSE(windowExists(kDialogWindow));
    // The master data were still saved, with the new counter as the last line.
    const std::string master = readData("Daten.dat");
    EXPECT_NE(master.find("21\r\n"), std::string::npos) << master;
}

TEST_F(NewInvoiceTest, TheOutcomeSaysWhatBecameOfTheInvoice) {
    openInvoiceWindow();
    EXPECT_EQ(createAndRegisterInvoice(), InvoiceOutcome::NoCustomer);
    chooseCustomerRow(0);
    EXPECT_EQ(createAndRegisterInvoice(), InvoiceOutcome::Declined);
    addLine(0, "1");
    printTarget().kind = PrintTargetKind::Cancelled;
    EXPECT_EQ(createAndRegisterInvoice(), InvoiceOutcome::NotPrinted);
    printToRecorder();
    writeData("Rechnungen", "no folder");
    messages.clear();
    EXPECT_EQ(createAndRegisterInvoice(), InvoiceOutcome::SavedIncompletely);
    EXPECT_EQ(messages.size(), 1u);
    ASSERT_TRUE(QFile::remove(QString::fromStdString(dataPath("Rechnungen"))));
    openInvoiceWindow();
    chooseCustomerRow(0);
    addLine(0, "1");
    EXPECT_EQ(createAndRegisterInvoice(), InvoiceOutcome::Registered);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(invoiceState().invoiceCounter, 2);
}

// Every way to lose what is not saved asks first; "Nein" keeps it, "Ja" lets it go.
TEST_F(NewInvoiceTest, UnsavedWorkGoesOnlyWhenTheUserSaysSo) {
    struct Case {
        const char* name;
        bool (*act)();
        /// The invoice in progress, or else a customer added and then a dialog closed with "Ja".
        bool invoice = true;
    };
    const Case cases[] = {
        {"E-Rechnung of a customer",
         [] { return setState(kCustomerList, 0), clickButton(kCustomerEInvoiceButton); }},
        {"change customer", [] { return setState(kCustomerList, 0), clickButton(kChangeCustomerButton); }},
        {"options", [] { return chooseMenuItem("Algemeine Einstellungen"); }},
        {"another new invoice", [] { return clickButton(kNewInvoiceButton); }},
        {"Abbruch", [] { return clickButton(kCancelInvoiceButton); }},
        {"closing the program", [] { return shellState().quitFlag = 0, requestClose(kMainWindow); }, false},
    };
    for (const Case& c : cases) {
        for (const int answer : {kAnswerNo, kAnswerYes}) {
            SCOPED_TRACE(std::string(c.name) + (answer == kAnswerYes ? ", Ja" : ", Nein"));
            closeWindow(kDialogWindow);
            if (c.invoice) {
                openInvoiceWindow();
                addLine(0, "1");
            } else {
                ASSERT_TRUE(chooseMenuItem("Save"));
                press(kNewCustomerButton);
                ASSERT_TRUE(typeInto(kNewCustomerFirstField + 1, "Neu"));
                press(kNewCustomerOkButton);
                press(kNewArticleButton);
                answerNext(kAnswerYes);
                ASSERT_TRUE(requestClose(kDialogWindow));
                dispatch();
            }
            messages.clear();
            answerNext(answer);
            ASSERT_TRUE(c.act());
            dispatch();
            EXPECT_EQ(messages.empty() ? "(none)" : messages[0].text,
                      c.invoice ? "Die Rechnung in Arbeit geht verloren. Trotzdem schlie\xDF"
                                  "en?"
                                : "Daten wurden nicht gespeichert! Sind Sie sicher?");
            const bool kept = c.invoice ? windowExists(kDialogWindow) && rowCount(kLinesList) == 1
                                        : shellState().quitFlag == 0;
            EXPECT_EQ(kept, answer == kAnswerNo);
        }
    }
}

TEST_F(NewInvoiceTest, AnotherDialogUnderNumberOneClosesTheWindowAndItsLineDialog) {
    struct Case {
        const char* name;
        bool (*open)();
    };
    const Case cases[] = {
        {"new customer", [] { return clickButton(kNewCustomerButton); }},
        {"change customer",
         [] {
             setState(kCustomerList, 0);
             return clickButton(kChangeCustomerButton);
         }},
        {"new article", [] { return clickButton(kNewArticleButton); }},
        {"options", [] { return chooseMenuItem("Algemeine Einstellungen"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        openInvoiceWindow();
        addLine(0, "1");
        press(kNewLineButton);
        ASSERT_TRUE(windowExists(kLineDialog));
        answerNext(kAnswerYes);
        ASSERT_TRUE(c.open());
        dispatch();
        ASSERT_TRUE(windowExists(kDialogWindow));
        EXPECT_NE(windowWidget(kDialogWindow)->windowTitle(), "Neue Rechnung");
        EXPECT_FALSE(windowExists(kLineDialog));
        EXPECT_EQ(controlWidget(kLinesList), nullptr);
        EXPECT_EQ(controlWidget(kArticlePicks), nullptr);
    }
}

// A burst of clicks reaches the queue before the first one runs; once that one has closed the window,
// the others belong to a window that is gone.
TEST_F(NewInvoiceTest, ClicksQueuedOnAWindowThatClosesRunOnce) {
    struct Case {
        const char* name;
        void (*openWindow)();
        int button;
    };
    const Case cases[] = {
        {"OK of a new customer",
         [] {
             press(kNewCustomerButton);
             ASSERT_TRUE(typeInto(kNewCustomerFirstField + 1, "Neu"));
         },
         kNewCustomerOkButton},
        {"Rechnung erstellen",
         [] {
             openInvoiceWindow();
             chooseCustomerRow(0);
             addLine(0, "2");
         },
         kCreateInvoiceButton},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.openWindow();
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(clickButton(c.button));
        dispatch();
        EXPECT_FALSE(windowExists(kDialogWindow));
    }
    EXPECT_EQ(rowCount(kCustomerList), 3);
    EXPECT_EQ(invoiceState().invoiceCounter, 1);
    EXPECT_EQ(rowCount(kInvoiceList), 1);
    EXPECT_EQ(registerNumbers(readData("ReData.dat")), std::vector<int>{1});
    EXPECT_EQ(
        QDir(QString::fromStdString(dataPath("Rechnungen"))).entryList(QDir::Files).join(' ').toStdString(),
        "1.txt");
}

TEST_F(NewInvoiceTest, NumbersWrapAtTheLimitAndANegativeCounterSurvivesTheStart) {
    struct Case {
        const char* name;
        const char* counter;
        int button;
        std::string number;
    };
    const Case cases[] = {
        {"invoice after the highest number", "2147483647", kCreateInvoiceButton, "-2147483648"},
        {"delivery note after the highest number", "2147483647", kDeliveryNoteButton, "-2147483648"},
        {"negative counter without a register", "-5", kCreateInvoiceButton, "-4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(QString::fromStdString(dataPath("ReData.dat")));
        writeData("Daten.dat", std::string("1\r\nHerr|Beispiel|Max||Hauptstr. 1|Musterstadt\r\n1\r\n"
                                           "Schraube|Teile|0,50|M6\r\n") +
                                   c.counter + "\r\n");
        resetPrintJob();
        resetToolkit();
        start();
        printToRecorder();
        EXPECT_EQ(invoiceState().invoiceCounter, parseInt(c.counter));
        openInvoiceWindow();
        chooseCustomerRow(0);
        addLine(0, "1");
        press(c.button);
        const std::string shown = c.button == kDeliveryNoteButton
                                      ? formatInt(invoiceState().deliveryNoteNumber)
                                      : getCell(kInvoiceList, 0, 0);
        EXPECT_EQ(shown, c.number);
    }
}

// The device would not begin the document: nothing was issued, so the number goes back and the
// window keeps its lines for another try.
TEST_F(NewInvoiceTest, ARefusedPrintoutRegistersNothingAndSaysSo) {
    struct Case {
        const char* name;
        int button;
        const char* text;
    };
    const Case cases[] = {
        {"invoice", kCreateInvoiceButton, "Die Rechnung konnte nicht gedruckt werden!"},
        {"delivery note", kDeliveryNoteButton, "Der Lieferschein konnte nicht gedruckt werden!"},
    };
    invoiceState().invoiceCounter = 4;
    printTarget().kind = PrintTargetKind::PdfFile;
    printTarget().pdfPath = dataPath("kein Ordner/beleg.pdf");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        closeWindow(kDialogWindow); // the window of the case before, lines and all
        openInvoiceWindow();
        chooseCustomerRow(0);
        addLine(0, "2");
        press(c.button);
        EXPECT_EQ(errorTexts(), Row{c.text});
        EXPECT_EQ(invoiceState().invoiceCounter, 4);
        EXPECT_EQ(invoiceState().printedFlag, 0);
        EXPECT_TRUE(windowExists(kDialogWindow));
        EXPECT_EQ(column(kLinesList, 1), Row{"Schraube"});
        EXPECT_EQ(invoiceState().invoiceTotal.units, 100);
        EXPECT_EQ(rowCount(kInvoiceList), 0);
        for (const char* name : {"ReData.dat", "Rechnungen", "Daten.dat"})
            EXPECT_FALSE(exists(name)) << name;
    }
}

// A refused Leistungsdatum or Zahlungsziel prints nothing and uses no number; the window stays open.
TEST_F(NewInvoiceTest, TheDateAndTheDaysAreCheckedBeforePrinting) {
    struct Case {
        const char* name;
        int button;
        QString date;
        QString days;
        /// The refusal, or "" when both are taken.
        std::string message;
    };
    const std::string noDate = "\x93 ist kein g\xFCltiges Datum (TT.MM.JJJJ).";
    const std::string noDays = "\x93 ist keine g\xFCltige Zahl von Tagen (0 bis 365).";
    const Case cases[] = {
        {"no such day", kCreateInvoiceButton, "31.02.2026", "14",
         "Das Leistungsdatum \x84"
         "31.02.2026" +
             noDate},
        {"delivery note", kDeliveryNoteButton, "1.12.2026", "14",
         "Das Leistungsdatum \x84"
         "1.12.2026" +
             noDate},
        {"more than a year", kCreateInvoiceButton, "30.11.2026", "366",
         "Das Zahlungsziel \x84"
         "366" +
             noDays},
        {"a fraction", kCreateInvoiceButton, "30.11.2026", "1,5",
         "Das Zahlungsziel \x84"
         "1,5" +
             noDays},
        {"taken", kCreateInvoiceButton, "30.11.2026", "365", ""},
    };
    companyData().present = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        openInvoiceWindow();
        chooseCustomerRow(0);
        addLine(0, "1");
        ASSERT_TRUE(typeInto(kDeliveryDateField, c.date));
        ASSERT_TRUE(typeInto(kPaymentDaysField, c.days));
        // Company data this bare make no e-invoice: the question before printing is answered Ja.
        if (c.message.empty())
            answerNext(kAnswerYes);
        press(c.button);
        EXPECT_EQ(errorTexts(), c.message.empty() ? Row{} : Row{c.message});
        EXPECT_EQ(printJob().device != nullptr, c.message.empty());
        EXPECT_EQ(invoiceState().invoiceCounter, c.message.empty() ? 1 : 0);
    }
    EXPECT_EQ(invoiceState().deliveryDateText, "30.11.2026");
    EXPECT_EQ(invoiceState().paymentDays, 365);
}

TEST_F(NewInvoiceTest, TheFieldsStartWithTodayAndTheCompanyDataDaysAfterThePickList) {
    companyData().paymentDays = "30";
    for (const bool present : {false, true}) {
        SCOPED_TRACE(present ? "company data" : "no Firma.ini");
        companyData().present = present;
        openInvoiceWindow();
        EXPECT_EQ(getText(kDeliveryDateField), today());
        EXPECT_EQ(getText(kPaymentDaysField), present ? "30" : "");
        // The Tab order from the pick list through the fields to the first button of the lines.
        std::vector<int> expected = {kCustomerSearchField, kDeliveryDateField, kPaymentDaysField,
                                     kNewLineButton};
        const std::vector<int> candidates = expected;
        if (!present)
            expected.erase(expected.begin() + 2);
        std::vector<int> order;
        for (QWidget* w = controlWidget(kCustomerPicks)->nextInFocusChain(); order.size() < expected.size();
             w = w->nextInFocusChain()) {
            for (const int number : candidates) {
                if (controlWidget(number) == w)
                    order.push_back(number);
            }
        }
        EXPECT_EQ(order, expected);
    }
    ASSERT_TRUE(typeInto(kDeliveryDateField, "30.11|.2026"));
    EXPECT_EQ(getText(kDeliveryDateField), "30.11.2026");
}

TEST_F(NewInvoiceTest, KundeSuchenChoosesTheFirstCustomerByNameOrFirstName) {
    addRow(kCustomerList, -1, "Herr\nM\xFCller\nJ\xFCrgen\n\nWeg 3\nDorf");
    addRow(kCustomerList, -1, "Frau\nMuster\n\xC4nne\n\nWeg 4\n12345 Dorf");
    addRow(kCustomerList, -1, "Firma\nBauunternehmen Krause GmbH\n\n\nWeg 5\nAstadt\n\n\n\n\n\n\n17");
    struct Case {
        const char* name;
        QString typed;
        bool enter;
        /// The customer chosen: the one clicked before (row 0) when nothing has the text.
        int row;
    };
    const Case cases[] = {
        {"name, ignoring case", QString::fromUtf8("mÜ"), false, 2},
        {"the first of several: a town has it too", "MUSTER", false, 0},
        {"first name with an umlaut", QString::fromUtf8("än"), false, 3},
        {"Enter chooses it again after a click", "Erika", true, 1},
        {"within the name", "krause", false, 4},
        {"the town", "beispielort", false, 1},
        {"the customer number", "17", false, 4},
        {"nothing has it", "Zander", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        openInvoiceWindow();
        chooseCustomerRow(0);
        ASSERT_TRUE(typeInto(kCustomerSearchField, c.typed));
        if (c.enter) {
            dispatch();
            chooseCustomerRow(0);
            QTest::keyClick(controlWidget(kCustomerSearchField), Qt::Key_Return);
        }
        dispatch();
        EXPECT_EQ(getState(kCustomerPicks), c.row);
        EXPECT_EQ(getText(kCustomerNotFoundLabel), c.typed == "Zander" ? "Nicht gefunden" : "");
        EXPECT_EQ(invoiceState().customerNumberText, c.row == 4 ? "17" : formatInt(c.row + 1));
        const std::string first = getCell(kCustomerList, c.row, 2);
        EXPECT_EQ(invoiceState().customerFullName,
                  (first.empty() ? "" : first + " ") + getCell(kCustomerList, c.row, 1));
    }
    // Names that repeat are told apart in the pick list.
    EXPECT_EQ(column(kCustomerPicks, 0), (Row{"Beispiel", "Muster, Erika (Beispielort)", "M\xFCller",
                                              "Muster, \xC4nne (Dorf)", "Bauunternehmen Krause GmbH"}));
}

} // namespace
