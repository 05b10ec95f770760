// "Rechnung erstellen" with company data: the question before printing when no valid e-invoice can be
// made, and the invoice's files in the archive after it is registered.

#include "archive/archivecheck.h"
#include "archive/checksumchain.h"
#include "einvoice/facturx.h"
#include "einvoicefolder.h"
#include "einvoicetesting.h"
#include "invoicing/archiveaudit.h"
#include "invoicing/einvoicedocument.h"
#include "invoicing/newinvoicewindow.h"
#include "printing/printjob.h"
#include "printing/printtarget.h"
#include "printtesting.h"
#include "runtime/conversions.h"
#include "state/companydata.h"
#include "state/invoicestate.h"
#include "state/settings.h"
#include "support/datafolder.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_testing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStatusBar>
#include <QWidget>
#include <algorithm>
#include <utility>

#include <filesystem>
#include <map>

namespace {

// Erika has her e-invoice data and a Leitweg-ID; Max has none.
const std::string kCustomers = "2\r\n"
                               "Frau|Muster|Erika|c/o Amt|Ringweg 2|54321 Beispielort|erika@amt.de|"
                               "04011000-12345-03||54321|Beispielort|DE\r\n"
                               "Herr|Beispiel|Max||Hauptstr. 1|Musterstadt\r\n";
const std::string kArticles = "1\r\nSchraube|Teile|0,50|M6\r\n";
constexpr int kErika = 0;
constexpr int kMax = 1;

const std::string kQuestion = "F\xFCr diese Rechnung kann keine g\xFCltige E-Rechnung erstellt werden: ";
const std::string kPaperOnly =
    ". Trotzdem nur auf Papier erstellen? Bitte die Rechnung abbrechen oder nur auf "
    "Papier erstellen und die Kundendaten danach erg\xE4nzen.";

class EInvoiceIssueTest : public ProgramTest {
  protected:
    void startWith(const std::optional<CompanyKeys>& company, const std::string& customers = kCustomers) {
        writeData("Daten.dat", customers + kArticles + "0\r\n");
        for (const char* name : {"Firma.ini", "ReData.dat"})
            QFile::remove(QString::fromStdString(dataPath(name)));
        if (company)
            writeData("Firma.ini", companyFile(*company));
        resetPrintJob();
        start();
        settings().taxRate = "19";
        printTarget().kind = PrintTargetKind::PdfFile;
        printTarget().pdfPath = dataPath("rechnung.pdf");
        messages.clear();
    }
    // Complete company data, these customers, and no archive yet.
    void freshStart(const std::string& customers) {
        QDir(QString::fromStdString(dataPath("Archiv"))).removeRecursively();
        startWith(kCompleteCompany, customers);
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
    // "Neu", the customer, 25 screws when lines is set; "Rechnung erstellen" is left to the test.
    static void compose(int customer, bool lines = true) {
        press(kNewInvoiceButton);
        ASSERT_TRUE(selectRow(kCustomerPicks, customer));
        dispatch();
        if (!lines)
            return;
        press(kNewLineButton);
        ASSERT_TRUE(doubleClickRow(kArticlePicks, 0));
        dispatch();
        ASSERT_TRUE(typeInto(kQuantityField, "25"));
        press(kLineOkButton);
    }
    bool archived(const std::string& name) const {
        return QFileInfo::exists(QString::fromStdString(dataPath("Archiv/" + name)));
    }
};

TEST_F(EInvoiceIssueTest, DataAnEInvoiceLacksAreAskedForAndNeinKeepsTheWindow) {
    struct Case {
        const char* key; // of Firma.ini, given the value below ("" leaves the line out)
        const char* value;
        int customer;
        int lines;
        std::string reasons;
        const char* taxRate = "19";
    };
    const Case cases[] = {
        {"Firmenname", "", kErika, 1, "Firmenname fehlt"},
        {"Land", "Deutschland", kErika, 1, "Land der Firma ist kein L\xE4nderkennzeichen (z. B. DE)"},
        {"", "", kMax, 1, "PLZ des Kunden fehlt, Ort des Kunden fehlt"},
        {"", "", kErika, 0, "keine Rechnungsposition"},
        {"IBAN", "", kErika, 1, "IBAN der Firma fehlt"},
        {"Zahlungsbedingungen", "Zahlbar innerhalb von 30 Tagen ohne Abzug.", kErika, 1,
         "Zahlungsbedingungen nennen nicht das Zahlungsziel von 14 Tagen"},
        {"IBAN", "DE89 3704 0044 0532 0130 00", kErika, 1,
         "Die Fu\xDFzeile nennt eine andere IBAN als die Firmendaten"},
        {"Ort", "", kErika, 1, "Ort der Firma fehlt, Kein Steuersatz in den Einstellungen", " "},
        // A small business charges no tax: no rate is needed.
        {"Kleinunternehmer", "1", kMax, 1, "PLZ des Kunden fehlt, Ort des Kunden fehlt", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reasons);
        startWith(withCompanyKey(kCompleteCompany, c.key, c.value));
        settings().taxRate = c.taxRate;
        settings().footerLines2[1] = "IBAN DE02 1203 0000 0000 2020 51";
        compose(c.customer, c.lines);
        // An invoice without lines is first confirmed as such.
        if (c.lines == 0)
            answerNext(kAnswerYes);
        answerNext(kAnswerNo);
        EXPECT_EQ(createAndRegisterInvoice(), InvoiceOutcome::KeptForEInvoice);
        ASSERT_EQ(messages.size(), c.lines == 0 ? 2u : 1u);
        EXPECT_EQ(messages.back().caption, "Hinweis!");
        EXPECT_EQ(messages.back().text, kQuestion + c.reasons + kPaperOnly);
        EXPECT_EQ(messages.back().flags, kMessageYesNo);
        // Back in the window: nothing printed, no number used, nothing written.
        EXPECT_EQ(rowCount(kLinesList), c.lines);
        EXPECT_EQ(invoiceState().invoiceCounter, 0);
        EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(dataPath("rechnung.pdf"))));
        EXPECT_EQ(readData("ReData.dat"), "");
        EXPECT_FALSE(archived(""));
        cancelInvoice();
    }
}

