// The company data dialog and a customer's e-invoice data, driven through the real windows: what
// they show, what they refuse, and what reaches Firma.ini and Daten.dat.

#include "runtime/fieldchecks.h"
#include "shell/mainwindow.h"
#include "state/companydata.h"
#include "state/settings.h"
#include "state/shellstate.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_testing.h"

#include <QCheckBox>

#include <string>
#include <vector>

namespace {

using Row = std::vector<std::string>;

// A customer without e-invoice data, one whose town has no postcode, and a public-sector customer
// with all six.
const std::string kCustomers =
    "3\r\n"
    "Herr|M\xFCller|Hans||Hauptstr. 1|12345 M\xFCnster\r\n"
    "Frau|Schulz|Eva|Apt. 3|Weg 2|Dorf\r\n"
    "Firma|Amt||Vergabestelle|Platz 1|10117 Berlin|post@amt.de|991-12345-73||10117|"
    "Berlin|DE\r\n"
    "0\r\n"
    "7\r\n";

const Row kAmt = {"post@amt.de", "991-12345-73", "", "10117", "Berlin", "DE"};
const char* const kCompanyItem = "Firmendaten (E-Rechnung)";

Row hiddenCells(int row) {
    Row cells;
    for (int c = kCustomerEInvoiceColumn; c < kCustomerEInvoiceColumn + kCustomerEInvoiceColumns; ++c)
        cells.push_back(getCell(kCustomerList, row, c));
    return cells;
}

Row fieldTexts(int first, int count) {
    Row texts;
    for (int i = 0; i < count; ++i)
        texts.push_back(getText(first + i));
    return texts;
}

class EInvoiceDataTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        writeData("Daten.dat", kCustomers);
        start();
    }
    static void click(int button) {
        ASSERT_TRUE(clickButton(button));
        dispatch();
    }
    static void openCompanyData() {
        ASSERT_TRUE(chooseMenuItem(QString::fromLatin1(kCompanyItem)));
        dispatch();
    }
    static void openCustomerData(int row) {
        ASSERT_TRUE(selectRow(kCustomerList, row));
        click(kCustomerEInvoiceButton);
    }
    static void saveAll() {
        ASSERT_TRUE(chooseMenuItem("Save"));
        dispatch();
    }
};

TEST_F(EInvoiceDataTest, CompanyDataAreEnteredSavedAndReadAtTheNextStart) {
    settings().taxNumber = "214/5678/0912";
    openCompanyData();
    ASSERT_TRUE(windowExists(kDialogWindow));
    EXPECT_EQ(windowWidget(kDialogWindow)->windowTitle(), "Firmendaten");
    // Land, Steuernummer from the options, Zahlungsziel and Zahlungsbedingungen come filled in.
    EXPECT_EQ(fieldTexts(kCompanyFirstField + 5, 1), Row{"DE"});
    EXPECT_EQ(fieldTexts(kCompanyFirstField + 8, 1), Row{"214/5678/0912"});
    EXPECT_EQ(fieldTexts(kCompanyFirstField + 12, 2), (Row{"14", kDefaultPaymentTerms}));
    ASSERT_TRUE(typeInto(kCompanyFirstField, QString::fromUtf8("Holzwerk Müller|GmbH")));
    ASSERT_TRUE(typeInto(kCompanyFirstField + 5, "de"));
    ASSERT_TRUE(typeInto(kCompanyFirstField + 10, "DE89 3704 0044 0532 0130 00"));
    qobject_cast<QCheckBox*>(controlWidget(kSmallBusinessBox))->click();
    click(kSaveCompanyButton);
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(windowExists(kDialogWindow));
    EXPECT_TRUE(companyData().present);
    EXPECT_EQ(readData("Firma.ini"),
              "Firmenname=Holzwerk M\xFCllerGmbH\r\nAnsprechpartner=\r\nStrasse=\r\nPLZ=\r\n"
              "Ort=\r\nLand=DE\r\nTelefon=\r\nEMail=\r\nSteuernummer=214/5678/0912\r\n"
              "UStIdNr=\r\nIBAN=DE89 3704 0044 0532 0130 00\r\nBIC=\r\n"
              "Zahlungsziel=14\r\nZahlungsbedingungen=Zahlbar innerhalb von {Tage} Tagen "
              "ohne Abzug.\r\nKleinunternehmer=1\r\n");

    start();
    EXPECT_EQ(companyData().name, "Holzwerk M\xFCllerGmbH");
    EXPECT_TRUE(companyData().smallBusiness);
    // A VAT id typed with blanks is kept without them.
    openCompanyData();
    ASSERT_TRUE(typeInto(kCompanyFirstField + 9, "DE 123 456 789"));
    click(kSaveCompanyButton);
    EXPECT_EQ(companyData().vatId, "DE123456789");
}

