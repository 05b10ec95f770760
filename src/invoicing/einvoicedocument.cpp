#include "invoicing/einvoicedocument.h"

#include "einvoice/netlines.h"
#include "einvoice/preflight.h"
#include "einvoice/sellerfooter.h"
#include "payments/cashdiscount.h"
#include "runtime/fieldchecks.h"
#include "runtime/lists.h"
#include "runtime/numbers.h"
#include "runtime/wohnort.h"
#include "state/companydata.h"
#include "state/invoicestate.h"
#include "state/linetax.h"
#include "state/paymentterms.h"
#include "state/ratesplit.h"
#include "state/settings.h"
#include "toolkit/toolkit.h"

namespace {

// The hidden e-invoice cells of the customer row, in their order.
enum CustomerCell { kEmail, kLeitwegId, kVatId, kPostcode, kTown, kCountry };

// From the row as it was when the customer was chosen.
std::string customerCell(const InvoiceState& invoice, CustomerCell cell) {
    const std::size_t column = kCustomerEInvoiceColumn + cell;
    return column < invoice.customerCells.size() ? invoice.customerCells[column] : std::string();
}

einvoice::Seller sellerOf(const CompanyData& c) {
    return {c.name,      c.contactName, c.street,    c.postcode, c.city, c.countryCode,
            c.telephone, c.email,       c.taxNumber, c.vatId,    c.iban, c.bic};
}

einvoice::Buyer buyerOf(const InvoiceState& invoice) {
    einvoice::Buyer b;
    // Name, street and Zusatz as the paper shows them (the street first, where receivers look for
    // it); the rest from the row's hidden cells.
    b.id = invoice.customerNumberText;
    b.name = invoice.customerFullName;
    b.addressLines = {invoice.customerStreet, invoice.customerAddition, ""};
    b.email = customerCell(invoice, kEmail);
    b.reference = customerCell(invoice, kLeitwegId);
    b.vatId = customerCell(invoice, kVatId);
    b.postcode = customerCell(invoice, kPostcode);
    b.city = customerCell(invoice, kTown);
    // A customer without e-invoice data keeps no country: the default one.
    const std::string country = customerCell(invoice, kCountry);
    b.countryCode = country.empty() ? "DE" : country;
    // A customer who never gave a place for the e-invoice has the one the Wohnort on paper begins with.
    const auto place = germanPlaceOfWohnort(invoice.customerTown);
    if (b.postcode.empty() && b.city.empty() && b.countryCode == "DE" && place) {
        b.postcode = place->postcode;
        b.city = place->town;
    }
    return b;
}

// The options' footer lines, which every page prints.
std::vector<std::string> footerLines() {
    const Settings& s = settings();
    std::vector<std::string> lines;
    for (const FooterLines* column : {&s.footerLines1, &s.footerLines2, &s.footerLines3, &s.footerLines4})
        lines.insert(lines.end(), column->begin(), column->end());
    return lines;
}

// Terms that name other days than the window would contradict the due date on paper and in the XML.
std::string otherDaysReason(int days) {
    return "Zahlungsbedingungen nennen nicht das Zahlungsziel von " + std::to_string(days) + " Tagen";
}

// The window's lines with their amounts, categories, rates and units; false when an amount leaves the
// range of money.
bool readLines(std::vector<einvoice::Line>& lines, std::vector<TaxedAmount>& taxed) {
    // Through the lines list's rows, which a correction lends its own lines to.
    const int rows = listRowCount(kLinesList);
    const auto cell = [](int r, int c) { return std::string(listCell(kLinesList, r, c)); };
    for (int r = 0; r < rows; ++r) {
        einvoice::Line line;
        line.name = cell(r, 1);
        line.description = cell(r, 2);
        line.netPrice = money::parse<money::Price>(cell(r, 3));
        line.quantity = money::parse<money::Quantity>(cell(r, 4));
        const std::string unit = cell(r, kLineTaxColumn + 2);
        line.unitCode = unit.empty() ? "C62" : unit;
        const auto amount = money::lineAmount(line.quantity, line.netPrice);
        if (!amount || static_cast<std::size_t>(r) >= taxed.size())
            return false;
        // The groups add up what the lines are worth, as the lines list shows them.
        line.netAmount = taxed[r].amount = *amount;
        line.categoryCode = taxed[r].category;
        line.rate = taxed[r].rate;
        lines.push_back(line);
    }
    return true;
}

// Gross prices become net group by group, each at its rate, so that every group adds up to its net.
bool convertGroups(std::vector<einvoice::Line>& lines, const RateSplit& split) {
    for (const RateGroup& group : split.groups) {
        std::vector<einvoice::Line> part;
        for (const einvoice::Line& line : lines) {
            if (line.categoryCode == group.category && line.rate == group.rate)
                part.push_back(line);
        }
        if (!einvoice::convertGrossLines(part, group.rate, group.totals.net))
            return false;
        auto next = part.begin();
        for (einvoice::Line& line : lines) {
            if (line.categoryCode == group.category && line.rate == group.rate)
                line = *next++;
        }
    }
    return true;
}

// The breakdown the XML carries: one entry per category and rate, with the reason an untaxed one needs.
void addBreakdown(einvoice::Document& doc, const RateSplit& split) {
    for (const RateGroup& group : split.groups) {
        einvoice::VatBreakdown b{group.category, group.rate, group.totals.net, group.totals.tax, {}, {}};
        const ExemptionNote note = exemptionNote(group.category);
        b.exemptionReason = doc.smallBusiness ? einvoice::kSmallBusinessReason : note.reason;
        b.exemptionCode = doc.smallBusiness ? std::string() : note.code;
        doc.vatBreakdown.push_back(std::move(b));
    }
}

// The company data's cash discount joins the payment terms: the sentence the paper prints after them,
// and the line XRechnung's receivers read.
void addCashDiscount(einvoice::Document& doc) {
    const std::optional<CashDiscount> discount = cashDiscount();
    if (!discount)
        return;
    const std::string sentence = cashDiscountSentence(doc.issueDate, doc.totals.gross, *discount);
    doc.paymentTerms += (doc.paymentTerms.empty() ? "" : " ") + sentence;
    doc.cashDiscount = einvoice::CashDiscountTerms{discount->days, discount->percent};
}

} // namespace

