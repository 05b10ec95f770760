#include "incoming/invoiceview.h"

#include "incoming/codenames.h"
#include "incoming/invoicecheck.h"
#include "runtime/conversions.h"

namespace incoming {

namespace {

using einvoice::Document;

std::string dateText(std::optional<DateValue> d) {
    return d ? formatDate("%dd.%mm.%yyyy", *d) : std::string();
}

// The non-empty parts joined by sep.
std::string joined(std::initializer_list<std::string> parts, const char* sep = ", ") {
    std::string out;
    for (const std::string& part : parts) {
        if (!part.empty())
            out += (out.empty() ? "" : sep) + part;
    }
    return out;
}

std::string withCode(const std::string& name, std::string_view code) {
    return name == code || code.empty() ? name : name + " (" + std::string(code) + ")";
}

std::string rateText(std::string_view category, std::optional<Decimal> rate) {
    return joined({std::string(category), rate ? germanText(*rate, 0) + " %" : std::string()}, " ");
}

class ViewBuilder {
  public:
    ViewBuilder(const ReceivedInvoice& invoice, InvoiceView& view)
        : doc_(invoice.document), fig_(invoice.figures), invoice_(invoice), view_(view) {}

    void build() {
        head();
        party("Verk\xE4ufer", doc_.seller.name,
              joined({doc_.seller.street, doc_.seller.moreAddressLines[0], doc_.seller.moreAddressLines[1],
                      joined({doc_.seller.postcode, doc_.seller.city}, " "), doc_.seller.countryCode}),
              doc_.seller);
        party("K\xE4ufer", doc_.buyer.name,
              joined({doc_.buyer.addressLines[0], doc_.buyer.addressLines[1], doc_.buyer.addressLines[2],
                      joined({doc_.buyer.postcode, doc_.buyer.city}, " "), doc_.buyer.countryCode}),
              doc_.buyer);
        references();
        allowancesCharges();
        vatBreakdown();
        totals();
        payment();
        for (const std::string& note : doc_.notes)
            row("Bemerkung", note);
        attachments();
        lines();
    }

  private:
    void row(std::string label, std::string value) {
        if (!value.empty())
            view_.details.emplace_back(std::move(label), std::move(value));
    }

    std::string amount(std::optional<Decimal> d) const {
        return d ? germanText(*d, 2) + " " + doc_.currencyCode : std::string();
    }

    void head() {
        row("Dokumentart", withCode(documentTypeName(doc_.typeCode), doc_.typeCode));
        row("Rechnungsnummer", doc_.number);
        row("Rechnungsdatum", fig_.issueDate ? dateText(doc_.issueDate) : std::string());
        row("Lieferdatum", dateText(doc_.deliveryDate));
        if (doc_.periodStart || doc_.periodEnd)
            row("Leistungszeitraum", dateText(doc_.periodStart) + " bis " + dateText(doc_.periodEnd));
        row("Format", std::string(invoice_.syntax == Syntax::Cii ? "CII" : "UBL") +
                          (invoice_.fromPdf ? " im PDF" : "") +
                          (doc_.guideline.empty() ? "" : ", " + doc_.guideline));
    }

    template <class Party>
    void party(const char* label, const std::string& name, std::string address, const Party& p) {
        row(label, name);
        row(std::string(label) + ": Anschrift", std::move(address));
        row(std::string(label) + ": USt-IdNr.", p.vatId);
        row(std::string(label) + ": Steuernummer", p.taxNumber);
        row(std::string(label) + ": Kontakt", joined({p.contactName, p.telephone, p.email}));
        row(std::string(label) + ": Elektronische Adresse",
            joined({p.electronicAddress, p.electronicScheme.empty() ? "" : "(" + p.electronicScheme + ")"},
                   " "));
    }

    void references() {
        row("K\xE4uferreferenz / Leitweg-ID", doc_.buyer.reference);
        row("Bestellung", doc_.orderReference);
        row("Vertrag", doc_.contractReference);
        row("Projekt", doc_.projectReference);
        row("Lieferschein", doc_.despatchReference);
        row("Bezug auf Rechnung", doc_.precedingInvoice);
    }

