// 200 (20 in the sanitizer build) varied invoices created through the new-invoice window with company data,
// as a user creates them: 1 to 60 lines, net and gross prices, quantities up to 1000, 19, 7 and 0 % and 7
// beside the others on one invoice, units other than pieces, reverse charge, intra-community supplies and
// exports, small business, buyers with and without Leitweg-ID, "&", "<", ">", quotes, umlauts and "€" in
// every text, some with a cash discount. Then scripts/check-einvoice.sh checks every archived XML and PDF,
// each archived PDF must read as the same words as the invoice's printout, and the reader of received
// invoices reads every archived file back with the register's amount, every line and no finding.

#include "archive/archivecheck.h"
#include "datafiles/invoicelines.h"
#include "einvoicefolder.h"
#include "einvoicetesting.h"
#include "incoming/invoicecheck.h"
#include "incoming/readreceived.h"
#include "invoicing/archiveaudit.h"
#include "money/money.h"
#include "printing/printjob.h"
#include "printing/printtarget.h"
#include "runtime/conversions.h"
#include "state/companydata.h"
#include "state/invoicestate.h"
#include "state/settings.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <chrono>
#include <iostream>
#include <map>

namespace {

constexpr int kInvoices = QUILLORA_GENERATED_INVOICES;
const std::string kOdd = " M\xFCller & S\xF6hne <GmbH> \"Qualit\xE4t\" 'gro\xDF' \x80";

struct Article {
    std::string name;
    std::string price;
    std::string description;
    /// USt-Satz, Steuerkategorie and Einheit as Daten.dat keeps them after the four fields, if any.
    std::string tax = {};
};
// The first six have plain prices, the last two grouped ones. Leim is sold at 7 %, so that invoices
// at other rates hold two; several have units other than pieces.
const Article kArticles[] = {
    {"Schraube", "0,50", "M6 verzinkt"},        {"Brett", "12,50", ""},
    {"Leim", "3", "Flasche", "|7|S|LTR"},       {"Platte", "149,00", "Eiche", "|||MTK"},
    {"Nagel", "0,125", "", "|||KGM"},           {"Montage", "45", "je Stunde", "|||HUR"},
    {"Balken", "1.234,56", "Fichte", "|||MTR"}, {"Treppe", "12.345,6", "gewendelt"},
};
constexpr int kSevenPercentArticle = 2;
constexpr int kPlainArticles = 6;
// 1000 makes a gross line's net price need more than four places to give its amount.
const char* const kPlainQuantities[] = {"1", "3", "10", "25", "2", "1000"};
const char* const kDecimalQuantities[] = {"2,5", "0,75", "1,5"};
const char* const kRates[] = {"19", "7", "0"};
const int kLineCounts[] = {1, 4, 60, 12, 2, 18, 33, 7, 1, 45};

// Erika and Amt have a Leitweg-ID; Max, Gruber and Keller none. The Steuerfall follows the customer
// number's field, left empty. Max is billed by reverse charge,
// Gruber in Austria gets intra-community supplies, Keller in Switzerland exports.
const std::string kCustomers[] = {
    "Frau|Muster" + kOdd + "|Erika" + kOdd + "|c/o Amt" + kOdd + "|Ringweg 2" + kOdd + "|54321 Beispielort" +
        kOdd + "|erika@amt.de|04011000-12345-03||54321|Beispielort" + kOdd + "|DE",
    "Herr|Beispiel" + kOdd + "|Max" + kOdd + "|Zusatz" + kOdd + "|Hauptstr. 1" + kOdd + "|Musterstadt" +
        kOdd + "|||DE987654321|12345|Musterstadt" + kOdd + "|||AE",
    "Firma|Stadtamt" + kOdd + "||Abteilung" + kOdd + "|Markt 1" + kOdd + "|99999 Amtsstadt" + kOdd +
        "|post@amt.de|991-12345-73||99999|Amtsstadt" + kOdd + "|DE",
    "Herr|Gruber" + kOdd + "|Sepp" + kOdd + "||Gasse 3" + kOdd + "|1010 Wien" + kOdd +
        "|sepp@gruber.at||ATU12345678|1010|Wien" + kOdd + "|AT||K",
    "Herr|Keller" + kOdd + "|Urs" + kOdd + "||Bahnhofstr. 5" + kOdd +
        "|8001 Z\xFCrich|urs@keller.ch|||8001|Z\xFCrich|CH||G",
};
constexpr bool kWithLeitwegId[] = {true, false, true, false, false};
constexpr bool kUntaxed[] = {false, true, false, true, true};

std::string masterData() {
    std::string file = std::to_string(std::size(kCustomers)) + "\r\n";
    for (const std::string& customer : kCustomers)
        file += customer + "\r\n";
    file += std::to_string(std::size(kArticles)) + "\r\n";
    for (const Article& a : kArticles)
        file += a.name + kOdd + "|Teile|" + a.price + "|" + a.description + kOdd + a.tax + "\r\n";
    return file + "0\r\n";
}

CompanyKeys oddCompany() {
    CompanyKeys keys = kCompleteCompany;
    for (const char* key : {"Firmenname", "Ansprechpartner", "Strasse", "Ort", "Zahlungsbedingungen"})
        keys = withCompanyKey(keys, key, "Holzwerk" + kOdd);
    return keys;
}

std::vector<std::string> wordsOf(const std::string& pdf) {
    const QString text = QString::fromStdString(runTool("pdftotext", {QString::fromStdString(pdf), "-"}).out);
    std::vector<std::string> words;
    for (const QString& word : text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts))
        words.push_back(word.toStdString());
    return words;
}

