// Received e-invoices: every official example reads with its syntax, type, totals and lines, and has
// exactly the findings its own arithmetic earns; faults planted into copies are found with their BT
// numbers; the XML comes out of a hybrid PDF as it went in.

#include "einvoice/ciiwriter.h"
#include "einvoice/facturx.h"
#include "einvoicetesting.h"
#include "incoming/invoicecheck.h"
#include "incoming/readreceived.h"
#include "support/testenv.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <gtest/gtest.h>

#include <set>

namespace {

using incoming::Syntax;

const std::string kFolder = QUILLORA_SOURCE_DIR "/tests/einvoice/";

std::string fileBytes(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

bool same(std::optional<incoming::Decimal> value, const char* expected) {
    return value && incoming::compare(*value, *incoming::parseDecimal(expected)) == std::optional<int>(0);
}

std::set<int> btsOf(const std::vector<incoming::Finding>& findings) {
    std::set<int> bts;
    for (const incoming::Finding& f : findings)
        bts.insert(f.bt);
    return bts;
}

// The totals as xmllint reads them from each file (BT-109, BT-112, BT-115). Findings: the line
// amounts of eight EN 16931 examples are not quantity × price / base quantity. Five write the
// price into the base quantity, example 1 line 20 has a positive quantity and price but a negative
// amount, Z line 16 says 1 × 1,50 = 177,41, XRechnung-O takes its line charges off instead of
// adding them, and the forint example rounds lines and tax to whole forints.
struct Official {
    const char* file;
    Syntax syntax;
    const char* type;
    const char* net;
    const char* gross;
    const char* due;
    std::size_t lines;
    std::size_t findings;
    std::set<int> bts = {};
};

const Official kOfficial[] = {
    {"examples/CII-BR-CO-10-RoundingIssue.xml", Syntax::Cii, "380", "0", "0", "0", 4, 0},
    {"examples/CII_business_example_01.xml", Syntax::Cii, "380", "1436.5", "1801.78", "801.78", 5, 5, {131}},
    {"examples/CII_business_example_02.xml", Syntax::Cii, "380", "10", "11.9", "11.9", 3, 0},
    {"examples/CII_business_example_Z.xml",
     Syntax::Cii,
     "380",
     "11693.87",
     "11693.87",
     "11693.87",
     3,
     1,
     {131}},
    {"examples/CII_example1.xml", Syntax::Cii, "380", "229.6", "250.33", "250.33", 20, 1, {131}},
    {"examples/CII_example2.xml", Syntax::Cii, "380", "1436.5", "1801.78", "801.78", 5, 5, {131}},
    {"examples/CII_example3.xml", Syntax::Cii, "380", "900", "1125", "1125", 1, 0},
    {"examples/CII_example4.xml", Syntax::Cii, "380", "4000", "4675", "4675", 3, 0},
    {"examples/CII_example5.xml", Syntax::Cii, "380", "4000", "4675", "2337.5", 3, 0},
    {"examples/CII_example6.xml", Syntax::Cii, "380", "4000", "4675", "4675", 3, 0},
    {"examples/CII_example7.xml", Syntax::Cii, "380", "3200", "3200", "3200", 2, 0},
    {"examples/CII_example8.xml", Syntax::Cii, "380", "908.91", "1099.78", "1099.78", 10, 10, {131}},
    {"examples/CII_example9.xml", Syntax::Cii, "380", "147", "177.87", "177.87", 1, 1, {131}},
    {"examples/XRechnung-O.xml", Syntax::Cii, "380", "385544.6", "385544.6", "385544.6", 2, 2, {131}},
    {"examples/huf_example_cii.xml", Syntax::Cii, "380", "69180", "87859", "87859", 3, 4, {131, 117}},
    {"xrechnung-examples/01.01a-INVOICE_uncefact.xml", Syntax::Cii, "380", "314.86", "336.9", "336.9", 2, 0},
    {"xrechnung-examples/01.02a-INVOICE_uncefact.xml", Syntax::Cii, "380", "11.78", "12.6", "12.6", 1, 0},
    {"xrechnung-examples/01.03a-INVOICE_uncefact.xml", Syntax::Cii, "380", "170.28", "182.2", "182.2", 2, 0},
    {"xrechnung-examples/01.04a-INVOICE_uncefact.xml", Syntax::Cii, "380", "120", "120", "120", 1, 0},
    {"xrechnung-examples/01.05a-INVOICE_uncefact.xml", Syntax::Cii, "380", "8870", "10555.3", "10555.3", 4,
     0},
    {"xrechnung-examples/01.06a-INVOICE_uncefact.xml", Syntax::Cii, "380", "18236.72", "21701.7", "21701.7",
     7, 0},
    {"xrechnung-examples/01.07a-INVOICE_uncefact.xml", Syntax::Cii, "380", "38", "45.22", "45.22", 1, 0},
    {"xrechnung-examples/01.08a-INVOICE_uncefact.xml", Syntax::Cii, "380", "2374.68", "2825.87", "2825.87", 1,
     0},
    {"xrechnung-examples/01.09a-INVOICE_uncefact.xml", Syntax::Cii, "380", "6048", "7197.12", "7197.12", 1,
     0},
    {"xrechnung-examples/01.10a-INVOICE_uncefact.xml", Syntax::Cii, "380", "2180", "2594.2", "2594.2", 1, 0},
    {"xrechnung-examples/01.11a-INVOICE_uncefact.xml", Syntax::Cii, "380", "234.77", "279.38", "279.38", 3,
     0},
    {"xrechnung-examples/01.12a-INVOICE_uncefact.xml", Syntax::Cii, "380", "256.61", "305.37", "305.37", 5,
     0},
    {"xrechnung-examples/01.13a-INVOICE_uncefact.xml", Syntax::Cii, "380", "5330", "6342.7", "6342.7", 11, 0},
    {"xrechnung-examples/01.14a-INVOICE_uncefact.xml", Syntax::Cii, "380", "10781.25", "12829.69", "12829.69",
     2, 0},
    {"xrechnung-examples/01.15a-INVOICE_uncefact.xml", Syntax::Cii, "380", "8980", "10686.2", "10686.2", 4,
     0},
    {"xrechnung-examples/01.17a-INVOICE_uncefact.xml", Syntax::Cii, "380", "314.86", "336.9", "336.91", 2, 0},
    {"xrechnung-examples/01.18a-INVOICE_uncefact.xml", Syntax::Cii, "384", "8870", "10555.3", "10555.3", 4,
     0},
    {"xrechnung-examples/01.19a-INVOICE_uncefact.xml", Syntax::Cii, "380", "8870", "10555.3", "10555.3", 4,
     0},
    {"xrechnung-examples/01.20a-INVOICE_uncefact.xml", Syntax::Cii, "389", "300", "357", "357", 2, 0},
    {"xrechnung-examples/01.21a-INVOICE_uncefact.xml", Syntax::Cii, "380", "233", "233", "233", 1, 0},
    {"xrechnung-examples/02.01a-INVOICE_uncefact.xml", Syntax::Cii, "380", "10781.25", "12829.69", "12829.69",
     2, 0},
    {"xrechnung-examples/02.02a-INVOICE_uncefact.xml", Syntax::Cii, "380", "10781.25", "10781.25", "10781.25",
     2, 0},
    {"xrechnung-examples/02.03a-INVOICE_uncefact.xml", Syntax::Cii, "380", "10781.25", "12829.69", "0", 2, 0},
    {"xrechnung-examples/02.04a-INVOICE_uncefact.xml", Syntax::Cii, "380", "0", "0", "0", 2, 0},
    {"xrechnung-examples/02.05a-INVOICE_uncefact.xml", Syntax::Cii, "380", "2311.94", "2576.41", "2576.41",
     23, 0},
    {"xrechnung-examples/02.06a-INVOICE_uncefact.xml", Syntax::Cii, "380", "10.95", "13.03", "13.03", 2, 0},
    {"xrechnung-examples/03.01a-INVOICE_uncefact.xml", Syntax::Cii, "380", "687.28", "804.86", "-225.14", 14,
     0},
    {"xrechnung-examples/03.02a-INVOICE_uncefact.xml", Syntax::Cii, "380", "8980", "10686.2", "10686.2", 4,
     0},
    {"xrechnung-examples/03.03a-INVOICE_uncefact.xml", Syntax::Cii, "380", "8980", "10686.2", "10686.2", 4,
     0},
    {"xrechnung-examples/03.04a-INVOICE_uncefact.xml", Syntax::Cii, "380", "35156.82", "41836.62", "1997.62",
     9, 0},
    {"xrechnung-examples/03.05a-INVOICE_uncefact.xml", Syntax::Cii, "380", "44682.01", "53171.59", "53171.59",
     3, 0},
    {"xrechnung-examples/03.06a-INVOICE_uncefact.xml", Syntax::Cii, "380", "1500", "1804", "1804", 4, 0},
    {"xrechnung-examples/03.07a-INVOICE_uncefact.xml", Syntax::Cii, "380", "10781250", "12829687.5",
     "12829687.5", 2, 0},
    {"xrechnung-ubl-examples/01.01a-INVOICE_ubl.xml", Syntax::Ubl, "380", "314.86", "336.9", "336.9", 2, 0},
    {"xrechnung-ubl-examples/01.02a-INVOICE_ubl.xml", Syntax::Ubl, "380", "11.78", "12.6", "12.6", 1, 0},
    {"xrechnung-ubl-examples/01.03a-INVOICE_ubl.xml", Syntax::Ubl, "380", "170.28", "182.2", "182.2", 2, 0},
    {"xrechnung-ubl-examples/01.04a-INVOICE_ubl.xml", Syntax::Ubl, "380", "120", "120", "120", 1, 0},
    {"xrechnung-ubl-examples/01.05a-INVOICE_ubl.xml", Syntax::Ubl, "380", "8870", "10555.3", "10555.3", 4, 0},
};

// The PDFs are drawn by Qt, which needs the application the fixture makes.
using IncomingTest = ProgramTest;

TEST_F(IncomingTest, EveryOfficialExampleReadsWithItsTotals) {
    std::size_t files = 0;
    for (const char* folder : {"examples", "xrechnung-examples", "xrechnung-ubl-examples"})
        files += QDir(QString::fromStdString(kFolder + folder)).entryList({"*.xml"}).size();
    EXPECT_EQ(files, std::size(kOfficial)) << "every example has its row";
    for (const Official& row : kOfficial) {
        SCOPED_TRACE(row.file);
        const incoming::ReadResult read = incoming::readReceived(fileBytes(kFolder + row.file));
        ASSERT_TRUE(read.invoice.has_value()) << read.refusal;
        const incoming::ReceivedInvoice& invoice = *read.invoice;
        EXPECT_EQ(invoice.syntax, row.syntax);
        EXPECT_EQ(invoice.document.typeCode, row.type);
        EXPECT_TRUE(same(invoice.figures.taxBasis, row.net));
        EXPECT_TRUE(same(invoice.figures.grandTotal, row.gross));
        EXPECT_TRUE(same(invoice.figures.amountDue, row.due));
        EXPECT_EQ(invoice.document.lines.size(), row.lines);
        const std::vector<incoming::Finding> findings = incoming::checkInvoice(invoice);
        EXPECT_EQ(findings.size(), row.findings) << (findings.empty() ? "" : findings.front().text);
        EXPECT_EQ(btsOf(findings), row.bts);
    }
}

// Each fault goes into a copy at the first place its text stands; the findings name exactly these BTs.
struct Planted {
    const char* name;
    const char* file;
    const char* from;
    const char* to;
    std::set<int> bts;
};

const char* const kCii = "xrechnung-examples/01.01a-INVOICE_uncefact.xml";
const char* const kCiiCharges = "examples/CII_example5.xml";
const char* const kUbl = "xrechnung-ubl-examples/01.01a-INVOICE_ubl.xml";

const Planted kPlanted[] = {
    {"line amount", kCii, ">288.79</ram:LineTotalAmount>", ">288.97</ram:LineTotalAmount>", {131, 106, 116}},
    {"line amount 2 cents off, within the tolerance",
     kCii,
     ">288.79</ram:LineTotalAmount>",
     ">288.81</ram:LineTotalAmount>",
     {106, 116}},
    {"line amount 3 cents off",
     kCii,
     ">288.79</ram:LineTotalAmount>",
     ">288.82</ram:LineTotalAmount>",
     {131, 106, 116}},
    {"sum of lines", kCii, ">314.86</ram:LineTotalAmount>", ">314.68</ram:LineTotalAmount>", {106, 109}},
    {"VAT basis", kCii, ">314.86</ram:BasisAmount>", ">341.86</ram:BasisAmount>", {116, 117}},
    {"VAT amount", kCii, ">22.04</ram:CalculatedAmount>", ">22.40</ram:CalculatedAmount>", {117, 110}},
    {"VAT amount a cent off, rounded otherwise",
     kCii,
     ">22.04</ram:CalculatedAmount>",
     ">22.05</ram:CalculatedAmount>",
     {110}},
    {"total with VAT", kCii, ">336.9</ram:GrandTotalAmount>", ">336.09</ram:GrandTotalAmount>", {112, 115}},
    {"amount due", kCii, ">336.9</ram:DuePayableAmount>", ">339.6</ram:DuePayableAmount>", {115}},
    {"line rate without breakdown",
     kCii,
     ">7</ram:RateApplicablePercent>",
     ">19</ram:RateApplicablePercent>",
     {118, 116}},
    {"invoice number missing", kCii, "<ram:ID>123456XX</ram:ID>", "", {1}},
    {"item name missing", kCii, "<ram:Name>Zeitschrift [...]</ram:Name>", "", {153}},
    {"amount no number", kCii, ">336.9</ram:DuePayableAmount>", ">336,90</ram:DuePayableAmount>", {115}},
    {"date no date", kCii, ">20160404<", ">2016-04-04<", {2}},
    {"allowance total",
     kCiiCharges,
     ">150</ram:AllowanceTotalAmount>",
     ">105</ram:AllowanceTotalAmount>",
     {107, 109}},
    {"VAT total in the invoice's currency second",
     kCiiCharges,
     "<ram:TaxTotalAmount currencyID=\"DKK\">675.00<",
     "<ram:TaxTotalAmount currencyID=\"EUR\">628.62</ram:TaxTotalAmount><ram:TaxTotalAmount "
     "currencyID=\"DKK\">675.00<",
     {}},
    {"prepaid", kCiiCharges, ">2337.5</ram:TotalPrepaidAmount>", ">2373.5</ram:TotalPrepaidAmount>", {115}},
    {"base quantity zero", kCiiCharges, "\">1</ram:BasisQuantity>", "\">0</ram:BasisQuantity>", {149}},
    {"UBL line amount",
     kUbl,
     ">288.79</cbc:LineExtensionAmount>",
     ">288.97</cbc:LineExtensionAmount>",
     {131, 106, 116}},
    {"UBL base quantity",
     kUbl,
     "288.79</cbc:PriceAmount>",
     "288.79</cbc:PriceAmount><cbc:BaseQuantity unitCode=\"XPP\">10</cbc:BaseQuantity>",
     {131}},
    {"UBL amount due", kUbl, ">336.9</cbc:PayableAmount>", ">336.0</cbc:PayableAmount>", {115}},
    {"UBL allowance left out of the sums",
     kUbl,
     "<cac:TaxTotal>",
     "<cac:AllowanceCharge><cbc:ChargeIndicator>false</cbc:ChargeIndicator><cbc:Amount currencyID=\"EUR\">10"
     "</cbc:Amount><cac:TaxCategory><cbc:ID>S</cbc:ID><cbc:Percent>7</cbc:Percent></cac:TaxCategory>"
     "</cac:AllowanceCharge><cac:TaxTotal>",
     {107, 116}},
};

TEST_F(IncomingTest, PlantedFaultsAreFoundWithTheirBusinessTerms) {
    for (const Planted& row : kPlanted) {
        SCOPED_TRACE(row.name);
        std::string xml = fileBytes(kFolder + row.file);
        const std::size_t at = xml.find(row.from);
        ASSERT_NE(at, std::string::npos);
        xml.replace(at, std::strlen(row.from), row.to);
        const incoming::ReadResult read = incoming::readReceived(xml);
        ASSERT_TRUE(read.invoice.has_value()) << read.refusal;
        const std::vector<incoming::Finding> findings = incoming::checkInvoice(*read.invoice);
        EXPECT_EQ(btsOf(findings), row.bts) << (findings.empty() ? "" : findings.front().text);
        EXPECT_EQ(findings.size(), row.bts.size()) << "one finding for each";
        for (const incoming::Finding& f : findings)
            EXPECT_TRUE(f.bt == 0 || f.text.find("BT-" + std::to_string(f.bt)) != std::string::npos)
                << f.text;
    }
}

TEST(DecimalTest, NumbersStayExact) {
    using incoming::parseDecimal;
    EXPECT_EQ(
        incoming::germanText(*incoming::times(*parseDecimal("804878.94"), *parseDecimal("0.061232374")), 2),
        "49284,64827880356");
    EXPECT_EQ(incoming::germanText(incoming::rounded(*parseDecimal(" -2.345 "), 2), 2), "-2,35");
    EXPECT_EQ(incoming::germanText(incoming::rounded(*parseDecimal("2.344999"), 2), 2), "2,34");
    EXPECT_EQ(incoming::germanText(*incoming::divided(*parseDecimal("2"), *parseDecimal("3"), 2), 0), "0,67");
    EXPECT_EQ(incoming::germanText(*parseDecimal("+.5"), 2), "0,50");
    for (const char* refused :
         {"", ".", "1,5", "1e3", "--1", "1.2.3", "12 3", "1234567890123456789012345678901"})
        EXPECT_FALSE(parseDecimal(refused).has_value()) << refused;
    const incoming::Decimal large = *parseDecimal("123456789012345678901234567890");
    EXPECT_FALSE(incoming::times(large, large).has_value());
}

TEST_F(IncomingTest, UblCreditNoteReadsAsOne) {
    QString xml = QString::fromStdString(fileBytes(kFolder + kUbl));
    xml.replace("Invoice-2", "CreditNote-2").replace("ubl:Invoice", "ubl:CreditNote");
    xml.replace("InvoiceTypeCode>380", "CreditNoteTypeCode>381")
        .replace("InvoiceTypeCode>", "CreditNoteTypeCode>");
    xml.replace("InvoiceLine>", "CreditNoteLine>").replace("InvoicedQuantity", "CreditedQuantity");
    const incoming::ReadResult read = incoming::readReceived(xml.toStdString());
    ASSERT_TRUE(read.invoice.has_value()) << read.refusal;
    EXPECT_EQ(read.invoice->document.typeCode, "381");
    EXPECT_EQ(read.invoice->document.lines.size(), 2u);
    EXPECT_EQ(incoming::checkInvoice(*read.invoice).size(), 0u);
}

std::string drawnPage() {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    QPainter painter(&writer);
    painter.drawText(QPointF(500, 800), "Rechnung");
    painter.end();
    return buffer.data().toStdString();
}

TEST_F(IncomingTest, HybridPdfGivesItsXml) {
    const std::pair<const char*, std::string> inputs[] = {
        {"our own Factur-X", einvoice::ciiXml(sampleDocument(), einvoice::Profile::En16931)},
        {"an official example", fileBytes(kFolder + "xrechnung-examples/01.05a-INVOICE_uncefact.xml")},
    };
    for (const auto& [name, xml] : inputs) {
        SCOPED_TRACE(name);
        const auto pdf = einvoice::makeFacturX(drawnPage(), xml, {"Rechnung", "Beispiel", 0});
        ASSERT_TRUE(pdf.has_value());
        const incoming::ReadResult fromPdf = incoming::readReceived(*pdf);
        const incoming::ReadResult bare = incoming::readReceived(xml);
        ASSERT_TRUE(fromPdf.invoice.has_value()) << fromPdf.refusal;
        ASSERT_TRUE(bare.invoice.has_value());
        EXPECT_TRUE(fromPdf.invoice->fromPdf);
        EXPECT_EQ(fromPdf.invoice->document.number, bare.invoice->document.number);
        EXPECT_EQ(fromPdf.invoice->document.amountDue, bare.invoice->document.amountDue);
        EXPECT_EQ(incoming::checkInvoice(*fromPdf.invoice).size(), 0u);
    }
}

} // namespace
