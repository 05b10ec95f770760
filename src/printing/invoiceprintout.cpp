#include "printing/invoiceprintout.h"

#include "money/money.h"
#include "payments/epcpayload.h"
#include "payments/openitems.h"
#include "printing/companydetails.h"
#include "printing/paymentoffer.h"
#include "printing/printjob.h"
#include "printing/tableprintout.h"
#include "runtime/conversions.h"
#include "runtime/lists.h"
#include "runtime/numbers.h"
#include "state/companydata.h"
#include "state/invoicestate.h"
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

bool drawTotalsBlock(std::optional<money::Amount> printedSum) {
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
    placeText(145, 235, "Rechnungsbetrag");
    selectTextSize(s.invoiceTextSize, true);
    placeText(175, 225, money::formatAmount(totals->net) + " \x80");
    placeText(175, 230, money::formatAmount(totals->tax) + " \x80");
    placeText(175, 235, money::formatAmount(totals->gross) + " \x80");
    placeLine(170, static_cast<float>(240.0 + step), 185, static_cast<float>(240.0 + step), 4);
    placeLine(170, static_cast<float>(241.0 + step), 185, static_cast<float>(241.0 + step), 4);
    return true;
}

// A small business charges no VAT: one total, the sum of the amounts printed. Left of the totals, the
// ways of paying the amount due the company data offer.
bool drawClosing(std::optional<money::Amount> printedSum) {
    const std::optional<money::Amount> due = printedSum ? amountDueOf(*printedSum) : std::nullopt;
    const std::string invoice = formatInt(invoiceState().invoiceCounter);
    const bool giroCode = due && epcPayload(invoice, *due);
    if (invoicesWithoutTax())
        drawSmallBusinessTotals(printedSum, freeAreaLeft(giroCode));
    else if (!drawTotalsBlock(printedSum))
        return false;
    if (companyData().present)
        drawPaymentTerms();
    // Drawn last: the totals' labels take the font of what was drawn before them.
    if (giroCode)
        drawGiroCode(invoice, *due);
    if (due)
        drawCashDiscountLine(*due, freeAreaLeft(giroCode));
    return true;
}

} // namespace

bool drawInvoice() {
    TablePrintout invoice;
    invoice.label = "Rechnung Nr.:";
    invoice.number = invoiceState().invoiceCounter;
    invoice.priceText = unitPriceText;
    invoice.amountText = lineAmountText;
    invoice.drawClosing = [](float, std::optional<money::Amount> printedSum) {
        return drawClosing(printedSum);
    };
    invoice.closingTop = 220;
    return drawTablePrintout(invoice);
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
