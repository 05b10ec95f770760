#include "incoming/ublreader.h"

#include "incoming/fieldreader.h"

#include <array>
#include <type_traits>

namespace incoming {

namespace {

using einvoice::AllowanceCharge;
using Node = XmlNode;

std::string text(const Node* node) {
    return FieldReader::text(node);
}

class UblReader {
  public:
    ReadResult read(const Node& root) {
        // A credit note names its type code, quantities and lines after itself.
        const bool credit = root.name == "CreditNote";
        const Node* monetary = root.child("LegalMonetaryTotal");
        if (!root.child("ID") && !monetary)
            return {std::nullopt, "ihr fehlen Nummer und Summen einer UBL-Rechnung"};
        invoice_.syntax = Syntax::Ubl;
        readHeader(root, credit);
        readParty(descend(&root, {"AccountingSupplierParty", "Party"}), doc_.seller);
        readParty(descend(&root, {"AccountingCustomerParty", "Party"}), doc_.buyer);
        if (const Node* delivered = descend(&root, {"Delivery", "ActualDeliveryDate"}))
            doc_.deliveryDate = fields_.date(delivered, DateForm::Dashed, 72);
        for (const Node* means : root.all("PaymentMeans"))
            readPaymentMeans(*means);
        for (const Node* terms : root.all("PaymentTerms")) {
            const std::string note = textAt(terms, {"Note"});
            if (!note.empty())
                doc_.paymentTerms += (doc_.paymentTerms.empty() ? "" : " ") + note;
        }
        for (const Node* node : root.all("AllowanceCharge"))
            readAllowanceCharge(*node);
        readTaxTotals(root);
        readTotals(monetary);
        for (const Node* line : root.all(credit ? "CreditNoteLine" : "InvoiceLine"))
            readLine(*line, credit);
        invoice_.readingFindings = std::move(fields_.findings);
        return {std::move(invoice_), {}};
    }

  private:
    void readHeader(const Node& root, bool credit) {
        doc_.guideline = textAt(&root, {"CustomizationID"});
        doc_.number = textAt(&root, {"ID"});
        const std::optional<DateValue> issued = fields_.date(root.child("IssueDate"), DateForm::Dashed, 2);
        doc_.issueDate = issued.value_or(0);
        figures_.issueDate = issued.has_value();
        if (const Node* due = root.child("DueDate"))
            doc_.dueDate = fields_.date(due, DateForm::Dashed, 9);
        doc_.typeCode = textAt(&root, {credit ? "CreditNoteTypeCode" : "InvoiceTypeCode"});
        for (const Node* note : root.all("Note"))
            doc_.notes.push_back(text(note));
        doc_.currencyCode = textAt(&root, {"DocumentCurrencyCode"});
        doc_.buyer.reference = textAt(&root, {"BuyerReference"});
        if (const Node* start = descend(&root, {"InvoicePeriod", "StartDate"}))
            doc_.periodStart = fields_.date(start, DateForm::Dashed, 73);
        if (const Node* end = descend(&root, {"InvoicePeriod", "EndDate"}))
            doc_.periodEnd = fields_.date(end, DateForm::Dashed, 74);
        doc_.orderReference = textAt(&root, {"OrderReference", "ID"});
        doc_.contractReference = textAt(&root, {"ContractDocumentReference", "ID"});
        doc_.projectReference = textAt(&root, {"ProjectReference", "ID"});
        doc_.despatchReference = textAt(&root, {"DespatchDocumentReference", "ID"});
        doc_.precedingInvoice = textAt(&root, {"BillingReference", "InvoiceDocumentReference", "ID"});
        for (const Node* reference : root.all("AdditionalDocumentReference")) {
            // A type code marks a tender (50) or the invoiced object (130), not a supporting document.
            const std::string type = textAt(reference, {"DocumentTypeCode"});
            if (!type.empty() && type != "916")
                continue;
            einvoice::Attachment a;
            a.id = textAt(reference, {"ID"});
            a.description = textAt(reference, {"DocumentDescription"});
            a.uri = textAt(reference, {"Attachment", "ExternalReference", "URI"});
            if (const Node* binary = descend(reference, {"Attachment", "EmbeddedDocumentBinaryObject"})) {
                a.fileName = FieldReader::attribute(binary, "filename");
                a.mimeCode = FieldReader::attribute(binary, "mimeCode");
                a.content = decodeBase64(binary->text);
            }
            doc_.attachments.push_back(std::move(a));
        }
    }

