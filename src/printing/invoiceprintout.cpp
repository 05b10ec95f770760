#include "printing/invoiceprintout.h"

#include "money/money.h"
#include "printing/companydetails.h"
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

struct Totals {
    float net = 0.0f;
    float tax = 0.0f;
    float gross = 0.0f;
};

// A small business charges no VAT, so its prices are printed as stored.
bool pricesIncludeTax() {
    return settings().pricesGross == 1 && !invoicesWithoutTax();
}

// The table always shows net prices: a stored gross price is taken back by the tax rate.
std::string netText(const std::string& storedPrice, int rate) {
    const float gross = parseFloat(replaceAll(storedPrice, ",", "."));
    const auto net = static_cast<float>(static_cast<double>(gross) / (rate + 100) * 100);
    return amountText(net);
}

Totals computeTotals(float total, int rate) {
    Totals t;
    if (pricesIncludeTax()) {
        t.net = static_cast<float>(static_cast<double>(total) / (rate + 100) * 100);
        t.gross = total;
        t.tax = static_cast<float>(static_cast<double>(t.gross) - t.net);
    } else {
        t.net = total;
        t.tax = static_cast<float>(static_cast<double>(total) / 100 * rate);
        t.gross = static_cast<float>(static_cast<double>(t.net) + t.tax);
    }
    return t;
}

// The texts of a line's price columns, one function a column; the carried sums add the amounts.
std::string unitPriceText(int row) {
    const std::string stored(listCell(kLinesList, row, 3));
    return pricesIncludeTax() ? netText(stored, parseInt(settings().taxRate)) : stored;
}
std::string lineAmountText(int row) {
    const std::string stored(listCell(kLinesList, row, 5));
    return pricesIncludeTax() ? netText(stored, parseInt(settings().taxRate)) : stored;
}

void drawTotalsBlock() {
    const int rate = parseInt(settings().taxRate);
    const Settings& s = settings();
    const int step = lineStep(s.invoiceTextSize, 2);
    placeLine(25, 220, 185, 220, 1);
    // The labels keep the font of whatever was drawn last: the rows, or the column titles.
    placeText(145, 225, "Nettogesamtbetrag");
    placeText(145, 230, "+" + s.taxRate + "% Mwst.");
    placeText(145, 235, "Rechnungsbetrag");
    const Totals totals = computeTotals(invoiceState().invoiceTotal, rate);
    selectTextSize(s.invoiceTextSize, true);
    placeText(175, 225, amountText(totals.net) + " \x80");
    placeText(175, 230, amountText(totals.tax) + " \x80");
    placeText(175, 235, amountText(totals.gross) + " \x80");
    placeLine(170, static_cast<float>(240.0 + step), 185, static_cast<float>(240.0 + step), 4);
    placeLine(170, static_cast<float>(241.0 + step), 185, static_cast<float>(241.0 + step), 4);
}

// The exact sum of the amounts the Betrag column shows; nullopt once it leaves the range.
std::optional<money::Amount> lineSum() {
    std::optional<money::Amount> sum = money::Amount{};
    for (int row = 0; row < invoiceState().invoiceLineCount && sum; ++row)
        sum = money::add(*sum, money::parse<money::Amount>(lineAmountText(row)));
    return sum;
}

void drawClosing() {
    if (invoicesWithoutTax())
        drawSmallBusinessTotals(lineSum());
    else
        drawTotalsBlock();
    if (companyData().present)
        drawPaymentTerms();
}

} // namespace

bool drawInvoice() {
    TablePrintout invoice;
    invoice.label = "Rechnung Nr.:";
    invoice.number = invoiceState().invoiceCounter;
    invoice.priceText = unitPriceText;
    invoice.amountText = lineAmountText;
    invoice.drawClosing = [](float) { drawClosing(); };
    invoice.closingTop = 220;
    return drawTablePrintout(invoice);
}

PrintResult printInvoice() {
    if (const PrintResult begun = beginPrintout("test"); !begun)
        return begun;
    const bool drawn = drawInvoice();
    if (!endPrintout() || !drawn)
        return {PrintOutcome::Refused};
    invoiceState().printedFlag = 1;
    return {};
}