    void allowancesCharges() {
        for (std::size_t i = 0; i < doc_.allowancesCharges.size(); ++i) {
            const einvoice::AllowanceCharge& a = doc_.allowancesCharges[i];
            const AllowanceFigures& f = fig_.allowancesCharges[i];
            row(a.charge ? "Zuschlag" : "Nachlass",
                joined({amount(f.amount), a.reason, "USt. " + rateText(a.categoryCode, f.rate)}));
        }
    }

    void vatBreakdown() {
        for (std::size_t i = 0; i < doc_.vatBreakdown.size(); ++i) {
            const einvoice::VatBreakdown& v = doc_.vatBreakdown[i];
            const VatFigures& f = fig_.vat[i];
            row("USt. " + rateText(v.categoryCode, f.rate),
                joined({vatCategoryName(v.categoryCode), "Bemessungsgrundlage " + amount(f.basis),
                        "Steuer " + amount(f.tax), v.exemptionReason, v.exemptionCode}));
        }
    }

    void totals() {
        row("Summe der Positionen", amount(fig_.lineTotal));
        row("Summe der Nachl\xE4sse", amount(fig_.allowanceTotal));
        row("Summe der Zuschl\xE4ge", amount(fig_.chargeTotal));
        row("Gesamtbetrag netto", amount(fig_.taxBasis));
        row("Umsatzsteuer", amount(fig_.taxTotal));
        row("Gesamtbetrag brutto", amount(fig_.grandTotal));
        row("Bereits gezahlt", amount(fig_.prepaid));
        row("Rundung", amount(fig_.rounding));
        row("Zahlbetrag", amount(fig_.amountDue));
    }

    void payment() {
        row("Zahlungsbedingungen", doc_.paymentTerms);
        row("F\xE4llig am", dateText(doc_.dueDate));
        row("Verwendungszweck", doc_.paymentReference);
        for (const einvoice::PaymentMeans& m : doc_.paymentMeans) {
            row("Zahlungsart", joined({withCode(paymentMeansName(m.typeCode), m.typeCode), m.information}));
            row("IBAN", m.iban);
            row("BIC", m.bic);
            row("Kontoinhaber", m.accountName);
            row("Mandatsreferenz", m.mandate);
            row("Belastetes Konto", m.debitedAccount);
        }
    }

    void attachments() {
        for (const einvoice::Attachment& a : doc_.attachments) {
            const std::string size =
                a.content.empty() ? std::string() : std::to_string(a.content.size()) + " Bytes";
            row("Anhang",
                joined({a.fileName.empty() ? a.id : a.fileName, a.description, a.mimeCode, size, a.uri}));
        }
    }

    void lines() {
        for (std::size_t i = 0; i < doc_.lines.size(); ++i) {
            const einvoice::Line& l = doc_.lines[i];
            const LineFigures& f = fig_.lines[i];
            const std::string description = joined({l.description, l.note}, " ");
            view_.lines.push_back(
                {l.lineId, l.name, description, f.quantity ? germanText(*f.quantity, 0) : "",
                 l.unitCode.empty() ? "" : unitName(l.unitCode), f.price ? germanText(*f.price, 2) : "",
                 f.netAmount ? germanText(*f.netAmount, 2) : "", rateText(l.categoryCode, f.rate)});
            // A base quantity other than 1 belongs to the price: "12,50 je 10".
            if (f.baseQuantity && compare(*f.baseQuantity, Decimal{1, 0}) != std::optional<int>(0))
                view_.lines.back()[5] += " je " + germanText(*f.baseQuantity, 0);
        }
    }

    const Document& doc_;
    const Figures& fig_;
    const ReceivedInvoice& invoice_;
    InvoiceView& view_;
};

} // namespace

std::string invoiceTitle(const einvoice::Document& doc) {
    return "E-Rechnung " + doc.number + " von " + doc.seller.name;
}

InvoiceView viewOf(const ReceivedInvoice& invoice, const std::vector<Finding>& findings) {
    InvoiceView view;
    view.title = invoiceTitle(invoice.document);
    view.headline = checkHeadline(findings);
    for (const Finding& f : findings)
        view.findings.push_back(f.text);
    ViewBuilder(invoice, view).build();
    return view;
}

} // namespace incoming
