#include "einvoice/ciiwriter.h"

#include "einvoice/cleantext.h"

#include <QXmlStreamWriter>
#include <algorithm>

namespace einvoice {

namespace {

const QString kRsm = QStringLiteral("urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100");
const QString kRam =
    QStringLiteral("urn:un:unece:uncefact:data:standard:ReusableAggregateBusinessInformationEntity:100");
const QString kUdt = QStringLiteral("urn:un:unece:uncefact:data:standard:UnqualifiedDataType:100");
const QString kQdt = QStringLiteral("urn:un:unece:uncefact:data:standard:QualifiedDataType:100");
// The business process XRechnung's receivers ask for (BT-23).
const QString kBillingProcess = QStringLiteral("urn:fdc:peppol.eu:2017:poacc:billing:01:1.0");

QString amountText(money::Amount a) {
    return QString::fromStdString(money::formatDecimal(a.units, 2, 2, '.'));
}
QString rateText(money::Rate r) {
    return QString::fromStdString(money::formatDecimal(r.units, 2, 0, '.'));
}

// The writer over the stream, with the element shapes CII repeats.
class Cii {
  public:
    Cii(QByteArray* out, const Document& doc, Profile profile) : x_(out), doc_(doc), profile_(profile) {
        x_.setAutoFormatting(true);
        x_.setAutoFormattingIndent(1);
    }

    void write() {
        x_.writeStartDocument();
        x_.writeNamespace(kRsm, QStringLiteral("rsm"));
        x_.writeNamespace(kRam, QStringLiteral("ram"));
        x_.writeNamespace(kQdt, QStringLiteral("qdt"));
        x_.writeNamespace(kUdt, QStringLiteral("udt"));
        x_.writeStartElement(kRsm, QStringLiteral("CrossIndustryInvoice"));
        context();
        header();
        x_.writeStartElement(kRsm, QStringLiteral("SupplyChainTradeTransaction"));
        for (std::size_t i = 0; i < doc_.lines.size(); ++i)
            line(i + 1, doc_.lines[i]);
        agreement();
        delivery();
        settlement();
        x_.writeEndElement();
        x_.writeEndElement();
        x_.writeEndDocument();
    }

  private:
    void start(const char* name) { x_.writeStartElement(kRam, QLatin1String(name)); }
    void end() { x_.writeEndElement(); }
    void text(const char* name, const QString& value) {
        x_.writeTextElement(kRam, QLatin1String(name), value);
    }
    /// A text element of a program text, left out when nothing visible is left.
    void optionalText(const char* name, std::string_view value) {
        const QString clean = cleanText(value);
        if (!clean.isEmpty())
            text(name, clean);
    }
    /// An element holding one <ram:ID> with a scheme, left out when value is blank.
    void schemeId(const char* outer, const char* inner, const char* scheme, const QString& value) {
        if (value.isEmpty())
            return;
        start(outer);
        x_.writeStartElement(kRam, QLatin1String(inner));
        x_.writeAttribute(QStringLiteral("schemeID"), QLatin1String(scheme));
        x_.writeCharacters(value);
        end();
        end();
    }
    void date(const char* name, DateValue d) {
        start(name);
        x_.writeStartElement(kUdt, QStringLiteral("DateTimeString"));
        x_.writeAttribute(QStringLiteral("format"), QStringLiteral("102"));
        x_.writeCharacters(QString::fromStdString(formatDate("%yyyy%mm%dd", d)));
        end();
        end();
    }
    void tax(const char* categoryCode, const QString& rate) {
        text("TypeCode", QStringLiteral("VAT"));
        text("CategoryCode", QLatin1String(categoryCode));
        // What is not subject to VAT has no rate at all.
        if (std::string_view(categoryCode) != "O")
            text("RateApplicablePercent", rate);
    }
    const char* categoryCode() const {
        switch (categoryOf(doc_)) {
        case VatCategory::Exempt:
            return "E";
        case VatCategory::ZeroRated:
            return "Z";
        case VatCategory::Standard:
            break;
        }
        return "S";
    }
    QString rate() const {
        return categoryOf(doc_) == VatCategory::Exempt ? QStringLiteral("0") : rateText(doc_.rate);
    }

    void context() {
        x_.writeStartElement(kRsm, QStringLiteral("ExchangedDocumentContext"));
        if (profile_ == Profile::XRechnung) {
            start("BusinessProcessSpecifiedDocumentContextParameter");
            text("ID", kBillingProcess);
            end();
        }
        start("GuidelineSpecifiedDocumentContextParameter");
        text("ID", QLatin1String(profile_ == Profile::XRechnung ? kXRechnungGuideline : kEn16931Guideline));
        end();
        end();
    }

