// The CII writer: one worked invoice read back field by field, and the VAT category each kind of
// invoice gets.

#include "einvoice/ciiwriter.h"
#include "einvoicetesting.h"

#include <gtest/gtest.h>

namespace {

const std::string kHeader = "SupplyChainTradeTransaction/";
const std::string kLine = kHeader + "IncludedSupplyChainTradeLineItem/";
const std::string kSeller = kHeader + "ApplicableHeaderTradeAgreement/SellerTradeParty/";
const std::string kBuyer = kHeader + "ApplicableHeaderTradeAgreement/BuyerTradeParty/";
const std::string kSettlement = kHeader + "ApplicableHeaderTradeSettlement/";
const std::string kSums = kSettlement + "SpecifiedTradeSettlementHeaderMonetarySummation/";

struct Field {
    std::string path;
    std::vector<std::string> values;
};

TEST(CiiWriterTest, WorkedInvoiceFieldByField) {
    einvoice::Document doc = sampleDocument();
    doc.seller.name = "M\xFCller\t& S\xF6hne\x01 <GmbH>\r\n";
    doc.lines[0].description = "verzinkt, \"rostfrei\" \x80";
    doc.lines.push_back(
        {"Gutschrift", "", money::parse<money::Quantity>("2"), money::parse<money::Price>("-10"), {}, {}});
    computeAmounts(doc, false);

    // 2,5 × 1234,56 = 3086,40; 3 × 45 = 135,00; 2 × -10 = -20,00; net 3201,40, tax 608,27.
    const Field expected[] = {
        {"ExchangedDocumentContext/BusinessProcessSpecifiedDocumentContextParameter/ID",
         {"urn:fdc:peppol.eu:2017:poacc:billing:01:1.0"}},
        {"ExchangedDocumentContext/GuidelineSpecifiedDocumentContextParameter/ID",
         {einvoice::kXRechnungGuideline}},
        {"ExchangedDocument/ID", {"17"}},
        {"ExchangedDocument/TypeCode", {"380"}},
        {"ExchangedDocument/IssueDateTime/DateTimeString", {"20261207"}},
        {"ExchangedDocument/IssueDateTime/DateTimeString/@format", {"102"}},
        {kLine + "AssociatedDocumentLineDocument/LineID", {"1", "2", "3"}},
        {kLine + "SpecifiedTradeProduct/Name", {"Schraube M6", "Montage", "Gutschrift"}},
        {kLine + "SpecifiedTradeProduct/Description", {"verzinkt, \"rostfrei\" \u20AC"}},
        {kLine + "SpecifiedLineTradeAgreement/NetPriceProductTradePrice/ChargeAmount",
         {"1234.56", "45.00", "10.00"}},
        {kLine + "SpecifiedLineTradeDelivery/BilledQuantity", {"2.5", "3", "-2"}},
        {kLine + "SpecifiedLineTradeDelivery/BilledQuantity/@unitCode", {"C62", "C62", "C62"}},
        {kLine + "SpecifiedLineTradeSettlement/ApplicableTradeTax/CategoryCode", {"S", "S", "S"}},
        {kLine + "SpecifiedLineTradeSettlement/ApplicableTradeTax/RateApplicablePercent", {"19", "19", "19"}},
        {kLine + "SpecifiedLineTradeSettlement/SpecifiedTradeSettlementLineMonetarySummation/LineTotalAmount",
         {"3086.40", "135.00", "-20.00"}},
        {kHeader + "ApplicableHeaderTradeAgreement/BuyerReference", {"04011000-12345-03"}},
        {kSeller + "Name", {"M\u00FCller & S\u00F6hne <GmbH>"}},
        {kSeller + "DefinedTradeContact/PersonName", {"Erika Beispiel"}},
        {kSeller + "DefinedTradeContact/TelephoneUniversalCommunication/CompleteNumber", {"+49 30 1234567"}},
        {kSeller + "DefinedTradeContact/EmailURIUniversalCommunication/URIID", {"rechnung@beispiel.de"}},
        {kSeller + "PostalTradeAddress/PostcodeCode", {"12345"}},
        {kSeller + "PostalTradeAddress/LineOne", {"Hauptstr. 1"}},
        {kSeller + "PostalTradeAddress/CityName", {"Musterstadt"}},
        {kSeller + "PostalTradeAddress/CountryID", {"DE"}},
        {kSeller + "URIUniversalCommunication/URIID", {"rechnung@beispiel.de"}},
        {kSeller + "URIUniversalCommunication/URIID/@schemeID", {"EM"}},
        {kSeller + "SpecifiedTaxRegistration/ID", {"12/345/67890", "DE123456789"}},
        {kSeller + "SpecifiedTaxRegistration/ID/@schemeID", {"FC", "VA"}},
        {kBuyer + "ID", {"17"}},
        {kBuyer + "Name", {"Max Kunde"}},
        {kBuyer + "PostalTradeAddress/PostcodeCode", {"54321"}},
        {kBuyer + "PostalTradeAddress/LineOne", {"Ringweg 2"}},
        {kBuyer + "PostalTradeAddress/LineTwo", {"c/o Amt"}},
        {kBuyer + "PostalTradeAddress/LineThree", {}},
        {kBuyer + "PostalTradeAddress/CityName", {"Beispielort"}},
        {kBuyer + "URIUniversalCommunication/URIID", {"max@kunde.de"}},
        {kHeader +
             "ApplicableHeaderTradeDelivery/ActualDeliverySupplyChainEvent/OccurrenceDateTime/DateTimeString",
         {"20261201"}},
        {kSettlement + "InvoiceCurrencyCode", {"EUR"}},
        {kSettlement + "SpecifiedTradeSettlementPaymentMeans/TypeCode", {"58"}},
        {kSettlement + "SpecifiedTradeSettlementPaymentMeans/PayeePartyCreditorFinancialAccount/IBANID",
         {"DE02120300000000202051"}},
        {kSettlement +
             "SpecifiedTradeSettlementPaymentMeans/PayeeSpecifiedCreditorFinancialInstitution/BICID",
         {"BYLADEM1001"}},
        {kSettlement + "ApplicableTradeTax/CalculatedAmount", {"608.27"}},
        {kSettlement + "ApplicableTradeTax/BasisAmount", {"3201.40"}},
        {kSettlement + "ApplicableTradeTax/CategoryCode", {"S"}},
        {kSettlement + "ApplicableTradeTax/RateApplicablePercent", {"19"}},
        {kSettlement + "ApplicableTradeTax/ExemptionReason", {}},
        {kSettlement + "SpecifiedTradePaymentTerms/Description",
         {"Zahlbar innerhalb von 14 Tagen ohne Abzug."}},
        {kSettlement + "SpecifiedTradePaymentTerms/DueDateDateTime/DateTimeString", {"20261221"}},
        {kSums + "LineTotalAmount", {"3201.40"}},
        {kSums + "TaxBasisTotalAmount", {"3201.40"}},
        {kSums + "TaxTotalAmount", {"608.27"}},
        {kSums + "TaxTotalAmount/@currencyID", {"EUR"}},
        {kSums + "GrandTotalAmount", {"3809.67"}},
        {kSums + "DuePayableAmount", {"3809.67"}},
    };
    const XmlFields fields = readXmlFields(einvoice::ciiXml(doc, einvoice::Profile::XRechnung));
    EXPECT_EQ(fields.count("error"), 0u) << fields.at("error").front();
    for (const Field& f : expected) {
        const auto it = fields.find(f.path);
        EXPECT_EQ(it == fields.end() ? std::vector<std::string>{} : it->second, f.values) << f.path;
    }
}

TEST(CiiWriterTest, VatCategoryOfEachKindOfInvoice) {
    struct Variant {
        const char* name;
        bool smallBusiness;
        const char* rate;
        std::string category;
        std::string rateText;
        bool exempt;
    };
    const Variant variants[] = {
        {"19 %", false, "19", "S", "19", false},
        {"7,5 %", false, "7,5", "S", "7.5", false},
        {"0 % is zero rated", false, "0", "Z", "0", false},
        {"small business ignores the rate", true, "19", "E", "0", true},
    };
    const std::vector<std::string> reason = {"Kleinunternehmer gem\u00E4\u00DF \u00A7 19 UStG"};
    for (const Variant& v : variants) {
        einvoice::Document doc = sampleDocument();
        doc.smallBusiness = v.smallBusiness;
        doc.rate = money::parse<money::Rate>(v.rate);
        computeAmounts(doc, false);
        XmlFields f = readXmlFields(einvoice::ciiXml(doc, einvoice::Profile::En16931));
        const std::string context = "ExchangedDocumentContext/";
        EXPECT_EQ(f[context + "GuidelineSpecifiedDocumentContextParameter/ID"],
                  std::vector<std::string>{einvoice::kEn16931Guideline});
        EXPECT_TRUE(f[context + "BusinessProcessSpecifiedDocumentContextParameter/ID"].empty());
        const std::string lineTax = kLine + "SpecifiedLineTradeSettlement/ApplicableTradeTax/";
        EXPECT_EQ(f[lineTax + "CategoryCode"], std::vector<std::string>(2, v.category)) << v.name;
        EXPECT_EQ(f[lineTax + "RateApplicablePercent"], std::vector<std::string>(2, v.rateText)) << v.name;
        EXPECT_EQ(f[kSettlement + "ApplicableTradeTax/CategoryCode"], std::vector<std::string>{v.category});
        EXPECT_EQ(f[kSettlement + "ApplicableTradeTax/ExemptionReason"],
                  v.exempt ? reason : std::vector<std::string>{})
            << v.name;
    }
}

} // namespace