TEST_F(EInvoiceIssueTest, PaperOnlyKeepsAPdfCopyWithCompanyDataAndTheCheckNamesInvoicesWithout) {
    struct Case {
        std::optional<CompanyKeys> company;
        std::size_t questions;
        std::string check;
    };
    const Case cases[] = {
        {withCompanyKey(kCompleteCompany, "Ort", ""), 1, "Archiv in Ordnung (1 Rechnung)"}, // "Ja"
        {std::nullopt, 0, "Archiv in Ordnung (0 Rechnungen)\nOhne Archivkopie: Nr. 1"},
    };
    for (const Case& c : cases) {
        QDir(QString::fromStdString(dataPath("Archiv"))).removeRecursively();
        startWith(c.company);
        compose(kErika);
        answerNext(kAnswerYes);
        press(kCreateInvoiceButton);
        EXPECT_EQ(messages.size(), c.questions);
        EXPECT_EQ(registerNumbers(readData("ReData.dat")), std::vector<int>{1});
        // The paper copy alone: a PDF without attachment, in the checksum chain.
        EXPECT_EQ(archived("1.pdf"), c.company.has_value());
        EXPECT_FALSE(archived("1.xml"));
        if (c.company) {
            EXPECT_EQ(einvoice::attachedXml(readData("Archiv/1.pdf")), std::nullopt);
        }
        const std::string check = describeArchiveCheck(auditArchive());
        EXPECT_TRUE(check.starts_with(c.check)) << check;
        EXPECT_EQ(check.find("Ohne") == std::string::npos, c.company.has_value()) << check;
    }
}

TEST_F(EInvoiceIssueTest, OptionsNeverSavedTakeLetterheadAndFooterFromTheCompanyData) {
    for (const bool optionsSaved : {false, true}) {
        SCOPED_TRACE(optionsSaved);
        QFile::remove(QString::fromStdString(dataPath("Option.ini")));
        if (optionsSaved)
            writeData("Option.ini", "Tischlerei\r\n\r\n18");
        startWith(kCompleteCompany);
        const Settings& s = settings();
        EXPECT_EQ(s.logoLine1, optionsSaved ? "Tischlerei" : "Holzwerk Beispiel");
        if (optionsSaved)
            continue;
        EXPECT_EQ(s.companyAddress, "Holzwerk Beispiel, S\xE4geweg 1, 12345 Musterstadt");
        EXPECT_EQ(s.footerLines3[0], "IBAN DE02120300000000202051");
        EXPECT_EQ(s.footerLines4[1], "USt-IdNr. DE123456789");
        // No placeholder is left.
        const Settings d = defaultSettings();
        for (const auto block : {&Settings::footerLines1, &Settings::footerLines2, &Settings::footerLines3,
                                 &Settings::footerLines4})
            EXPECT_EQ(std::count((s.*block).begin(), (s.*block).end(), (d.*block)[0]), 0);
    }
}

