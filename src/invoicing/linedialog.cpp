#include "invoicing/linedialog.h"

#include "invoicing/newinvoicewindow.h"
#include "money/money.h"
#include "runtime/conversions.h"
#include "runtime/fieldchecks.h"
#include "runtime/numbers.h"
#include "state/invoicestate.h"
#include "state/linetax.h"
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
    // The article's rate and unit, which this line may change.
    createLabel(kAnonymous, 220, 40, 60, 20, "USt-Satz");
    createTextField(kLineRateField, 220, 70, 40, 20, "");
    setForbiddenCharacters(kLineRateField, kRecordBreakers);
    createLabel(kAnonymous, 270, 40, 60, 20, "Einheit");
    createComboBox(kLineUnitBox, 270, 70, 80, 22, pickChoices(lineUnits()));
    // A free line: its own designation and description instead of an article's.
    createLabel(kAnonymous, 120, 100, 140, 20, "Freie Position: Bezeichnung");
    createTextField(kFreeNameField, 120, 120, 140, 20, "");
    setForbiddenCharacters(kFreeNameField, kRecordBreakers);
    createLabel(kAnonymous, 270, 100, 100, 20, "Beschreibung");
    createTextField(kFreeDescriptionField, 270, 120, 170, 20, "");
    setForbiddenCharacters(kFreeDescriptionField, kRecordBreakers);
}

// A designation typed into the free fields makes a free line, whatever article is highlighted.
bool freeLine() {
    const std::string name = getText(kFreeNameField);
    return name.find_first_not_of(" \t") != std::string::npos;
}

// Why "OK" cannot make a line of what the dialog shows, or "" when it can.
std::string refusalOfLine() {
    const int r = getState(kArticlePicks);
    const bool free = freeLine();
    if (!free && (r < 0 || r >= rowCount(kArticleList)))
        return "Bitte einen Artikel ausw\xE4hlen.";
    const std::string quantity = getText(kQuantityField);
    const money::Reading amount = money::read(quantity, money::Quantity::kDecimals);
    if (!amount.found || amount.overflow || amount.units == 0)
        return "Die Menge \x84" + quantity + "\x93 ist keine g\xFCltige Zahl.";
    const std::string price = getText(kPriceField);
    const money::Reading unitPrice = money::read(price, money::Price::kDecimals);
    if (!unitPrice.found || unitPrice.overflow)
        return "Der Preis \x84" + price + "\x93 ist kein g\xFCltiger Betrag.";
    return lineTaxRefusal(getText(kLineRateField),
                          free ? "" : getCell(kArticleList, r, kArticleTaxColumn + 1), {});
}

} // namespace

void openLineDialog() {
    // Window 2 replaces a dialog that is still open and goes with the new-invoice window.
    if (!openWindow(kLineDialog, 100, 100, 450, 160, "Neuer Rechnungseintrag", kWindowCentred, kDialogWindow))
        return;
    useControlList(kLineDialog);
    // The controls; both fields start empty.
    createControls();
    setDialogKeys(kLineDialog, kLineOkButton);
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
    // The article list is read now, so a changed list gives whatever article has this index; its
    // price goes into the field, where the user may change it for this line.
    InvoiceState& invoice = invoiceState();
    invoice.articleName = getCell(kArticleList, r, 0);
    invoice.unitPriceText = getCell(kArticleList, r, 2);
    invoice.articleDescription = getCell(kArticleList, r, 3);
    setText(kPriceField, invoice.unitPriceText);
    setText(kLineRateField, getCell(kArticleList, r, kArticleTaxColumn));
    setState(kLineUnitBox, pickOfCode(lineUnits(), getCell(kArticleList, r, kArticleTaxColumn + 2)));
}

void addLineClicked() {
    if (const std::string refusal = refusalOfLine(); !refusal.empty()) {
        messageBox("Hinweis!", refusal, kMessageOk);
        return;
    }
    const std::string priceText = getText(kPriceField);
    const auto quantity = money::parse<money::Quantity>(getText(kQuantityField));
    const std::optional<money::Amount> amount =
        money::lineAmount(quantity, money::parse<money::Price>(priceText));
    // The invoice's total must stay countable too, so that the line can be printed with it.
    if (!amount || !money::add(sumOfLines().value_or(money::Amount{}), *amount)) {
        messageBox("Fehler!", "Der Betrag ist zu gro\xDF.", kMessageOk);
        return;
    }
    // The highlighted article, or the free line, at the price in the field, which is this line's alone.
    InvoiceState& invoice = invoiceState();
    const int r = getState(kArticlePicks);
    const bool free = freeLine();
    invoice.articleName = free ? getText(kFreeNameField) : getCell(kArticleList, r, 0);
    invoice.articleDescription = free ? getText(kFreeDescriptionField) : getCell(kArticleList, r, 3);
    const std::string category = free ? std::string() : getCell(kArticleList, r, kArticleTaxColumn + 1);
    invoice.unitPriceText = money::priceColumnText(priceText);
    // The new line goes to the end; its position is its place there. Behind the columns on view, its
    // rate, the article's category and its unit, empty where the defaults hold.
    addRow(kLinesList, -1,
           formatInt(rowCount(kLinesList) + 1) + "\n" + invoice.articleName + "\n" +
               invoice.articleDescription + "\n" + invoice.unitPriceText + "\n" +
               money::formatQuantity(quantity) + "\n" + money::formatAmount(*amount) + "\n" +
               getText(kLineRateField) + "\n" + category + "\n" +
               codeAtPick(lineUnits(), getState(kLineUnitBox)));
    invoice.invoiceTotal = sumOfLines().value_or(invoice.invoiceTotal);
    showRunningTotal();
    closeWindow(kLineDialog);
    activateWindow(kDialogWindow);
}