// What an invoice asks to be paid: the totals of each rate's line sum at that rate and price mode.
money::Amount dueOf(const std::map<std::string, money::Amount>& sumByRate, bool gross) {
    money::Amount due;
    for (const auto& [rate, sum] : sumByRate)
        due = *money::add(due, money::totalsOf(sum, money::parse<money::Rate>(rate), gross).value().gross);
    return due;
}

class EInvoiceGenerator : public ProgramTest {
  protected:
    static void press(int button) {
        ASSERT_TRUE(clickButton(button));
        dispatch();
    }

    // Grouped prices ("1.234,56") and decimal quantities ("2,5") go through the line dialog too.
    void addLine(int article, const char* quantity) {
        press(kNewLineButton);
        ASSERT_TRUE(doubleClickRow(kArticlePicks, article));
        dispatch();
        ASSERT_TRUE(typeInto(kQuantityField, QString::fromLatin1(quantity)));
        press(kLineOkButton);
        const std::string rate = companyData().smallBusiness || untaxedCustomer ? "0"
                                 : article == kSevenPercentArticle              ? "7"
                                                                                : settings().taxRate;
        money::Amount& sum = sumByRate[rate];
        sum = *money::add(sum, money::parse<money::Amount>(getCell(kLinesList, rowCount(kLinesList) - 1, 5)));
    }
    std::map<std::string, money::Amount> sumByRate;
    bool untaxedCustomer = false;
    std::vector<money::Amount> dues;

    // Invoice n: its rate, price mode, small-business mode, customer and lines follow from n.
    void create(int n, int& xrechnung, int& moneyLines) {
        settings().taxRate = kRates[n % 3];
        settings().pricesGross = (n / 3) % 2;
        companyData().smallBusiness = n % 10 == 7;
        // Every fifth offers a cash discount, in XRechnung's form in its payment terms.
        const bool skonto = n % 5 == 2;
        companyData().cashDiscountPercent = skonto ? (n % 2 == 0 ? "2" : "1,5") : "";
        companyData().cashDiscountDays = skonto ? "10" : "";
        printTarget().pdfPath = dataPath("Druck/" + std::to_string(n + 1) + ".pdf");
        const int customer = n % static_cast<int>(std::size(kCustomers));
        xrechnung += kWithLeitwegId[customer];
        untaxedCustomer = kUntaxed[customer];
        press(kNewInvoiceButton);
        ASSERT_TRUE(selectRow(kCustomerPicks, customer));
        dispatch();
        // Some invoices name a day of delivery before today, or are due at once or in a month.
        if (n % 5 == 1) {
            ASSERT_TRUE(typeInto(kDeliveryDateField, "28.02.2026"));
        }
        if (n % 4 != 3) {
            ASSERT_TRUE(typeInto(kPaymentDaysField, n % 4 == 0 ? "0" : "30"));
        }
        sumByRate.clear();
        for (int i = 0; i < kLineCounts[n % 10]; ++i) {
            const int k = n * 7 + i;
            if (k % 4 == 0) {
                ++moneyLines;
                addLine(kPlainArticles + k % 2, kDecimalQuantities[k % 3]);
            } else {
                addLine(k % kPlainArticles, kPlainQuantities[k % std::size(kPlainQuantities)]);
            }
        }
        dues.push_back(dueOf(sumByRate, settings().pricesGross == 1));
        press(kCreateInvoiceButton);
        ASSERT_TRUE(messages.empty()) << n << ": " << messages.front().text;
        ASSERT_EQ(invoiceState().invoiceCounter, n + 1);
    }
};

