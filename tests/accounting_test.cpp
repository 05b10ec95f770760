// The exports for the tax adviser and the tax office, from records made here: the DATEV batch of a
// small period against files checked by hand, and the VAT return's figures of the same period.

#include "accounting/auditexport.h"
#include "accounting/datev.h"
#include "accounting/periods.h"
#include "accounting/vatreturn.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using namespace accounting;

DateValue day(const char* text) {
    return *parseDate(text);
}

TaxPart part(const char* category, std::int64_t rate, std::int64_t net, std::int64_t tax) {
    return {category, money::Rate{rate}, money::Amount{net}, money::Amount{tax}};
}

const std::string kMueller = "M\xFCller & S\xF6hne";
const std::string kBau = "Beispiel \"Bau\" GmbH";
const std::string kSociete = "Soci\xE9t\xE9 G\xE9n\xE9rale";

// March 2026: a mixed-rate invoice, one cancelled, an intra-community supply, a reverse charge
// service; an invoice in February and one in April.
const std::vector<InvoiceRecord> kInvoices = {
    {DocumentKind::Invoice, "16", day("28.02.2026"), 5, kMueller, "", {part("S", 1900, 1000, 190)}},
    {DocumentKind::Invoice,
     "17",
     day("03.03.2026"),
     5,
     kMueller,
     "",
     {part("S", 1900, 10099, 1919), part("S", 700, 5000, 350)}},
    {DocumentKind::Invoice, "18", day("10.03.2026"), 12, kBau, "", {part("S", 1900, 20000, 3800)}},
    {DocumentKind::Cancellation, "19", day("12.03.2026"), 12, kBau, "18", {part("S", 1900, -20000, -3800)}},
    {DocumentKind::Invoice, "20", day("15.03.2026"), 3, kSociete, "", {part("K", 0, 100000, 0)}},
    {DocumentKind::Invoice, "21", day("25.03.2026"), 3, kSociete, "", {part("AE", 0, 30050, 0)}},
    {DocumentKind::Invoice, "22", day("01.04.2026"), 5, kMueller, "", {part("S", 1900, 1000, 190)}},
};
const std::vector<PaymentRecord> kPayments = {
    {"17", day("20.03.2026"), money::Amount{17368}, "", 5, kMueller},
    {"16", day("02.04.2026"), money::Amount{1190}, "", 5, kMueller},
};
const Period kMarch = {day("01.03.2026"), day("31.03.2026")};
const DateValue kCreated = dateValueOf(2026, 4, 2, 9, 15, 0);