TEST_F(EInvoiceIssueTest, RegisteredInvoiceIsArchivedFromTheProgramsData) {
    startWith(kCompleteCompany);
    const auto day = [](int days) { return formatDate("%yyyy%mm%dd", currentDate() + days * 24 * 3600); };
    const std::string trade = "SupplyChainTradeTransaction/ApplicableHeader";
    const std::string buyer = trade + "TradeAgreement/BuyerTradeParty/";
    const std::string delivered = trade + "TradeDelivery/ActualDeliverySupplyChainEvent/OccurrenceDateTime/";
    const std::string sums = trade + "TradeSettlement/SpecifiedTradeSettlementHeaderMonetarySummation/";
    const std::string tax = trade + "TradeSettlement/ApplicableTradeTax/";
    struct Case {
        int pricesGross;
        bool smallBusiness;
        int paymentDays;
        const char* deliveryDate;
        std::vector<std::pair<std::string, std::string>> fields;
    };
    const Case cases[] = {
        {0,
         false,
         14,
         "01.12.2026",
         {{trade + "TradeAgreement/BuyerReference", "04011000-12345-03"},
          {buyer + "ID", "1"},
          {buyer + "Name", "Erika Muster"},
          {buyer + "PostalTradeAddress/PostcodeCode", "54321"},
          {buyer + "PostalTradeAddress/CityName", "Beispielort"},
          {delivered + "DateTimeString", "20261201"},
          {trade + "TradeSettlement/SpecifiedTradePaymentTerms/DueDateDateTime/DateTimeString", day(14)},
          {tax + "CategoryCode", "S"},
          {sums + "GrandTotalAmount", "14.88"}}},
        // 25 screws at 0,50 gross are 10,50 net; a small business charges no tax.
        {1,
         false,
         30,
         "",
         {{delivered + "DateTimeString", day(0)},
          {trade + "TradeSettlement/SpecifiedTradePaymentTerms/DueDateDateTime/DateTimeString", day(30)},
          // The earlier default text names the window's days.
          {trade + "TradeSettlement/SpecifiedTradePaymentTerms/Description",
           "Zahlbar innerhalb von 30 Tagen ohne Abzug."},
          {sums + "TaxBasisTotalAmount", "10.50"},
          {sums + "GrandTotalAmount", "12.50"}}},
        {0, true, 0, "", {{tax + "CategoryCode", "E"}, {sums + "GrandTotalAmount", "12.50"}}},
    };
    for (const Case& c : cases) {
        settings().pricesGross = c.pricesGross;
        companyData().smallBusiness = c.smallBusiness;
        compose(kErika);
        if (*c.deliveryDate) {
            ASSERT_TRUE(typeInto(kDeliveryDateField, c.deliveryDate));
        }
        ASSERT_TRUE(typeInto(kPaymentDaysField, QString::number(c.paymentDays)));
        press(kCreateInvoiceButton);
        EXPECT_TRUE(messages.empty());
        const std::string n = formatInt(invoiceState().invoiceCounter);
        const XmlFields fields = readXmlFields(readData("Archiv/" + n + ".xml"));
        for (const auto& [path, value] : c.fields)
            EXPECT_EQ(fields.count(path) ? fields.at(path).front() : "(none)", value) << n << ": " << path;
        EXPECT_TRUE(archived(n + ".pdf") && archived(n + "-xrechnung.xml"));
        const auto* status = windowWidget(kMainWindow)->findChild<QStatusBar*>();
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(status->currentMessage().toStdString(),
                  "E-Rechnung gespeichert: Archiv/" + n + ".xml, " + n + ".pdf, " + n + "-xrechnung.xml");
        // The PDF carries the link its invoice's first line in the checksum list carries.
        const std::string list = readData("Archiv/Pr\xC3\xBC"
                                          "fsummen.txt");
        const std::size_t line = list.find(n + ".xml|");
        ASSERT_NE(line, std::string::npos);
        const std::string link = list.substr(line + n.size() + 5 + 65, 64);
        EXPECT_NE(readData("Archiv/" + n + ".pdf").find("ChainValue>" + link + "<"), std::string::npos) << n;
    }
    EXPECT_EQ(verifyArchive().invoices, 3);
}

