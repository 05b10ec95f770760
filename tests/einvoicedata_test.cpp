// The company data dialog, driven through the real window: what it shows, what it refuses, and what
// reaches Firma.ini.

#include "runtime/fieldchecks.h"
#include "state/companydata.h"
#include "state/settings.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_testing.h"

#include <QCheckBox>

#include <string>
#include <vector>

namespace {

using Row = std::vector<std::string>;

const char* const kCompanyItem = "Firmendaten (E-Rechnung)";

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
              "Zahlungsziel=14\r\nZahlungsbedingungen=Zahlbar innerhalb von 14 Tagen "
              "ohne Abzug.\r\nKleinunternehmer=1\r\n");

    start();
    EXPECT_TRUE(companyData().present);
    openCompanyData();
    EXPECT_EQ(fieldTexts(kCompanyFirstField, 1), Row{"Holzwerk M\xFCllerGmbH"});
    EXPECT_EQ(getState(kSmallBusinessBox), 1);
}

TEST_F(EInvoiceDataTest, ARefusedFieldIsNamedAndNothingIsTaken) {
    struct Case {
        const char* name;
        int field;
        const char* text;
        FieldRule rule;
    };
    const Case cases[] = {
        {"IBAN", kCompanyFirstField + 10, "DE89 3704 0044 0532 0130 01", FieldRule::Iban},
        {"VAT id", kCompanyFirstField + 9, "DE12345678", FieldRule::VatId},
        {"postcode in DE", kCompanyFirstField + 3, "1234", FieldRule::Postcode},
        {"e-mail", kCompanyFirstField + 7, "info@holzwerk", FieldRule::Email},
        {"payment days", kCompanyFirstField + 12, "400", FieldRule::PaymentDays},
        {"country", kCompanyFirstField + 5, "D", FieldRule::CountryCode},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        openCompanyData();
        ASSERT_TRUE(typeInto(c.field, c.text));
        click(kSaveCompanyButton);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].caption, "Fehler!");
        EXPECT_EQ(messages[0].text, refusalMessage(c.rule));
        EXPECT_TRUE(windowExists(kDialogWindow));
        EXPECT_EQ(getText(c.field), c.text);
        EXPECT_FALSE(companyData().present);
    }
    EXPECT_EQ(readData("Firma.ini"), "");
}

} // namespace
