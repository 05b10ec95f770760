#include "printing/invoiceprintout.h"

#include "money/money.h"
#include "payments/epcpayload.h"
#include "payments/openitems.h"
#include "printing/companydetails.h"
#include "printing/paymentoffer.h"
#include "printing/printjob.h"
#include "printing/tableprintout.h"
#include "printing/textfit.h"
#include "runtime/conversions.h"
#include "runtime/lists.h"
#include "runtime/numbers.h"
#include "state/companydata.h"
#include "state/invoicestate.h"
#include "state/linetax.h"
#include "state/offerstate.h"
#include "state/ratesplit.h"
#include "state/settings.h"

#include <optional>
#include <string>

namespace {

// The rows print the lines as the lines list holds them: net prices and amounts, or gross ones when
// prices include the tax; the totals come from the amounts printed, so the rows add up to them.
std::string unitPriceText(int row) {
    return std::string(listCell(kLinesList, row, 3));
}
std::string lineAmountText(int row) {
    return std::string(listCell(kLinesList, row, 5));
}

bool drawTotalsBlock(std::optional<money::Amount> printedSum, std::string_view grossLabel) {
    const Settings& s = settings();
    const std::optional<money::Totals> totals =
        printedSum ? money::totalsOf(*printedSum, money::parse<money::Rate>(s.taxRate), s.pricesGross == 1)
                   : std::nullopt;
    if (!totals)
        return false;
    const int step = lineStep(s.invoiceTextSize, 2);
    placeLine(25, 220, 185, 220, 1);
    // The labels keep the font of whatever was drawn last: the rows, or the column titles.
    placeText(145, 225, "Nettogesamtbetrag");
    placeText(145, 230, "+" + s.taxRate + "% Mwst.");
    placeText(145, 235, grossLabel);
    selectTextSize(s.invoiceTextSize, true);
    placeText(175, 225, money::formatAmount(totals->net) + " \x80");
    placeText(175, 230, money::formatAmount(totals->tax) + " \x80");
    placeText(175, 235, money::formatAmount(totals->gross) + " \x80");
    placeLine(170, static_cast<float>(240.0 + step), 185, static_cast<float>(240.0 + step), 4);
    placeLine(170, static_cast<float>(241.0 + step), 185, static_cast<float>(241.0 + step), 4);
    return true;
}

// Where the free area left of the totals ends: the rate lines begin right of it.
constexpr float kNoteRight = 108;

std::string rateLabel(money::Rate rate) {
    return money::formatDecimal(rate.units, money::Rate::kDecimals, 0, ',');
}

// The lines of more than one rate: the net total, one line per rate ("zzgl. 7% MwSt. auf 100,00 \x80 :"
// with net prices, "enthaltene MwSt. 7%" with gross ones), the gross total below them.
void drawRateTotalsBlock(const RateSplit& split, std::string_view grossLabel) {
    const Settings& s = settings();
    const bool gross = s.pricesGross == 1;
    const int step = lineStep(s.invoiceTextSize, 2);
    const auto rows = static_cast<float>(split.groups.size());
    // Two rates keep 5 mm a line; more share the same 10 mm, so that the total and its double line
    // end above the footer at 250 mm.
    const float pitch = rows <= 2 ? 5 : 10 / rows;
    placeLine(25, 220, 185, 220, 1);
    placeText(145, 225, "Nettogesamtbetrag");
    for (std::size_t i = 0; i < split.groups.size(); ++i) {
        const RateGroup& g = split.groups[i];
        const std::string label = gross ? "enthaltene MwSt. " + rateLabel(g.rate) + "%"
                                        : "zzgl. " + rateLabel(g.rate) + "% MwSt. auf " +
                                              money::formatAmount(g.totals.net) + " \x80 :";
        placeText(gross ? 145 : 110, 230 + pitch * static_cast<float>(i), label);
    }
    const float grossY = 230 + pitch * rows;
    placeText(145, grossY, grossLabel);
    selectTextSize(s.invoiceTextSize, true);
    placeText(175, 225, money::formatAmount(split.totals.net) + " \x80");
    for (std::size_t i = 0; i < split.groups.size(); ++i)
        placeText(175, 230 + pitch * static_cast<float>(i),
                  money::formatAmount(split.groups[i].totals.tax) + " \x80");
    placeText(175, grossY, money::formatAmount(split.totals.gross) + " \x80");
    placeLine(170, grossY + 5 + static_cast<float>(step), 185, grossY + 5 + static_cast<float>(step), 4);
    placeLine(170, grossY + 6 + static_cast<float>(step), 185, grossY + 6 + static_cast<float>(step), 4);
}

// One rate and category prints the block it always has; more print one line each. An invoice's total
// is its "Rechnungsbetrag", an offer's its "Gesamtbetrag".
bool drawTaxTotals(std::optional<money::Amount> printedSum, std::string_view grossLabel = "Rechnungsbetrag") {
    const Settings& s = settings();
    const money::Rate optionsRate = money::parse<money::Rate>(s.taxRate);
    const std::optional<RateSplit> split =
        splitByRate(taxedLines(optionsRate, false, invoiceState().customerTaxCase), s.pricesGross == 1);
    const bool oneRate = split && (split->groups.empty() ||
                                   (split->groups.size() == 1 && split->groups[0].rate == optionsRate &&
                                    (split->groups[0].category == "S" || split->groups[0].category == "Z")));
    if (!split || oneRate)
        return drawTotalsBlock(printedSum, grossLabel);
    drawRateTotalsBlock(*split, grossLabel);
    return true;
}

// The legal note of the customer's tax case and both VAT ids, in the free area left of the totals.
void drawTaxCaseNote(float x) {
    const InvoiceState& invoice = invoiceState();
    const std::string note = exemptionNote(invoice.customerTaxCase).reason;
    if (note.empty())
        return;
    const std::size_t vatColumn = kCustomerEInvoiceColumn + 2;
    const std::string buyerVatId =
        vatColumn < invoice.customerCells.size() ? invoice.customerCells[vatColumn] : "";
    selectTextSize(settings().otherTextSize, false);
    const TextMeasure measure = [](std::string_view t) { return static_cast<double>(textWidth(t)); };
    std::vector<std::string> lines = wrapToWidth(note, kNoteRight - x, 2, measure);
    lines.push_back("USt-IdNr. Leistender: " + companyData().vatId);
    lines.push_back("USt-IdNr. Leistungsempf\xE4nger: " + buyerVatId);
    // Below the GiroCode's caption when there is one, and above the cash discount's line.
    const float top = x > 25 ? 227.5f : 225;
    for (std::size_t i = 0; i < lines.size(); ++i)
        placeText(x, top + 3.5f * static_cast<float>(i), shortenToWidth(lines[i], kNoteRight - x, measure));
}

// The reason of a credit note in the free area left of the totals, below the tax case's note if any.
void drawCorrectionReason(const std::string& reason) {
    const bool taxNote = !exemptionNote(invoiceState().customerTaxCase).reason.empty();
    selectTextSize(settings().otherTextSize, false);
    const TextMeasure measure = [](std::string_view t) { return static_cast<double>(textWidth(t)); };
    const std::vector<std::string> lines =
        wrapToWidth("Grund: " + reason, kNoteRight - 25, taxNote ? 1 : 3, measure);
    const float top = taxNote ? 239 : 225;
    for (std::size_t i = 0; i < lines.size(); ++i)
        placeText(25, top + 3.5f * static_cast<float>(i), lines[i]);
}

// A small business charges no VAT: one total, the sum of the amounts printed. Left of the totals, the
// ways of paying the amount due the company data offer.
bool drawClosing(std::optional<money::Amount> printedSum, const CorrectionPrint* correction) {
    // A correction asks for no payment: no GiroCode, cash discount or payment terms.
    const std::optional<money::Amount> due = printedSum && !correction ? composedAmountDue() : std::nullopt;
    const std::string invoice = formatInt(invoiceState().invoiceCounter);
    const bool giroCode = due && epcPayload(invoice, *due);
    if (invoicesWithoutTax())
        drawSmallBusinessTotals(printedSum, freeAreaLeft(giroCode));
    else if (!drawTaxTotals(printedSum))
        return false;
    else
        drawTaxCaseNote(freeAreaLeft(giroCode));
    if (companyData().present && !correction)
        drawPaymentTerms();
    if (correction && !correction->reason.empty())
        drawCorrectionReason(correction->reason);
    // Drawn last: the totals' labels take the font of what was drawn before them.
    if (giroCode)
        drawGiroCode(invoice, *due);
    if (due)
        drawCashDiscountLine(*due, freeAreaLeft(giroCode));
    return true;
}

// An offer asks for no payment: its totals, and where the invoice has its terms, how long it holds.
constexpr std::string_view kOfferTotal = "Gesamtbetrag";
bool drawOfferClosing(std::optional<money::Amount> printedSum) {
    if (invoicesWithoutTax())
        drawSmallBusinessTotals(printedSum, 25, kOfferTotal);
    else if (!drawTaxTotals(printedSum, kOfferTotal))
        return false;
    else
        drawTaxCaseNote(freeAreaLeft(false));
    selectTextSize(settings().otherTextSize, false);
    placeText(25, 245, "G\xFCltig bis " + offerState().validUntilText);
    return true;
}

bool drawInvoiceAs(const CorrectionPrint* correction) {
    TablePrintout invoice;
    invoice.label = correction ? std::string_view(correction->label) : "Rechnung Nr.:";
    if (correction)
        invoice.reference = correction->reference;
    invoice.number = invoiceState().invoiceCounter;
    invoice.priceText = unitPriceText;
    invoice.amountText = lineAmountText;
    invoice.drawClosing = [correction](float, std::optional<money::Amount> printedSum) {
        return drawClosing(printedSum, correction);
    };
    invoice.closingTop = 220;
    return drawTablePrintout(invoice);
}

} // namespace