    void header() {
        x_.writeStartElement(kRsm, QStringLiteral("ExchangedDocument"));
        text("ID", cleanText(doc_.number));
        // A credit note (381) is written as the program issues it; anything else as an invoice.
        text("TypeCode", doc_.typeCode == "381" ? QStringLiteral("381") : QStringLiteral("380"));
        date("IssueDateTime", doc_.issueDate);
        for (const std::string& note : doc_.notes) {
            if (isBlank(note))
                continue;
            start("IncludedNote");
            text("Content", cleanText(note));
            end();
        }
        end();
    }

    void line(std::size_t position, const Line& l) {
        // Prices may not be negative: a credit line carries its sign in the quantity.
        money::Quantity quantity = l.quantity;
        const bool fine = l.finePrice.places > 0;
        std::int64_t price = fine ? l.finePrice.units : l.netPrice.units;
        if (price < 0) {
            quantity.units = -quantity.units;
            price = -price;
        }
        start("IncludedSupplyChainTradeLineItem");
        start("AssociatedDocumentLineDocument");
        text("LineID", QString::number(position));
        end();
        start("SpecifiedTradeProduct");
        text("Name", cleanText(l.name));
        optionalText("Description", l.description);
        end();
        start("SpecifiedLineTradeAgreement");
        start("NetPriceProductTradePrice");
        const int places = fine ? l.finePrice.places : money::Price::kDecimals;
        text("ChargeAmount", QString::fromStdString(money::formatDecimal(price, places, 2, '.')));
        end();
        end();
        start("SpecifiedLineTradeDelivery");
        x_.writeStartElement(kRam, QStringLiteral("BilledQuantity"));
        x_.writeAttribute(QStringLiteral("unitCode"),
                          l.unitCode.empty() ? QStringLiteral("C62") : cleanText(l.unitCode));
        x_.writeCharacters(QString::fromStdString(money::formatDecimal(quantity.units, 3, 0, '.')));
        end();
        end();
        start("SpecifiedLineTradeSettlement");
        start("ApplicableTradeTax");
        // A document with a breakdown of its own has lines of their own categories and rates.
        if (doc_.vatBreakdown.empty())
            tax(categoryCode(), rate());
        else
            tax(l.categoryCode.c_str(), rateText(l.rate));
        end();
        start("SpecifiedTradeSettlementLineMonetarySummation");
        text("LineTotalAmount", amountText(l.netAmount));
        end();
        end();
        end();
    }

    void address(std::string_view postcode, std::initializer_list<std::string_view> lines,
                 std::string_view city, std::string_view country) {
        start("PostalTradeAddress");
        optionalText("PostcodeCode", postcode);
        static const char* const kLineNames[] = {"LineOne", "LineTwo", "LineThree"};
        std::size_t used = 0;
        for (std::string_view l : lines) {
            if (used < std::size(kLineNames) && !isBlank(l))
                optionalText(kLineNames[used++], l);
        }
        optionalText("CityName", city);
        text("CountryID", cleanText(country));
        end();
    }

    void electronicAddress(std::string_view email) {
        schemeId("URIUniversalCommunication", "URIID", "EM", cleanText(email));
    }

    void seller() {
        const Seller& s = doc_.seller;
        start("SellerTradeParty");
        // Without a VAT id the tax number is the seller's identifier too, since the rules want one of
        // identifier, registration or VAT id to tell sellers apart.
        if (isBlank(s.vatId))
            optionalText("ID", s.taxNumber);
        text("Name", cleanText(s.name));
        if (!isBlank(s.contactName) || !isBlank(s.telephone) || !isBlank(s.email)) {
            start("DefinedTradeContact");
            optionalText("PersonName", s.contactName);
            if (!isBlank(s.telephone)) {
                start("TelephoneUniversalCommunication");
                optionalText("CompleteNumber", s.telephone);
                end();
            }
            if (!isBlank(s.email)) {
                start("EmailURIUniversalCommunication");
                optionalText("URIID", s.email);
                end();
            }
            end();
        }
        address(s.postcode, {s.street}, s.city, s.countryCode);
        electronicAddress(s.email);
        schemeId("SpecifiedTaxRegistration", "ID", "FC", cleanText(s.taxNumber));
        schemeId("SpecifiedTaxRegistration", "ID", "VA", cleanText(s.vatId).remove(u' '));
        end();
    }

    void buyer() {
        const Buyer& b = doc_.buyer;
        start("BuyerTradeParty");
        optionalText("ID", b.id);
        text("Name", cleanText(b.name));
        address(b.postcode, {b.addressLines[0], b.addressLines[1], b.addressLines[2]}, b.city, b.countryCode);
        electronicAddress(b.email);
        schemeId("SpecifiedTaxRegistration", "ID", "VA", cleanText(b.vatId).remove(u' '));
        end();
    }

    void agreement() {
        start("ApplicableHeaderTradeAgreement");
        optionalText("BuyerReference", doc_.buyer.reference);
        seller();
        buyer();
        end();
    }