// Each tax case: every line of its category at 0 %, the reason and code in the XML, the legal note and
// both VAT ids on paper; without the customer's VAT id, reverse charge is asked for it.
TEST_F(EInvoiceIssueTest, EachTaxCasePrintsItsNoteAndWritesItsCategory) {
    const std::string tax = "SupplyChainTradeTransaction/ApplicableHeaderTradeSettlement/ApplicableTradeTax/";
    struct Case {
        const char* taxCase;
        const char* place; // USt-IdNr.|PLZ|Ort|Land
        const char* category;
        const char* code;
        const char* note;
    };
    const Case cases[] = {
        {"AE", "DE987654321|12345|Musterstadt|DE", "AE", "VATEX-EU-AE", "Steuerschuldnerschaft des"},
        {"K", "ATU12345678|1010|Wien|AT", "K", "VATEX-EU-IC", "Steuerfreie innergemeinschaftliche"},
        {"G", "|8001|Z\xFCrich|CH", "G", "VATEX-EU-G", "Steuerfreie Ausfuhrlieferung"},
        {"AE", "|12345|Musterstadt|DE", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.taxCase) + c.place);
        const std::string place = c.place;
        std::string town = place.substr(place.find('|') + 1, place.rfind('|') - place.find('|') - 1);
        freshStart("1\r\nHerr|Beispiel|Max||Hauptstr. 1|" + town.replace(town.find('|'), 1, " ") +
                   "|max@beispiel.de||" + place + "||" + c.taxCase + "\r\n");
        compose(0);
        press(kCreateInvoiceButton);
        if (!*c.category) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_NE(messages.front().text.find("USt-IdNr. des Kunden fehlt"), std::string::npos);
            continue;
        }
        ASSERT_TRUE(messages.empty()) << messages.front().text;
        const std::string n = formatInt(invoiceState().invoiceCounter);
        const XmlFields fields = readXmlFields(readData("Archiv/" + n + ".xml"));
        EXPECT_EQ(fields.at(tax + "CategoryCode").front(), c.category);
        EXPECT_EQ(fields.at(tax + "ExemptionReasonCode").front(), c.code);
        EXPECT_EQ(fields.at(tax + "CalculatedAmount").front(), "0.00");
        std::string printed;
        for (const PdfWord& w : readPdfWords(dataPath("rechnung.pdf")))
            printed += w.text + " ";
        EXPECT_NE(printed.find(c.note), std::string::npos) << printed;
        EXPECT_NE(printed.find("DE123456789"), std::string::npos) << printed;
    }
}

// Behind a checksum list made anew to fit, "Archiv prüfen" still finds a PDF that carries another
// invoice, an XML of another number and an amount in the invoice list that is not the archived one.
TEST_F(EInvoiceIssueTest, ArchiveCheckComparesPdfXmlAndTheInvoiceList) {
    startWith(kCompleteCompany);
    for (int i = 0; i < 2; ++i) {
        compose(kErika);
        press(kCreateInvoiceButton);
    }
    std::map<std::string, std::string> files;
    for (const char* name : {"1.xml", "1.pdf", "1-xrechnung.xml", "2.xml", "2.pdf", "2-xrechnung.xml"})
        files[name] = readData(std::string("Archiv/") + name);
    struct Row {
        const char* name;
        std::map<std::string, std::string> changed;
        const char* total;
        std::string said;
    };
    const Row rows[] = {
        {"untouched", {}, "14,88", "Archiv in Ordnung (2 Rechnungen)\nLetzter Kettenwert: "},
        {"2.pdf carries invoice 1",
         {{"2.pdf", files["1.pdf"]}},
         "14,88",
         "Die in 2.pdf eingebettete E-Rechnung stimmt nicht mit 2.xml \xFC"
         "berein."},
        {"invoice 1 as 2",
         {{"2.pdf", files["1.pdf"]}, {"2.xml", files["1.xml"]}},
         "14,88",
         "Die Datei 2.xml nennt eine andere Rechnungsnummer."},
        {"another amount in the list",
         {},
         "14,89",
         "Der Betrag der Rechnung Nr.:2 in der Rechnungsliste stimmt nicht mit 2.xml \xFC"
         "berein."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        // The files as the row has them, behind a list made anew to fit them.
        std::string list;
        std::optional<std::string> line;
        for (const auto& [name, original] : files) {
            const std::string& bytes = row.changed.contains(name) ? row.changed.at(name) : original;
            std::filesystem::permissions(dataPath("Archiv/" + name), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add);
            writeData("Archiv/" + name, bytes);
            line = chainLine(name, sha256Hex(bytes), line);
            list += *line + "\r\n";
        }
        writeData("Archiv/Pr\xC3\xBC"
                  "fsummen.txt",
                  list);
        setCell(kInvoiceList, 1, row.total, 3);
        messages.clear();
        ASSERT_TRUE(chooseMenuItem(QString::fromUtf8("Archiv prüfen")));
        dispatch();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text.substr(0, row.said.size()), row.said);
    }
}