    // Seller and buyer: UBL gives the legal name, the address lines, tax schemes and contact alike.
    template <class Party> void readParty(const Node* party, Party& p) {
        p.name = textAt(party, {"PartyLegalEntity", "RegistrationName"});
        const Node* endpoint = descend(party, {"EndpointID"});
        p.electronicAddress = text(endpoint);
        p.electronicScheme = FieldReader::attribute(endpoint, "schemeID");
        const Node* address = descend(party, {"PostalAddress"});
        p.postcode = textAt(address, {"PostalZone"});
        p.city = textAt(address, {"CityName"});
        p.countryCode = textAt(address, {"Country", "IdentificationCode"});
        const std::array<std::string, 3> lines = {textAt(address, {"StreetName"}),
                                                  textAt(address, {"AdditionalStreetName"}),
                                                  textAt(address, {"AddressLine", "Line"})};
        if constexpr (std::is_same_v<Party, einvoice::Seller>) {
            p.street = lines[0];
            p.moreAddressLines = {lines[1], lines[2]};
        } else {
            p.addressLines = lines;
        }
        const Node* contact = descend(party, {"Contact"});
        p.contactName = textAt(contact, {"Name"});
        p.telephone = textAt(contact, {"Telephone"});
        p.email = textAt(contact, {"ElectronicMail"});
        if (!party)
            return;
        for (const Node* scheme : party->all("PartyTaxScheme")) {
            if (textAt(scheme, {"TaxScheme", "ID"}) == "VAT")
                p.vatId = textAt(scheme, {"CompanyID"});
            else
                p.taxNumber = textAt(scheme, {"CompanyID"});
        }
    }

    void readPaymentMeans(const Node& node) {
        einvoice::PaymentMeans means;
        const Node* code = node.child("PaymentMeansCode");
        means.typeCode = text(code);
        means.information = FieldReader::attribute(code, "name");
        if (doc_.paymentReference.empty())
            doc_.paymentReference = textAt(&node, {"PaymentID"});
        const Node* account = node.child("PayeeFinancialAccount");
        means.iban = textAt(account, {"ID"});
        means.accountName = textAt(account, {"Name"});
        means.bic = textAt(account, {"FinancialInstitutionBranch", "ID"});
        means.mandate = textAt(&node, {"PaymentMandate", "ID"});
        means.debitedAccount = textAt(&node, {"PaymentMandate", "PayerFinancialAccount", "ID"});
        doc_.paymentMeans.push_back(std::move(means));
    }

    // bts: the amount's business term for an allowance and for a charge.
    AllowanceCharge allowanceCharge(const Node& node, std::pair<int, int> bts, int line,
                                    std::optional<Decimal>& amount) {
        AllowanceCharge a;
        a.charge = textAt(&node, {"ChargeIndicator"}) == "true";
        amount = fields_.number(node.child("Amount"), a.charge ? bts.second : bts.first, a.amount, line);
        a.reason = textAt(&node, {"AllowanceChargeReason"});
        a.reasonCode = textAt(&node, {"AllowanceChargeReasonCode"});
        return a;
    }

    void readAllowanceCharge(const Node& node) {
        AllowanceFigures figures;
        AllowanceCharge a = allowanceCharge(node, {92, 99}, 0, figures.amount);
        figures.charge = a.charge;
        a.categoryCode = textAt(&node, {"TaxCategory", "ID"});
        figures.rate =
            fields_.number(descend(&node, {"TaxCategory", "Percent"}), a.charge ? 103 : 96, a.rate);
        doc_.allowancesCharges.push_back(std::move(a));
        figures_.allowancesCharges.push_back(figures);
    }

