#include "shell/articledialogs.h"

#include "money/money.h"
#include "shell/labelledfields.h"
#include "shell/mainwindow.h"
#include "shell/takenrow.h"
#include "state/invoicestate.h"
#include "state/shellstate.h"
#include "toolkit/toolkit.h"

#include <array>
#include <string>
#include <vector>

namespace {

constexpr std::array<FieldPlace, 4> kFieldPlaces = {{
    {10, 100, 100, "Bezeichnung"},
    {60, 120, 120, "Kategorie"},
    {110, 40, 40, "Preis"},
    {160, 180, 220, "Beschreibung"},
}};

constexpr int kDesignationColumn = 0;
constexpr int kPriceColumn = 2;

/// The article edit values are the current article of the invoice line dialog, in column order.
std::array<std::string*, 4> articleValues() {
    InvoiceState& state = invoiceState();
    return {&state.articleName, &state.articleCategory, &state.unitPriceText, &state.articleDescription};
}

// Builds an article dialog as window 1, its fields filled from texts. False when the window could
// not be opened; then no controls are made.
bool openArticleDialog(const char* title, int firstField, int okButton,
                       const std::array<std::string, 4>& texts) {
    if (!openWindow(kDialogWindow, 100, 100, 250, 250, title, kWindowCentred, kMainWindow))
        return false;
    useControlList(kDialogWindow);
    createPushButton(okButton, 10, 210, 30, 30, "OK");
    createLabelledFields(kFieldPlaces, firstField, texts);
    setDialogKeys(kDialogWindow, okButton);
    focusControl(firstField);
    return true;
}

// Why the texts cannot be an article, or "" when they can. Articles already in the files keep what
// they hold; only what is typed here must have a designation and a price that is an amount as a whole.
std::string refusalOf(const std::array<std::string, 4>& texts) {
    if (!hasText(texts[kDesignationColumn]))
        return "Bitte eine Bezeichnung eingeben.";
    const money::Reading price = money::read(texts[kPriceColumn], money::Price::kDecimals);
    if (!price.found || !price.whole || price.overflow)
        return "Der Preis \x84" + texts[kPriceColumn] + "\x93 ist kein g\xFCltiger Betrag.";
    return {};
}

// Takes the fields into the article edit values and puts them into the list as one row: appended, or
// for a change where its row was taken from. A refused text keeps the dialog open as it is.
void putRowAndClose(int firstField, bool change) {
    std::array<std::string, 4> texts;
    readLabelledFields(firstField, texts);
    if (const std::string refusal = refusalOf(texts); !refusal.empty()) {
        messageBox("Hinweis!", refusal, kMessageOk);
        return;
    }
    const std::array<std::string*, 4> values = articleValues();
    for (std::size_t i = 0; i < values.size(); ++i)
        *values[i] = texts[i];
    markDataChanged();
    if (change)
        putEditedRowBack(kArticleList, texts);
    else
        addRow(kArticleList, -1, texts[0] + '\n' + texts[1] + '\n' + texts[2] + '\n' + texts[3]);
    closeWindow(kDialogWindow);
    activateWindow(kMainWindow);
}

} // namespace

void newArticleClicked() {
    shellState().savedFlag = 0;
    openArticleDialog("Neuer Eintrag", kNewArticleFirstField, kNewArticleOkButton, {});
}

void deleteArticleClicked() {
    ShellState& shell = shellState();
    const int r = getState(kArticleList);
    shell.selectedRow = r;
    if (r == -1 || messageBox("Hinweis!",
                              "Soll der Artikel \x84" + getCell(kArticleList, r, kDesignationColumn) +
                                  "\x93 wirklich gel\xF6scht werden?",
                              kMessageYesNo) != kAnswerYes)
        return;
    markDataChanged();
    removeRow(kArticleList, r);
    rowDeleted(kArticleList, r);
}

void changeArticleClicked() {
    if (!takeSelectedRow(kArticleList, "Bitte zuerst einen Artikel markieren."))
        return;
    const std::array<std::string*, 4> values = articleValues();
    const std::vector<std::string>& cells = shellState().takenRow->cells;
    for (std::size_t i = 0; i < values.size(); ++i)
        *values[i] = i < cells.size() ? cells[i] : std::string();
    shellState().savedFlag = 0;
    giveRowBackUnlessChanged(openArticleDialog("Artikeldaten editieren", kChangeArticleFirstField,
                                               kChangeArticleOkButton,
                                               {*values[0], *values[1], *values[2], *values[3]}));
}

void newArticleOkClicked() {
    putRowAndClose(kNewArticleFirstField, false);
}

void changeArticleOkClicked() {
    putRowAndClose(kChangeArticleFirstField, true);
}