TEST_F(EInvoiceIssueTest, ATakenArchiveNameIsToldAndTheInvoiceStaysRegistered) {
    writeData("Archiv/1.pdf", "%PDF alt");
    startWith(kCompleteCompany);
    // Max's place comes from his row as chosen; the question is not the point here. A Leitweg-ID of
    // blanks only is none: no XRechnung, and nothing it would ask for.
    setCell(kCustomerList, kMax, "12345", kCustomerEInvoiceColumn + 3);
    setCell(kCustomerList, kMax, "Musterstadt", kCustomerEInvoiceColumn + 4);
    setCell(kCustomerList, kMax, " ", kCustomerEInvoiceColumn + 1);
    compose(kMax);
    EXPECT_EQ(createAndRegisterInvoice(), InvoiceOutcome::Registered);
    EXPECT_EQ(errorTexts(),
              std::vector<std::string>{"Die E-Rechnung Nr.:1 konnte nicht gespeichert werden!"});
    EXPECT_EQ(registerNumbers(readData("ReData.dat")), std::vector<int>{1});
    EXPECT_EQ(readData("Archiv/1.pdf"), "%PDF alt");
    EXPECT_FALSE(archived("1.xml"));
}

TEST_F(EInvoiceIssueTest, PaperRegisterAndXmlNameTheCustomerAsChosenAtOnePlace) {
    const std::string anna = "Herr|Alt|Anna||Weg 1|11111 Aort||||11111|Aort|DE\r\n";
    const std::string bert = "Frau|Bert|Berta||Weg 2|22222 Bort||||22222|Bort|DE\r\n";
    const std::string carl = "Herr|Cramer|Carl||Weg 3|33333 Cort||||33333|Cort|DE\r\n";
    const auto asked = [](const std::string& reason) { return kQuestion + reason + kPaperOnly; };
    struct Case {
        const char* name;
        std::string customers;
        int chosen = 0;
        int deleted = -1;         // on the customers page while "Neue Rechnung" is open
        const char* typed = "";   // into "Kunde suchen" after that
        const char* wohnort = ""; // given to customer 0 through "\xC4ndern" first
        std::string registered;   // name and customer number, which stays the customer's; "" for none
        std::string told;         // the messages but the deletion's question: no invoice then
        const char* place = "";   // postcode, town and country in the XML
    };
    const Case cases[] = {
        {"a customer above goes", anna + bert + carl, 1, 0, "", "", "Bert|2", "", "22222 Bort DE"},
        {"the chosen one goes", anna + bert, 1, 1, "", "", "",
         "Der gew\xE4hlte Kunde wurde gel\xF6scht; bitte einen Kunden ausw\xE4hlen. / Bitte zuerst einen "
         "Kunden ausw\xE4hlen."},
        {"Kunde suchen after a deletion", anna + bert + carl, 1, 0, "Cr", "", "Cramer|3", "",
         "33333 Cort DE"},
        {"derived ones follow a new Wohnort", bert, 0, -1, "", "80331 M\xFCnchen", "Bert|1", "",
         "80331 M\xFCnchen DE"},
        {"typed ones stay and are named", "Frau|Bert|B||Weg|22222 Bort||||11111|Aort|DE\r\n", 0, -1, "",
         "80331 M\xFCnchen", "Bert|1",
         asked("PLZ und Ort der E-Rechnung (11111 Aort) weichen vom Wohnort (80331 M\xFCnchen) ab")},
        {"a typed postcode alone", "Frau|Bert|B||Weg|80331 M\xFCnchen||||80333|M\xFCnchen|DE\r\n", 0, -1, "",
         "", "Bert|1",
         asked("PLZ und Ort der E-Rechnung (80333 M\xFCnchen) weichen vom Wohnort (80331 M\xFCnchen) ab")},
        {"a Wohnort with a postcode gives them", "Frau|Bert|B||Weg|12345 Gro\xDFstadt\r\n", 0, -1, "", "",
         "Bert|1", "", "12345 Gro\xDFstadt DE"},
        {"four digits are no German postcode", "Frau|Bert|B||Weg|1010 Wien\r\n", 0, -1, "", "", "Bert|1",
         asked("PLZ des Kunden fehlt, Ort des Kunden fehlt")},
    };
    const std::string address =
        "SupplyChainTradeTransaction/ApplicableHeaderTradeAgreement/BuyerTradeParty/PostalTradeAddress/";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        freshStart(std::to_string(std::count(c.customers.begin(), c.customers.end(), '\n')) + "\r\n" +
                   c.customers);
        if (*c.wohnort) {
            ASSERT_TRUE(selectRow(kCustomerList, 0));
            press(kChangeCustomerButton);
            ASSERT_TRUE(typeInto(kChangeCustomerFirstField + 5, QString::fromLatin1(c.wohnort)));
            press(kChangeCustomerOkButton);
        }
        compose(c.chosen);
        if (c.deleted >= 0) {
            ASSERT_TRUE(selectRow(kCustomerList, c.deleted));
            answerNext(kAnswerYes);
            press(kDeleteCustomerButton);
            messages.erase(messages.begin());
        }
        if (*c.typed) {
            ASSERT_TRUE(typeInto(kCustomerSearchField, c.typed));
            dispatch();
        }
        // The pick list shows the customer chosen.
        EXPECT_EQ(getCell(kCustomerPicks, getState(kCustomerPicks), 0),
                  c.registered.substr(0, c.registered.find('|')));
        press(kCreateInvoiceButton);
        std::string told;
        for (const ShownMessage& m : messages)
            told += (told.empty() ? "" : " / ") + m.text;
        EXPECT_EQ(told, c.told);
        if (!c.told.empty())
            continue;
        EXPECT_EQ(readData("ReData.dat").substr(0, c.registered.size() + 2), "1|" + c.registered);
        const XmlFields fields = readXmlFields(readData("Archiv/1.xml"));
        const std::string place =
            fields.at(address + "PostcodeCode").front() + " " + fields.at(address + "CityName").front();
        EXPECT_EQ(place + " " + fields.at(address + "CountryID").front(),
                  QString::fromLatin1(c.place).toStdString());
        const std::string paper =
            runTool("pdftotext", {QString::fromStdString(dataPath("rechnung.pdf")), "-"}).out;
        EXPECT_NE(paper.find(place), std::string::npos);
    }
}