TEST_F(EInvoiceGenerator, TwoHundredInvoicesPassTheOfficialChecks) {
    writeData("Daten.dat", masterData());
    writeData("Firma.ini", companyFile(oddCompany()));
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(dataPath("Druck"))));
    start();
    printTarget().kind = PrintTargetKind::PdfFile;
    int xrechnung = 0;
    int moneyLines = 0;
    for (int n = 0; n < kInvoices; ++n)
        ASSERT_NO_FATAL_FAILURE(create(n, xrechnung, moneyLines));

    for (int n = 1; n <= kInvoices; ++n) {
        const std::vector<std::string> printed = wordsOf(dataPath("Druck/" + std::to_string(n) + ".pdf"));
        ASSERT_NE(std::find(printed.begin(), printed.end(), std::to_string(n)), printed.end()) << n;
        EXPECT_EQ(wordsOf(dataPath("Archiv/" + std::to_string(n) + ".pdf")), printed) << n;
    }
    // "Archiv prüfen" in full: attachments, numbers and the invoice list's amounts agree.
    const auto auditStart = std::chrono::steady_clock::now();
    const ArchiveCheck archive = auditArchive();
    const auto auditTime = std::chrono::steady_clock::now() - auditStart;
    EXPECT_EQ(archive.problem, ArchiveProblem::None) << describeArchiveCheck(archive);
    EXPECT_EQ(archive.invoices, kInvoices);
    std::cout << "Archiv pr\xC3\xBC"
                 "fen over "
              << kInvoices
              << " invoices: " << std::chrono::duration_cast<std::chrono::milliseconds>(auditTime).count()
              << " ms" << std::endl;

    // Read back as a receiver reads them: the amount the register holds, every line, nothing to find.
    const std::string reg = readData("ReData.dat");
    std::vector<std::string> registered;
    for (std::size_t at = 0, end = 0; (end = reg.find("\r\n", at)) != std::string::npos; at = end + 2)
        registered.push_back(reg.substr(at, end - at));
    ASSERT_EQ(registered.size(), static_cast<std::size_t>(kInvoices));
    int readBack = 0;
    for (int n = 1; n <= kInvoices; ++n) {
        // The line record gives every line back, adding up to the register's line sum.
        const InvoiceLines kept = readInvoiceLines(std::to_string(n));
        money::Amount keptSum;
        for (const InvoiceLine& line : kept.lines)
            keptSum = *money::add(keptSum, line.amount);
        EXPECT_TRUE(kept.recorded &&
                    kept.lines.size() == static_cast<std::size_t>(kLineCounts[(n - 1) % 10]));
        EXPECT_EQ(money::formatAmount(keptSum), fieldOf(registered[n - 1], 4, "|")) << n;
        for (const std::string& name :
             {std::to_string(n) + ".xml", std::to_string(n) + ".pdf", std::to_string(n) + "-xrechnung.xml"}) {
            const std::string bytes = readData("Archiv/" + name);
            if (bytes.empty())
                continue;
            const incoming::ReadResult read = incoming::readReceived(bytes);
            ASSERT_TRUE(read.invoice.has_value()) << name << ": " << read.refusal;
            ++readBack;
            EXPECT_EQ(read.invoice->document.amountDue, dues[n - 1]) << name;
            EXPECT_EQ(read.invoice->document.lines.size(),
                      static_cast<std::size_t>(kLineCounts[(n - 1) % 10]))
                << name;
            const std::vector<incoming::Finding> findings = incoming::checkInvoice(*read.invoice);
            EXPECT_TRUE(findings.empty()) << name << ": " << findings.front().text;
        }
    }
    EXPECT_EQ(readBack, 2 * kInvoices + xrechnung);

    const ToolRun check = runEinvoiceCheck(QString::fromStdString(dataPath("Archiv")));
    std::cout << check.out;
    EXPECT_EQ(check.exitCode, 0);
    const std::string summary = "check-einvoice: " + std::to_string(kInvoices + xrechnung) + " files (" +
                                std::to_string(xrechnung) +
                                " with XRechnung rules): schema 0, EN 16931 0, XRechnung 0 failures; " +
                                std::to_string(kInvoices) + " PDFs, 0 failures";
    EXPECT_NE(check.out.find(summary), std::string::npos);
    // The check sees a PDF whose attachment is not its XML.
    const QString planted = QString::fromStdString(dataPath("planted"));
    ASSERT_TRUE(QDir().mkpath(planted));
    ASSERT_TRUE(QFile::copy(QString::fromStdString(dataPath("Archiv/1.pdf")), planted + "/1.pdf"));
    ASSERT_TRUE(QFile::copy(QString::fromStdString(dataPath("Archiv/2.xml")), planted + "/1.xml"));
    const ToolRun plantedCheck = runEinvoiceCheck(planted);
    EXPECT_NE(plantedCheck.out.find("1.pdf: attachment: factur-x.xml is not 1.xml"), std::string::npos)
        << plantedCheck.out;
    std::cout << "generated " << kInvoices << " invoices, " << xrechnung << " with XRechnung, " << moneyLines
              << " lines with grouped prices and decimal quantities" << std::endl;
}

} // namespace
