// Firma.ini: the company data as key=value lines, kept byte for byte where nothing changed, and a file
// that could not be read whole never overwritten.

#include "settings/companyfile.h"
#include "state/companydata.h"
#include "support/testenv.h"

#include <filesystem>
#include <string>

namespace {

// Every key, umlauts and a byte Windows-1252 leaves undefined, a key the program does not know, a
// line without a key, an empty line, a value holding "=", and a key repeated.
const std::string kFile =
    "; Firmendaten\r\nFirmenname=M\xFCller & S\xF6hne\r\nAnsprechpartner=J\xFCrgen\r\n"
    "Strasse=Hauptstra\xDF"
    "e 1\r\nPLZ=50667\r\nOrt=K\xF6ln\r\nLand=DE\r\nTelefon=0221 1\r\n"
    "Handelsregister=HRB 4711 \x81\r\n\r\nEMail=r@m.de\r\nSteuernummer=214/5678/0912\r\n"
    "UStIdNr=DE123456789\r\nIBAN=DE89 3704 0044 0532 0130 00\r\nBIC=COBADEFFXXX\r\n"
    "Zahlungsziel=30\r\nZahlungsbedingungen=2 % Skonto=10 Tage\r\nKleinunternehmer=1\r\n"
    "Ort=Bonn\r\n";

const std::string kNewFileTail = "Ansprechpartner=\r\nStrasse=\r\nPLZ=\r\nOrt=\r\nLand=DE\r\nTelefon=\r\n"
                                 "EMail=\r\nSteuernummer=\r\nUStIdNr=\r\nIBAN=\r\nBIC=\r\nZahlungsziel=14\r\n"
                                 "Zahlungsbedingungen=Zahlbar innerhalb von {Tage} Tagen ohne Abzug.\r\n"
                                 "Kleinunternehmer=0\r\n";

class CompanyFileTest : public ProgramTest {};

TEST_F(CompanyFileTest, AFileReadAndWrittenUnchangedKeepsEveryByte) {
    writeData("Firma.ini", kFile);
    loadCompanyData();
    const CompanyData& company = companyData();
    EXPECT_TRUE(company.present);
    EXPECT_EQ(company.city, "K\xF6ln") << "the first line of a key counts";
    EXPECT_EQ(company.paymentTerms, "2 % Skonto=10 Tage");
    EXPECT_TRUE(company.smallBusiness);
    ASSERT_TRUE(saveCompanyData());
    EXPECT_EQ(readData("Firma.ini"), kFile);
}

TEST_F(CompanyFileTest, ChangedValuesStayInPlaceAndMissingKeysFollow) {
    struct Case {
        const char* name;
        std::string before;
        void (*change)(CompanyData&);
        std::string after;
    };
    const Case cases[] = {
        {"no file: every key in order", "", [](CompanyData& c) { c.name = "Holzwerk"; },
         "Firmenname=Holzwerk\r\n" + kNewFileTail},
        {"a changed value in its line, an unknown key kept", "Notiz=alt\r\nFirmenname=Alt\r\n",
         [](CompanyData& c) { c.name = "Neu"; }, "Notiz=alt\r\nFirmenname=Neu\r\n" + kNewFileTail},
        {"line breaks and NUL in a value become blanks", "",
         [](CompanyData& c) { c.name = std::string("a\rb\nc\0d", 7); },
         "Firmenname=a b c d\r\n" + kNewFileTail},
        {"an editor's UTF-8 with a byte-order mark",
         "\xEF\xBB\xBF"
         "Firmenname=S\xC3\xA4ge\r\nNotiz=\xFC\r\n",
         [](CompanyData& c) { EXPECT_EQ(c.name, "S\xE4ge"); },
         "Firmenname=S\xE4ge\r\nNotiz=\xFC\r\n" + kNewFileTail},
        {"a file without line end at its end gets one", "Firmenname=X",
         [](CompanyData& c) { c.smallBusiness = true; },
         "Firmenname=X\r\n" + kNewFileTail.substr(0, kNewFileTail.size() - 3) + "1\r\n"},
        {"the keys of getting paid only once they differ from their defaults", "Firmenname=X\r\n",
         // assign: GCC 12 warns falsely about the literal assigned to this member.
         [](CompanyData& c) { c.cashDiscountPercent.assign(1, '2'); },
         "Firmenname=X\r\n" + kNewFileTail.substr(0, kNewFileTail.size() - 20) +
             "SkontoProzent=2\r\nKleinunternehmer=0\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove("Firma.ini");
        if (!c.before.empty())
            writeData("Firma.ini", c.before);
        loadCompanyData();
        EXPECT_EQ(companyData().present, !c.before.empty());
        c.change(companyData());
        ASSERT_TRUE(saveCompanyData());
        EXPECT_EQ(readData("Firma.ini"), c.after);
    }
}

// A read error looks like the end of the file: what was read must not replace the whole.
TEST_F(CompanyFileTest, AFileThatCannotBeReadWholeIsKept) {
    std::filesystem::create_symlink("/proc/self/mem", dataPath("Firma.ini"));
    EXPECT_FALSE(loadCompanyData());
    companyData().name = "Neu";
    EXPECT_FALSE(saveCompanyData());
    EXPECT_TRUE(std::filesystem::is_symlink(dataPath("Firma.ini")));
}

} // namespace