TEST_F(EInvoiceIssueTest, PaperRegisterAndArchiveShowOneDateAcrossMidnight) {
    startWith(kCompleteCompany);
    compose(kErika);
    // A clock a day later at each reading: whatever reads it twice shows two days.
    DateValue now = dateValueOf(2026, 12, 31, 23, 59, 59);
    setClock([&now] { return std::exchange(now, now + 24 * 3600); });
    press(kCreateInvoiceButton);
    setClock({});
    EXPECT_EQ(fieldOf(readData("ReData.dat"), 5, "|"), "31.12.2026");
    EXPECT_EQ(getCell(kInvoiceList, 0, 4), "31.12.2026");
    const XmlFields fields = readXmlFields(readData("Archiv/1.xml"));
    EXPECT_EQ(fields.at("ExchangedDocument/IssueDateTime/DateTimeString").front(), "20261231");
    EXPECT_EQ(
        fields
            .at("SupplyChainTradeTransaction/ApplicableHeaderTradeSettlement/SpecifiedTradePaymentTerms/"
                "DueDateDateTime/DateTimeString")
            .front(),
        "20270114");
    for (const char* pdf : {"rechnung.pdf", "Archiv/1.pdf"}) {
        const std::string paper = runTool("pdftotext", {QString::fromStdString(dataPath(pdf)), "-"}).out;
        EXPECT_NE(paper.find("31.12.2026"), std::string::npos) << pdf;
        EXPECT_NE(paper.find("Zahlbar bis 14.01.2027"), std::string::npos) << pdf;
    }
    // A delivery note made later carries its own day.
    setClock([] { return dateValueOf(2027, 1, 2, 9, 0, 0); });
    compose(kErika, false);
    press(kDeliveryNoteButton);
    setClock({});
    EXPECT_EQ(
        runTool("pdftotext", {QString::fromStdString(dataPath("rechnung.pdf")), "-"}).out.find("31.12.2026"),
        std::string::npos);
}

} // namespace