    void delivery() {
        start("ApplicableHeaderTradeDelivery");
        // An intra-community supply names the country it goes to (BT-80).
        const bool intraCommunity = std::any_of(doc_.vatBreakdown.begin(), doc_.vatBreakdown.end(),
                                                [](const VatBreakdown& b) { return b.categoryCode == "K"; });
        if (intraCommunity) {
            start("ShipToTradeParty");
            start("PostalTradeAddress");
            text("CountryID", cleanText(doc_.buyer.countryCode));
            end();
            end();
        }
        if (doc_.deliveryDate) {
            start("ActualDeliverySupplyChainEvent");
            date("OccurrenceDateTime", *doc_.deliveryDate);
            end();
        }
        end();
    }

    void settlement() {
        const money::Totals& t = doc_.totals;
        start("ApplicableHeaderTradeSettlement");
        text("InvoiceCurrencyCode", QStringLiteral("EUR"));
        const QString iban = cleanText(doc_.seller.iban).remove(u' ').toUpper();
        if (!iban.isEmpty()) {
            start("SpecifiedTradeSettlementPaymentMeans");
            text("TypeCode", QStringLiteral("58"));
            start("PayeePartyCreditorFinancialAccount");
            text("IBANID", iban);
            end();
            const QString bic = cleanText(doc_.seller.bic).remove(u' ').toUpper();
            if (!bic.isEmpty()) {
                start("PayeeSpecifiedCreditorFinancialInstitution");
                text("BICID", bic);
                end();
            }
            end();
        }
        if (doc_.vatBreakdown.empty())
            breakdown({categoryCode(), doc_.rate, t.net, t.tax,
                       categoryOf(doc_) == VatCategory::Exempt ? kSmallBusinessReason : "", ""});
        for (const VatBreakdown& b : doc_.vatBreakdown)
            breakdown(b);
        if (doc_.dueDate || !isBlank(doc_.paymentTerms) || doc_.cashDiscount) {
            start("SpecifiedTradePaymentTerms");
            paymentTermsText();
            if (doc_.dueDate)
                date("DueDateDateTime", *doc_.dueDate);
            end();
        }
        start("SpecifiedTradeSettlementHeaderMonetarySummation");
        text("LineTotalAmount", amountText(t.net));
        text("TaxBasisTotalAmount", amountText(t.net));
        x_.writeStartElement(kRam, QStringLiteral("TaxTotalAmount"));
        x_.writeAttribute(QStringLiteral("currencyID"), QStringLiteral("EUR"));
        x_.writeCharacters(amountText(t.tax));
        end();
        text("GrandTotalAmount", amountText(t.gross));
        text("DuePayableAmount", amountText(t.gross));
        end();
        // BG-3: the invoice a credit note corrects, BT-25 and BT-26.
        if (!isBlank(doc_.precedingInvoice)) {
            start("InvoiceReferencedDocument");
            text("IssuerAssignedID", cleanText(doc_.precedingInvoice));
            if (doc_.precedingInvoiceDate) {
                start("FormattedIssueDateTime");
                x_.writeStartElement(kQdt, QStringLiteral("DateTimeString"));
                x_.writeAttribute(QStringLiteral("format"), QStringLiteral("102"));
                x_.writeCharacters(
                    QString::fromStdString(formatDate("%yyyy%mm%dd", *doc_.precedingInvoiceDate)));
                end();
                end();
            }
            end();
        }
        end();
    }

    // BG-23: one category and rate; an untaxed one gives its reason (BT-120) and its code (BT-121).
    void breakdown(const VatBreakdown& b) {
        start("ApplicableTradeTax");
        text("CalculatedAmount", amountText(b.tax));
        text("TypeCode", QStringLiteral("VAT"));
        optionalText("ExemptionReason", b.exemptionReason);
        text("BasisAmount", amountText(b.basis));
        text("CategoryCode", cleanText(b.categoryCode));
        optionalText("ExemptionReasonCode", b.exemptionCode);
        if (b.categoryCode != "O")
            text("RateApplicablePercent", b.categoryCode == "E" ? QStringLiteral("0") : rateText(b.rate));
        end();
    }

    // BT-20: the terms as the company wrote them; a cash discount follows on a line of its own, ended by
    // a line break, in the form XRechnung's receivers read (BR-DE-18).
    void paymentTermsText() {
        QString terms = cleanText(doc_.paymentTerms);
        if (const auto& discount = doc_.cashDiscount)
            terms +=
                (terms.isEmpty() ? QString() : QStringLiteral("\n")) +
                QStringLiteral("#SKONTO#TAGE=%1#PROZENT=%2#\n")
                    .arg(discount->days)
                    .arg(QString::fromStdString(money::formatDecimal(discount->percent.units, 2, 2, '.')));
        if (!terms.isEmpty())
            text("Description", terms);
    }

    QXmlStreamWriter x_;
    const Document& doc_;
    Profile profile_;
};

} // namespace

std::string ciiXml(const Document& doc, Profile profile) {
    QByteArray out;
    Cii(&out, doc, profile).write();
    return out.toStdString();
}

} // namespace einvoice
