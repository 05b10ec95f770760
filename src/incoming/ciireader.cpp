#include "incoming/ciireader.h"

#include "incoming/fieldreader.h"

namespace incoming {

namespace {

using einvoice::AllowanceCharge;
using Node = XmlNode;

std::string text(const Node* node) {
    return FieldReader::text(node);
}

class CiiReader {
  public:
    ReadResult read(const Node& root) {
        const Node* header = root.child("ExchangedDocument");
        const Node* transaction = root.child("SupplyChainTradeTransaction");
        if (!header || !transaction)
            return {std::nullopt, "ihr fehlt der Rechnungskopf oder der Handelsvorgang einer CII-Rechnung"};
        doc_.guideline =
            textAt(&root, {"ExchangedDocumentContext", "GuidelineSpecifiedDocumentContextParameter", "ID"});
        readHeader(*header);
        for (const Node* item : transaction->all("IncludedSupplyChainTradeLineItem"))
            readLine(*item);
        readAgreement(transaction->child("ApplicableHeaderTradeAgreement"));
        readDelivery(transaction->child("ApplicableHeaderTradeDelivery"));
        readSettlement(transaction->child("ApplicableHeaderTradeSettlement"));
        invoice_.readingFindings = std::move(fields_.findings);
        return {std::move(invoice_), {}};
    }

  private:
    std::optional<DateValue> date(const Node* holder, int bt) {
        return fields_.date(descend(holder, {"DateTimeString"}), DateForm::Compact, bt);
    }

    void readHeader(const Node& header) {
        doc_.number = text(header.child("ID"));
        doc_.typeCode = text(header.child("TypeCode"));
        const std::optional<DateValue> issued = date(header.child("IssueDateTime"), 2);
        doc_.issueDate = issued.value_or(0);
        figures_.issueDate = issued.has_value();
        for (const Node* note : header.all("IncludedNote"))
            doc_.notes.push_back(text(note->child("Content")));
    }

    // bts: the amount's business term for an allowance and for a charge.
    AllowanceCharge allowanceCharge(const Node& node, std::pair<int, int> bts, int line,
                                    std::optional<Decimal>& amount) {
        AllowanceCharge a;
        a.charge = textAt(&node, {"ChargeIndicator", "Indicator"}) == "true";
        amount =
            fields_.number(node.child("ActualAmount"), a.charge ? bts.second : bts.first, a.amount, line);
        a.reason = text(node.child("Reason"));
        a.reasonCode = text(node.child("ReasonCode"));
        return a;
    }

    void readLine(const Node& item) {
        einvoice::Line line;
        LineFigures figures;
        const int position = static_cast<int>(doc_.lines.size()) + 1;
        const Node* document = item.child("AssociatedDocumentLineDocument");
        line.lineId = text(descend(document, {"LineID"}));
        line.note = textAt(document, {"IncludedNote", "Content"});
        const Node* product = item.child("SpecifiedTradeProduct");
        line.name = textAt(product, {"Name"});
        line.description = textAt(product, {"Description"});
        const Node* agreement = item.child("SpecifiedLineTradeAgreement");
        const Node* netPrice = descend(agreement, {"NetPriceProductTradePrice"});
        figures.price = fields_.number(descend(netPrice, {"ChargeAmount"}), 146, line.netPrice, position);
        // The base quantity belongs to the net price; some write it with the gross price only.
        const Node* base = descend(netPrice, {"BasisQuantity"});
        if (!base)
            base = descend(agreement, {"GrossPriceProductTradePrice", "BasisQuantity"});
        money::Quantity baseQuantity;
        figures.baseQuantity = fields_.number(base, 149, baseQuantity, position);
        if (figures.baseQuantity)
            line.baseQuantity = baseQuantity;
        const Node* billed = descend(&item, {"SpecifiedLineTradeDelivery", "BilledQuantity"});
        figures.quantity = fields_.number(billed, 129, line.quantity, position);
        line.unitCode = FieldReader::attribute(billed, "unitCode");
        const Node* settlement = item.child("SpecifiedLineTradeSettlement");
        const Node* tax = descend(settlement, {"ApplicableTradeTax"});
        line.categoryCode = textAt(tax, {"CategoryCode"});
        figures.rate = fields_.number(descend(tax, {"RateApplicablePercent"}), 152, line.rate, position);
        if (settlement) {
            for (const Node* node : settlement->all("SpecifiedTradeAllowanceCharge")) {
                std::optional<Decimal> amount;
                line.allowancesCharges.push_back(allowanceCharge(*node, {136, 141}, position, amount));
                if (amount)
                    (line.allowancesCharges.back().charge ? figures.charges : figures.allowances)
                        .push_back(*amount);
            }
        }
        const Node* total =
            descend(settlement, {"SpecifiedTradeSettlementLineMonetarySummation", "LineTotalAmount"});
        figures.netAmount = fields_.number(total, 131, line.netAmount, position);
        doc_.lines.push_back(std::move(line));
        figures_.lines.push_back(std::move(figures));
    }

