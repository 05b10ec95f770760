#include "invoicing/linedialog.h"

#include "invoicing/newinvoicewindow.h"
#include "runtime/conversions.h"
#include "runtime/numbers.h"
#include "state/invoicestate.h"
#include "state/shellstate.h"
#include "toolkit/toolkit.h"

namespace {

void createControls() {
    createPushButton(kLineOkButton, 400, 10, 30, 30, "OK");
    createLabel(kAnonymous, 10, 40, 100, 20, "Bezeichnung");
    createLabel(kAnonymous, 120, 40, 40, 20, "Menge");
    createLabel(kAnonymous, 170, 40, 40, 20, "Einz.pr.");
    createPickList(kArticlePicks, 10, 70, 100, 80);
    setTooltip(kArticlePicks, "Artikel ausw\xE4hlen mit Doppelklick links");
    createTextField(kQuantityField, 120, 70, 40, 20, "");
    createTextField(kPriceField, 170, 70, 40, 20, "");
}

} // namespace

float lineTotalOf(std::int32_t quantity, std::string_view priceText) {
    const float unitPrice = parseFloat(replaceAll(priceText, ",", "."));
    // The quantity goes to double exactly; only the product is rounded.
    return static_cast<float>(static_cast<double>(quantity) * unitPrice);
}

void openLineDialog() {
    // Window 2 replaces a dialog that is still open and goes with the new-invoice window.
    if (!openWindow(kLineDialog, 100, 100, 450, 160, "Neuer Rechnungseintrag", kWindowCentred, kDialogWindow))
        return;
    useControlList(kLineDialog);
    // The controls; both fields start empty.
    createControls();
    // The designations, in the order of the article list, so pick row r is article row r.
    const int articles = rowCount(kArticleList);
    for (int r = 0; r < articles; ++r)
        addRow(kArticlePicks, -1, getCell(kArticleList, r, 0));
}

void takeArticle() {
    const int r = getState(kArticlePicks);
    shellState().selectedRow = r;
    if (r == -1)
        return;
    // The article list is read now, so a changed list gives whatever article has this index.
    InvoiceState& invoice = invoiceState();
    invoice.articleName = getCell(kArticleList, r, 0);
    invoice.unitPriceText = getCell(kArticleList, r, 2);
    invoice.articleDescription = getCell(kArticleList, r, 3);
    setText(kPriceField, invoice.unitPriceText);
}

void addLineClicked() {
    InvoiceState& invoice = invoiceState();
    // The price field only shows the price: the article's text is what counts. Read with
    // "," as the point, it is kept with every "." shown as "," and otherwise as typed.
    const std::int32_t quantity = parseInt(getText(kQuantityField));
    const float lineTotal = lineTotalOf(quantity, invoice.unitPriceText);
    invoice.unitPriceText = replaceAll(invoice.unitPriceText, ".", ",");
    // The running total is rounded to single precision after each addition.
    const std::string lineTotalText = amountText(lineTotal);
    invoice.invoiceTotal = static_cast<float>(static_cast<double>(invoice.invoiceTotal) + lineTotal);
    // The new line goes to the end; its position is its place there.
    addRow(kLinesList, -1,
           formatInt(rowCount(kLinesList) + 1) + "\n" + invoice.articleName + "\n" +
               invoice.articleDescription + "\n" + invoice.unitPriceText + "\n" + formatInt(quantity) + "\n" +
               lineTotalText);
    closeWindow(kLineDialog);
    activateWindow(kDialogWindow);
}