std::string expectedFile(const std::string& name) {
    std::ifstream in(std::string(QUILLORA_TEST_DATA) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The VAT overview takes a calendar month or quarter only.
TEST(PeriodTest, MonthsAndQuartersAreTheVatPeriods) {
    const struct {
        const char* from;
        const char* to;
        bool taken;
    } rows[] = {
        {"01.02.2026", "28.02.2026", true},  {"01.04.2026", "30.06.2026", true},
        {"01.10.2026", "31.12.2026", true},  {"01.02.2026", "30.04.2026", false},
        {"02.04.2026", "30.06.2026", false}, {"01.04.2026", "31.05.2026", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(isMonthOrQuarter({day(row.from), day(row.to)}), row.taken) << row.from << " " << row.to;
}

TEST(DatevBatchTest, ASmallPeriodByteForByte) {
    AccountingSetup skr03{29098, 55003, Chart::Skr03, 1, 1, 4, DebtorMode::PerCustomer, {}, 0};
    AccountingSetup skr04{29098, 55003, Chart::Skr04, 1, 7, 5, DebtorMode::Collective, {}, 0};
    struct Row {
        const char* file;
        AccountingSetup setup;
        bool payments;
    };
    for (const Row& row : {Row{"datev-skr03.csv", skr03, true}, Row{"datev-skr04.csv", skr04, false}}) {
        SCOPED_TRACE(row.file);
        const DatevBatch batch = datevBookingBatch(
            kInvoices, row.payments ? kPayments : std::vector<PaymentRecord>{}, row.setup, kMarch, kCreated);
        EXPECT_EQ(batch.refusal, "");
        EXPECT_EQ(batch.bookings, row.payments ? 7 : 6);
        EXPECT_EQ(batch.bytes, expectedFile(row.file));
    }
}

TEST(DatevBatchTest, WhatCannotBeBookedIsRefused) {
    AccountingSetup setup{29098, 55003, Chart::Skr03, 1, 1, 4, DebtorMode::PerCustomer, {}, 0};
    std::vector<InvoiceRecord> sixteen = kInvoices;
    sixteen[2].parts[0].rate = money::Rate{1600};
    std::vector<InvoiceRecord> farCustomer = kInvoices;
    farCustomer[2].customerNumber = 90000;
    std::vector<InvoiceRecord> huge = kInvoices;
    huge[2].parts[0].net = money::Amount{999999999999};
    struct Row {
        const char* name;
        const std::vector<InvoiceRecord>& invoices;
        Period period;
        std::string refusal;
    };
    const Row rows[] = {
        {"a standard rate without an account", sixteen, kMarch,
         "F\xFCr die Rechnung Nr. 18 (Steuerfall S 16 %) gibt es kein Erl\xF6skonto."},
        {"a customer number beyond the debtors", farCustomer, kMarch,
         "Die Kundennummer 90000 (Rechnung Nr. 18) passt in kein Debitorenkonto der Sachkontenl\xE4nge."},
        {"an amount of eleven digits", huge, kMarch,
         "Der Betrag zu Nr. 18 ist f\xFCr das DATEV-Format zu gro\xDF."},
        {"two fiscal years",
         kInvoices,
         {day("01.12.2025"), day("31.01.2026")},
         "Der Zeitraum muss in einem Wirtschaftsjahr liegen."},
        {"nothing in the period", kInvoices, {day("01.05.2026"), day("31.05.2026")}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const DatevBatch batch = datevBookingBatch(row.invoices, {}, setup, row.period, kCreated);
        EXPECT_EQ(batch.refusal, row.refusal);
        EXPECT_EQ(batch.bookings, 0);
        EXPECT_EQ(batch.bytes, "");
    }
}

TEST(VatReturnTest, TheFiguresOfAPeriodAndTheInvoicesBehindThem) {
    std::vector<InvoiceRecord> invoices = kInvoices;
    invoices.push_back({DocumentKind::CreditNote,
                        "23",
                        day("31.03.2026"),
                        3,
                        kSociete,
                        "20",
                        {part("K", 0, -150, 0), part("S", 1600, 1000, 160)}});
    const std::vector<VatFigure> figures = vatFigures(invoices, kMarch);
    struct Row {
        const char* code;
        const char* base;
        const char* tax;
        std::vector<std::string> numbers;
    };
    const Row rows[] = {
        {"81", "100", "19,19", {"17", "18", "19"}},
        {"86", "50", "3,50", {"17"}},
        {"41", "998", "0,00", {"20", "23"}},
        {"21", "300", "0,00", {"21"}},
        {"43", "0", "0,00", {}},
        {"", "10", "1,60", {"23"}},
    };
    ASSERT_EQ(figures.size(), std::size(rows));
    for (std::size_t i = 0; i < figures.size(); ++i) {
        SCOPED_TRACE(rows[i].code);
        EXPECT_EQ(figures[i].code, rows[i].code);
        EXPECT_EQ(wholeEuros(figures[i].net), rows[i].base);
        EXPECT_EQ(money::formatAmount(figures[i].tax), rows[i].tax);
        std::vector<std::string> numbers;
        for (const VatEntry& entry : figures[i].entries)
            numbers.push_back(entry.number);
        EXPECT_EQ(numbers, rows[i].numbers);
    }
    EXPECT_EQ(money::formatAmount(figures[0].entries[2].net), "-200,00");
    EXPECT_EQ(wholeEuros(money::Amount{-199}), "-1");
}

// The audit export's index.xml is valid against the DTD shipped beside it, and describes every table
// it holds.
TEST(AuditExportTest, IndexXmlIsValidAgainstTheDtd) {
    AuditData data;
    data.invoices = kInvoices;
    data.customers = {{5, {"Herr", kMueller, "Max", "", "Weg 1", "K\xF6ln"}}};
    data.articles = {{"Schraube", "Teile", "0,50", "M6 <verzinkt>"}};
    data.itemLines = {{"17", {"Schraube 0,50 M6"}}, {"22", {"Mutter 0,10"}}};
    data.payments = kPayments;
    data.archiveFiles = {{"17.xml", "<xml/>"}};
    data.supplierName = "Holzwerk & S\xF6hne";
    const std::vector<ExportFile> files = auditExportFiles(data, kMarch);
    QTemporaryDir dir;
    std::vector<std::string> paths;
    for (const ExportFile& f : files) {
        paths.push_back(f.path);
        const std::filesystem::path path = std::filesystem::path(dir.path().toStdString()) / f.path;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << f.bytes;
    }
    EXPECT_EQ(paths, (std::vector<std::string>{"index.xml", "gdpdu-01-08-2002.dtd", "Rechnungsausgang.csv",
                                               "Rechnungspositionen.csv", "Kunden.csv", "Artikel.csv",
                                               "Zahlungen.csv", "Archiv/17.xml"}));
    QProcess xmllint;
    xmllint.setWorkingDirectory(dir.path());
    xmllint.start("xmllint", {"--noout", "--valid", "index.xml"});
    ASSERT_TRUE(xmllint.waitForFinished(30000));
    EXPECT_EQ(xmllint.exitCode(), 0) << xmllint.readAllStandardError().toStdString();
    EXPECT_EQ(files[2].bytes.substr(0, files[2].bytes.find("\r\n")),
              "\"17\";\"Rechnung\";03.03.2026;5;\"M\xFCller & S\xF6hne\";\"S\";19,00;100,99;19,19;\"\"");
    EXPECT_EQ(files[3].bytes, "\"17\";1;\"Schraube 0,50 M6\"\r\n") << "the lines of invoices in the period";
    EXPECT_EQ(files[6].bytes, "\"17\";20.03.2026;173,68;\"\"\r\n");
}

} // namespace