    // The parts seller and buyer share: contact, address, electronic address, tax registrations.
    template <class Party> void readParty(const Node* node, Party& party) {
        party.name = textAt(node, {"Name"});
        const Node* contact = descend(node, {"DefinedTradeContact"});
        party.contactName = textAt(contact, {"PersonName"});
        if (party.contactName.empty())
            party.contactName = textAt(contact, {"DepartmentName"});
        party.telephone = textAt(contact, {"TelephoneUniversalCommunication", "CompleteNumber"});
        party.email = textAt(contact, {"EmailURIUniversalCommunication", "URIID"});
        const Node* address = descend(node, {"PostalTradeAddress"});
        party.postcode = textAt(address, {"PostcodeCode"});
        party.city = textAt(address, {"CityName"});
        party.countryCode = textAt(address, {"CountryID"});
        const Node* uri = descend(node, {"URIUniversalCommunication", "URIID"});
        party.electronicAddress = text(uri);
        party.electronicScheme = FieldReader::attribute(uri, "schemeID");
        if (!node)
            return;
        for (const Node* registration : node->all("SpecifiedTaxRegistration")) {
            const Node* id = registration->child("ID");
            if (id && id->attribute("schemeID") == "VA")
                party.vatId = text(id);
            else if (id && id->attribute("schemeID") == "FC")
                party.taxNumber = text(id);
        }
    }

    void readAgreement(const Node* agreement) {
        doc_.buyer.reference = textAt(agreement, {"BuyerReference"});
        const Node* seller = descend(agreement, {"SellerTradeParty"});
        readParty(seller, doc_.seller);
        const Node* sellerAddress = descend(seller, {"PostalTradeAddress"});
        doc_.seller.street = textAt(sellerAddress, {"LineOne"});
        doc_.seller.moreAddressLines = {textAt(sellerAddress, {"LineTwo"}),
                                        textAt(sellerAddress, {"LineThree"})};
        const Node* buyer = descend(agreement, {"BuyerTradeParty"});
        readParty(buyer, doc_.buyer);
        const Node* buyerAddress = descend(buyer, {"PostalTradeAddress"});
        doc_.buyer.addressLines = {textAt(buyerAddress, {"LineOne"}), textAt(buyerAddress, {"LineTwo"}),
                                   textAt(buyerAddress, {"LineThree"})};
        doc_.orderReference = textAt(agreement, {"BuyerOrderReferencedDocument", "IssuerAssignedID"});
        doc_.contractReference = textAt(agreement, {"ContractReferencedDocument", "IssuerAssignedID"});
        doc_.projectReference = textAt(agreement, {"SpecifiedProcuringProject", "ID"});
        if (!agreement)
            return;
        for (const Node* reference : agreement->all("AdditionalReferencedDocument")) {
            // 916 is a supporting document; 50 (tender) and 130 (invoiced object) are references.
            if (textAt(reference, {"TypeCode"}) != "916")
                continue;
            einvoice::Attachment a;
            a.id = textAt(reference, {"IssuerAssignedID"});
            a.description = textAt(reference, {"Name"});
            a.uri = textAt(reference, {"URIID"});
            if (const Node* binary = reference->child("AttachmentBinaryObject")) {
                a.fileName = FieldReader::attribute(binary, "filename");
                a.mimeCode = FieldReader::attribute(binary, "mimeCode");
                a.content = decodeBase64(binary->text);
            }
            doc_.attachments.push_back(std::move(a));
        }
    }

    void readDelivery(const Node* delivery) {
        if (const Node* event = descend(delivery, {"ActualDeliverySupplyChainEvent", "OccurrenceDateTime"}))
            doc_.deliveryDate = date(event, 72);
        doc_.despatchReference = textAt(delivery, {"DespatchAdviceReferencedDocument", "IssuerAssignedID"});
    }

    void readPaymentMeans(const Node& node) {
        einvoice::PaymentMeans means;
        means.typeCode = textAt(&node, {"TypeCode"});
        means.information = textAt(&node, {"Information"});
        const Node* account = node.child("PayeePartyCreditorFinancialAccount");
        means.iban = textAt(account, {"IBANID"});
        if (means.iban.empty())
            means.iban = textAt(account, {"ProprietaryID"});
        means.accountName = textAt(account, {"AccountName"});
        means.bic = textAt(&node, {"PayeeSpecifiedCreditorFinancialInstitution", "BICID"});
        means.debitedAccount = textAt(&node, {"PayerPartyDebtorFinancialAccount", "IBANID"});
        doc_.paymentMeans.push_back(std::move(means));
    }