    // The tax total in the invoice's currency holds the breakdown; another one may give the VAT in
    // the accounting currency (BT-111).
    void readTaxTotals(const Node& root) {
        const Node* chosen = nullptr;
        for (const Node* total : root.all("TaxTotal")) {
            const Node* amount = total->child("TaxAmount");
            const std::string_view currency = amount ? amount->attribute("currencyID") : std::string_view();
            if (!chosen || currency == doc_.currencyCode)
                chosen = total;
            if (currency == doc_.currencyCode)
                break;
        }
        figures_.taxTotal = fields_.number(descend(chosen, {"TaxAmount"}), 110, doc_.totals.tax);
        if (!chosen)
            return;
        for (const Node* sub : chosen->all("TaxSubtotal")) {
            einvoice::VatBreakdown vat;
            VatFigures figures;
            figures.basis = fields_.number(sub->child("TaxableAmount"), 116, vat.basis);
            figures.tax = fields_.number(sub->child("TaxAmount"), 117, vat.tax);
            const Node* category = sub->child("TaxCategory");
            vat.categoryCode = textAt(category, {"ID"});
            figures.rate = fields_.number(descend(category, {"Percent"}), 119, vat.rate);
            vat.exemptionCode = textAt(category, {"TaxExemptionReasonCode"});
            vat.exemptionReason = textAt(category, {"TaxExemptionReason"});
            doc_.vatBreakdown.push_back(std::move(vat));
            figures_.vat.push_back(figures);
        }
    }

    void readTotals(const Node* sums) {
        figures_.lineTotal = fields_.number(descend(sums, {"LineExtensionAmount"}), 106, doc_.lineTotal);
        figures_.taxBasis = fields_.number(descend(sums, {"TaxExclusiveAmount"}), 109, doc_.totals.net);
        figures_.grandTotal = fields_.number(descend(sums, {"TaxInclusiveAmount"}), 112, doc_.totals.gross);
        figures_.allowanceTotal =
            fields_.number(descend(sums, {"AllowanceTotalAmount"}), 107, doc_.allowanceTotal);
        figures_.chargeTotal = fields_.number(descend(sums, {"ChargeTotalAmount"}), 108, doc_.chargeTotal);
        figures_.prepaid = fields_.number(descend(sums, {"PrepaidAmount"}), 113, doc_.prepaid);
        figures_.rounding = fields_.number(descend(sums, {"PayableRoundingAmount"}), 114, doc_.rounding);
        figures_.amountDue = fields_.number(descend(sums, {"PayableAmount"}), 115, doc_.amountDue);
    }

    void readLine(const Node& node, bool credit) {
        einvoice::Line line;
        LineFigures figures;
        const int position = static_cast<int>(doc_.lines.size()) + 1;
        line.lineId = textAt(&node, {"ID"});
        line.note = textAt(&node, {"Note"});
        const Node* quantity = node.child(credit ? "CreditedQuantity" : "InvoicedQuantity");
        figures.quantity = fields_.number(quantity, 129, line.quantity, position);
        line.unitCode = FieldReader::attribute(quantity, "unitCode");
        figures.netAmount = fields_.number(node.child("LineExtensionAmount"), 131, line.netAmount, position);
        for (const Node* charge : node.all("AllowanceCharge")) {
            std::optional<Decimal> amount;
            line.allowancesCharges.push_back(allowanceCharge(*charge, {136, 141}, position, amount));
            if (amount)
                (line.allowancesCharges.back().charge ? figures.charges : figures.allowances)
                    .push_back(*amount);
        }
        const Node* item = node.child("Item");
        line.name = textAt(item, {"Name"});
        line.description = textAt(item, {"Description"});
        const Node* tax = descend(item, {"ClassifiedTaxCategory"});
        line.categoryCode = textAt(tax, {"ID"});
        figures.rate = fields_.number(descend(tax, {"Percent"}), 152, line.rate, position);
        const Node* price = node.child("Price");
        figures.price = fields_.number(descend(price, {"PriceAmount"}), 146, line.netPrice, position);
        money::Quantity baseQuantity;
        figures.baseQuantity = fields_.number(descend(price, {"BaseQuantity"}), 149, baseQuantity, position);
        if (figures.baseQuantity)
            line.baseQuantity = baseQuantity;
        doc_.lines.push_back(std::move(line));
        figures_.lines.push_back(std::move(figures));
    }

    FieldReader fields_;
    ReceivedInvoice invoice_;
    einvoice::Document& doc_ = invoice_.document;
    Figures& figures_ = invoice_.figures;
};

} // namespace

ReadResult readUbl(const XmlTree& tree) {
    return UblReader().read(tree.root);
}

} // namespace incoming