TEST_F(EInvoiceDataTest, ARefusedFieldIsNamedAndNothingIsTaken) {
    struct Case {
        const char* name;
        bool company;
        int field;
        const char* text;
        FieldRule rule;
        bool landEmptied = false;
    };
    const Case cases[] = {
        {"company IBAN", true, kCompanyFirstField + 10, "DE89 3704 0044 0532 0130 01", FieldRule::Iban},
        {"company VAT id", true, kCompanyFirstField + 9, "DE12345678", FieldRule::VatId},
        {"company postcode in DE", true, kCompanyFirstField + 3, "1234", FieldRule::Postcode},
        {"company e-mail", true, kCompanyFirstField + 7, "info@holzwerk", FieldRule::Email},
        {"company payment days", true, kCompanyFirstField + 12, "400", FieldRule::PaymentDays},
        {"company country", true, kCompanyFirstField + 5, "D", FieldRule::CountryCode},
        {"customer e-mail", false, kCustomerEInvoiceFirstField, "kunde(at)firma.de", FieldRule::Email},
        {"customer VAT id", false, kCustomerEInvoiceFirstField + 2, "DE1234", FieldRule::VatId},
        {"customer postcode in DE", false, kCustomerEInvoiceFirstField + 3, "123456", FieldRule::Postcode},
        {"customer postcode, no Land", false, kCustomerEInvoiceFirstField + 3, "ABC", FieldRule::Postcode,
         true},
        {"customer Leitweg-ID", false, kCustomerEInvoiceFirstField + 1, "14713000-01234-56",
         FieldRule::LeitwegId},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        if (c.company)
            openCompanyData();
        else
            openCustomerData(0);
        ASSERT_TRUE(typeInto(c.field, c.text));
        if (c.landEmptied) {
            ASSERT_TRUE(typeInto(kCustomerEInvoiceFirstField + 5, ""));
        }
        click(c.company ? kSaveCompanyButton : kCustomerEInvoiceOkButton);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].caption, "Fehler!");
        EXPECT_EQ(messages[0].text, refusalMessage(c.rule));
        EXPECT_TRUE(windowExists(kDialogWindow));
        EXPECT_EQ(getText(c.field), c.text);
        EXPECT_FALSE(companyData().present);
        EXPECT_EQ(hiddenCells(0), Row(6, ""));
    }
    EXPECT_EQ(readData("Firma.ini"), "");
}

TEST_F(EInvoiceDataTest, CustomerDataGoWithTheRowAndIntoDatenDatOnlyWhenSet) {
    click(kCustomerEInvoiceButton);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Hinweis!");
    EXPECT_EQ(messages[0].text, "Bitte zuerst einen Kunden markieren.");
    EXPECT_FALSE(windowExists(kDialogWindow));

    struct Opened {
        const char* name;
        int row;
        Row fields;
    };
    const Opened opened[] = {
        {"postcode and town from Wohnort", 0, {"", "", "", "12345", "M\xFCnster", "DE"}},
        {"no postcode in Wohnort", 1, {"", "", "", "", "", "DE"}},
        {"the customer's own data", 2, kAmt},
    };
    for (const Opened& o : opened) {
        SCOPED_TRACE(o.name);
        openCustomerData(o.row);
        EXPECT_EQ(fieldTexts(kCustomerEInvoiceFirstField, 6), o.fields);
    }

    // Only the default country is no data: the row stays as it was.
    click(kCustomerEInvoiceOkButton);
    EXPECT_EQ(hiddenCells(2), kAmt);
    openCustomerData(1);
    click(kCustomerEInvoiceOkButton);
    EXPECT_EQ(hiddenCells(1), Row(6, ""));
    openCustomerData(0);
    ASSERT_TRUE(typeInto(kCustomerEInvoiceFirstField, "hans@mueller.de"));
    ASSERT_TRUE(typeInto(kCustomerEInvoiceFirstField + 2, "DE 123 456 789")); // kept without the blanks
    // A Leitweg-ID of blanks only is none.
    ASSERT_TRUE(typeInto(kCustomerEInvoiceFirstField + 1, "  "));
    shellState().savedFlag = 1;
    click(kCustomerEInvoiceOkButton);
    EXPECT_FALSE(windowExists(kDialogWindow));
    EXPECT_EQ(shellState().savedFlag, 0);
    const Row muller = {"hans@mueller.de", "", "DE123456789", "12345", "M\xFCnster", "DE"};
    EXPECT_EQ(hiddenCells(0), muller);

    // "Ändern" puts the hidden cells back with the edited row; "Löschen" takes them with it.
    ASSERT_TRUE(selectRow(kCustomerList, 0));
    click(kChangeCustomerButton);
    ASSERT_TRUE(typeInto(kChangeCustomerFirstField + 1, "Meier"));
    click(kChangeCustomerOkButton);
    EXPECT_EQ(getCell(kCustomerList, 0, 1), "Meier");
    EXPECT_EQ(hiddenCells(0), muller);
    ASSERT_TRUE(selectRow(kCustomerList, 2));
    answerNext(kAnswerYes);
    click(kDeleteCustomerButton);
    saveAll();
    EXPECT_EQ(readData("Daten.dat"),
              "2\r\nHerr|Meier|Hans||Hauptstr. 1|12345 M\xFCnster|hans@mueller.de||"
              "DE123456789|12345|M\xFCnster|DE\r\nFrau|Schulz|Eva|Apt. 3|Weg 2|Dorf\r\n0\r\n7\r\n3\r\n");
    start();
    EXPECT_EQ(hiddenCells(0), muller);
    EXPECT_EQ(hiddenCells(1), Row(6, ""));
}

TEST_F(EInvoiceDataTest, ACustomerDeletedWhileTheDialogIsOpenGetsNoOneElsesData) {
    openCustomerData(0);
    ASSERT_TRUE(typeInto(kCustomerEInvoiceFirstField, "hans@mueller.de"));
    answerNext(kAnswerYes);
    click(kDeleteCustomerButton);
    click(kCustomerEInvoiceOkButton);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].caption, "Hinweis!");
    EXPECT_FALSE(windowExists(kDialogWindow));
    EXPECT_EQ(hiddenCells(0), Row(6, ""));
    EXPECT_EQ(hiddenCells(1), kAmt);
}

} // namespace