    void readTotals(const Node* sums) {
        figures_.lineTotal = fields_.number(descend(sums, {"LineTotalAmount"}), 106, doc_.lineTotal);
        figures_.chargeTotal = fields_.number(descend(sums, {"ChargeTotalAmount"}), 108, doc_.chargeTotal);
        figures_.allowanceTotal =
            fields_.number(descend(sums, {"AllowanceTotalAmount"}), 107, doc_.allowanceTotal);
        figures_.taxBasis = fields_.number(descend(sums, {"TaxBasisTotalAmount"}), 109, doc_.totals.net);
        // A second tax total may give the VAT in the accounting currency (BT-111).
        const Node* taxTotal = nullptr;
        if (sums) {
            for (const Node* candidate : sums->all("TaxTotalAmount")) {
                const std::string_view currency = candidate->attribute("currencyID");
                if (!taxTotal || currency == doc_.currencyCode)
                    taxTotal = candidate;
                if (currency == doc_.currencyCode)
                    break;
            }
        }
        figures_.taxTotal = fields_.number(taxTotal, 110, doc_.totals.tax);
        figures_.rounding = fields_.number(descend(sums, {"RoundingAmount"}), 114, doc_.rounding);
        figures_.grandTotal = fields_.number(descend(sums, {"GrandTotalAmount"}), 112, doc_.totals.gross);
        figures_.prepaid = fields_.number(descend(sums, {"TotalPrepaidAmount"}), 113, doc_.prepaid);
        figures_.amountDue = fields_.number(descend(sums, {"DuePayableAmount"}), 115, doc_.amountDue);
    }

    void readSettlement(const Node* settlement) {
        doc_.paymentReference = textAt(settlement, {"PaymentReference"});
        doc_.currencyCode = textAt(settlement, {"InvoiceCurrencyCode"});
        if (!settlement)
            return;
        for (const Node* means : settlement->all("SpecifiedTradeSettlementPaymentMeans"))
            readPaymentMeans(*means);
        for (const Node* tax : settlement->all("ApplicableTradeTax")) {
            einvoice::VatBreakdown vat;
            VatFigures figures;
            figures.tax = fields_.number(tax->child("CalculatedAmount"), 117, vat.tax);
            figures.basis = fields_.number(tax->child("BasisAmount"), 116, vat.basis);
            vat.categoryCode = text(tax->child("CategoryCode"));
            figures.rate = fields_.number(tax->child("RateApplicablePercent"), 119, vat.rate);
            vat.exemptionReason = text(tax->child("ExemptionReason"));
            vat.exemptionCode = text(tax->child("ExemptionReasonCode"));
            doc_.vatBreakdown.push_back(std::move(vat));
            figures_.vat.push_back(figures);
        }
        const Node* period = settlement->child("BillingSpecifiedPeriod");
        if (const Node* start = descend(period, {"StartDateTime"}))
            doc_.periodStart = date(start, 73);
        if (const Node* end = descend(period, {"EndDateTime"}))
            doc_.periodEnd = date(end, 74);
        for (const Node* node : settlement->all("SpecifiedTradeAllowanceCharge")) {
            AllowanceFigures figures;
            AllowanceCharge a = allowanceCharge(*node, {92, 99}, 0, figures.amount);
            figures.charge = a.charge;
            a.categoryCode = textAt(node, {"CategoryTradeTax", "CategoryCode"});
            figures.rate = fields_.number(descend(node, {"CategoryTradeTax", "RateApplicablePercent"}),
                                          a.charge ? 103 : 96, a.rate);
            doc_.allowancesCharges.push_back(std::move(a));
            figures_.allowancesCharges.push_back(figures);
        }
        // Extended invoices may split the terms; every description is shown, the first due date counts.
        std::string mandate;
        for (const Node* terms : settlement->all("SpecifiedTradePaymentTerms")) {
            const std::string description = text(terms->child("Description"));
            if (!description.empty())
                doc_.paymentTerms += (doc_.paymentTerms.empty() ? "" : " ") + description;
            if (const Node* due = terms->child("DueDateDateTime"); due && !doc_.dueDate)
                doc_.dueDate = date(due, 9);
            if (mandate.empty())
                mandate = text(terms->child("DirectDebitMandateID"));
        }
        for (einvoice::PaymentMeans& means : doc_.paymentMeans)
            means.mandate = mandate;
        readTotals(settlement->child("SpecifiedTradeSettlementHeaderMonetarySummation"));
        doc_.precedingInvoice = textAt(settlement, {"InvoiceReferencedDocument", "IssuerAssignedID"});
    }

    FieldReader fields_;
    ReceivedInvoice invoice_;
    einvoice::Document& doc_ = invoice_.document;
    Figures& figures_ = invoice_.figures;
};

} // namespace

ReadResult readCii(const XmlTree& tree) {
    return CiiReader().read(tree.root);
}

} // namespace incoming