bool drawInvoice() {
    return drawInvoiceAs(nullptr);
}

bool drawCorrection(const CorrectionPrint& correction) {
    return drawInvoiceAs(&correction);
}

bool drawOffer(std::int32_t number) {
    TablePrintout offer;
    offer.label = "Angebot Nr.:";
    offer.number = number;
    offer.priceText = unitPriceText;
    offer.amountText = lineAmountText;
    offer.drawClosing = [](float, std::optional<money::Amount> printedSum) {
        return drawOfferClosing(printedSum);
    };
    offer.closingTop = 220;
    return drawTablePrintout(offer);
}

PrintResult printOffer(std::int32_t number) {
    if (const PrintResult begun = beginPrintout("Angebot " + formatInt(number)); !begun)
        return begun;
    const bool drawn = drawOffer(number);
    if (!endPrintout() || !drawn)
        return {PrintOutcome::Refused};
    return {};
}

PrintResult printCorrection(const CorrectionPrint& correction) {
    if (const PrintResult begun = beginPrintout(correction.jobName); !begun)
        return begun;
    const bool drawn = drawCorrection(correction);
    if (!endPrintout() || !drawn)
        return {PrintOutcome::Refused};
    return {};
}

PrintResult printInvoice() {
    // The print queue names the job as the user would look for it.
    if (const PrintResult begun = beginPrintout("Rechnung " + formatInt(invoiceState().invoiceCounter));
        !begun)
        return begun;
    const bool drawn = drawInvoice();
    if (!endPrintout() || !drawn)
        return {PrintOutcome::Refused};
    invoiceState().printedFlag = 1;
    return {};
}