InvoiceDocument invoiceDocument(std::int32_t number, DateValue issueDate) {
    const InvoiceState& invoice = invoiceState();
    const CompanyData& company = companyData();
    InvoiceDocument result;
    einvoice::Document& doc = result.doc;
    doc.number = formatInt(number);
    doc.issueDate = issueDate;
    if (invoice.deliveryDateText.empty())
        doc.deliveryDate = issueDate;
    else if (!(doc.deliveryDate = parseDate(invoice.deliveryDateText)))
        result.reasons.emplace_back("Leistungsdatum ist kein Datum (TT.MM.JJJJ)");
    doc.dueDate = addDays(issueDate, invoice.paymentDays);
    doc.paymentTerms = filledPaymentTerms(company.paymentTerms, invoice.paymentDays, *doc.dueDate);
    if (termsNameOtherDays(company.paymentTerms, invoice.paymentDays))
        result.reasons.push_back(otherDaysReason(invoice.paymentDays));
    doc.smallBusiness = company.smallBusiness;
    doc.rate = doc.smallBusiness ? money::Rate{} : money::parse<money::Rate>(settings().taxRate);
    doc.seller = sellerOf(company);
    doc.buyer = buyerOf(invoice);
    if (std::string difference = einvoice::placeDifference(invoice.customerTown, doc.buyer);
        !difference.empty())
        result.reasons.push_back(std::move(difference));
    for (std::string& reason : einvoice::footerDisagreements(footerLines(), doc.seller))
        result.reasons.push_back(std::move(reason));
    result.xrechnung = !isBlankValue(doc.buyer.reference);

    const bool pricesGross = settings().pricesGross == 1;
    std::vector<TaxedAmount> taxed = taxedLines(doc.rate, doc.smallBusiness, invoice.customerTaxCase);
    const bool read = readLines(doc.lines, taxed);
    const std::optional<RateSplit> split = read ? splitByRate(taxed, pricesGross) : std::nullopt;
    if (split) {
        doc.totals = split->totals;
        addBreakdown(doc, *split);
    }
    if (!split || (pricesGross && !convertGroups(doc.lines, *split)))
        result.reasons.emplace_back("Rechnungsbetr\xE4ge au\xDF"
                                    "erhalb des Zahlenbereichs");
    addCashDiscount(doc);
    return result;
}

std::vector<std::string> reasonsAgainst(const InvoiceDocument& invoice) {
    std::vector<std::string> reasons = invoice.reasons;
    const auto profile = invoice.xrechnung ? einvoice::Profile::XRechnung : einvoice::Profile::En16931;
    for (std::string& reason : einvoice::missingFor(invoice.doc, profile))
        reasons.push_back(std::move(reason));
    // An empty rate would issue the invoice at 0 % into the write-once archive. Last, so that the
    // question ends with its sentence.
    if (!invoice.doc.smallBusiness && isBlankValue(settings().taxRate))
        reasons.emplace_back("Kein Steuersatz in den Einstellungen");
    return reasons;
}
