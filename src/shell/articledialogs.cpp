#include "shell/articledialogs.h"

#include "money/money.h"
#include "runtime/fieldchecks.h"
#include "shell/labelledfields.h"
#include "shell/mainwindow.h"
#include "shell/takenrow.h"
#include "state/invoicestate.h"
#include "state/linetax.h"
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
constexpr int kRateColumn = kArticleTaxColumn;
constexpr int kCategoryColumn = kArticleTaxColumn + 1;
constexpr int kUnitColumn = kArticleTaxColumn + 2;
constexpr std::size_t kColumns = 7;

/// The article edit values are the current article of the invoice line dialog, in column order.
std::array<std::string*, kColumns> articleValues() {
    InvoiceState& state = invoiceState();
    return {&state.articleName, &state.articleCategory,    &state.unitPriceText, &state.articleDescription,
            &state.articleRate, &state.articleTaxCategory, &state.articleUnit};
}

// USt-Satz (empty: the options' rate), Steuerkategorie and Einheit in the free area right of the
// first three fields.
void createTaxControls(const std::array<std::string, kColumns>& texts) {
    createLabel(kAnonymous, 140, 10, 100, 20, "USt-Satz");
    createTextField(kArticleRateField, 140, 30, 50, 20, texts[kRateColumn]);
    setTooltip(kArticleRateField, "Leer: der Steuersatz der Optionen");
    setForbiddenCharacters(kArticleRateField, kRecordBreakers);
    createLabel(kAnonymous, 140, 60, 100, 20, "Steuerkategorie");
    createComboBox(kArticleCategoryBox, 140, 80, 100, 22, pickChoices(taxCategories()));
    setState(kArticleCategoryBox, pickOfCode(taxCategories(), texts[kCategoryColumn]));
    createLabel(kAnonymous, 140, 110, 100, 20, "Einheit");
    createComboBox(kArticleUnitBox, 140, 130, 100, 22, pickChoices(lineUnits()));
    setState(kArticleUnitBox, pickOfCode(lineUnits(), texts[kUnitColumn]));
}

std::array<std::string, kColumns> readDialog(int firstField) {
    std::array<std::string, kColumns> texts;
    readLabelledFields(firstField, std::span(texts).first(kFieldPlaces.size()));
    texts[kRateColumn] = getText(kArticleRateField);
    texts[kCategoryColumn] = codeAtPick(taxCategories(), getState(kArticleCategoryBox));
    texts[kUnitColumn] = codeAtPick(lineUnits(), getState(kArticleUnitBox));
    return texts;
}

// Builds an article dialog as window 1, its fields filled from texts. False when the window could
// not be opened; then no controls are made.
bool openArticleDialog(const char* title, int firstField, int okButton,
                       const std::array<std::string, kColumns>& texts) {
    if (!openWindow(kDialogWindow, 100, 100, 250, 250, title, kWindowCentred, kMainWindow))
        return false;
    useControlList(kDialogWindow);
    createPushButton(okButton, 10, 210, 30, 30, "OK");
    createLabelledFields(kFieldPlaces, firstField, std::span(texts).first(kFieldPlaces.size()));
    createTaxControls(texts);
    setDialogKeys(kDialogWindow, okButton);
    focusControl(firstField);
    return true;
}

// Why the texts cannot be an article, or "" when they can. Articles already in the files keep what
// they hold; only what is typed here must have a designation and a price that is an amount as a whole.
std::string refusalOf(const std::array<std::string, kColumns>& texts) {
    if (!hasText(texts[kDesignationColumn]))
        return "Bitte eine Bezeichnung eingeben.";
    const money::Reading price = money::read(texts[kPriceColumn], money::Price::kDecimals);
    if (!price.found || !price.whole || price.overflow)
        return "Der Preis \x84" + texts[kPriceColumn] + "\x93 ist kein g\xFCltiger Betrag.";
    return lineTaxRefusal(texts[kRateColumn], texts[kCategoryColumn], texts[kUnitColumn]);
}

std::string joinedCells(const std::array<std::string, kColumns>& texts) {
    std::string row = texts[0];
    for (std::size_t i = 1; i < texts.size(); ++i)
        row.append("\n").append(texts[i]);
    return row;
}

// Takes the fields into the article edit values and puts them into the list as one row: appended, or
// for a change where its row was taken from. A refused text keeps the dialog open as it is.
void putRowAndClose(int firstField, bool change) {
    const std::array<std::string, kColumns> texts = readDialog(firstField);
    if (const std::string refusal = refusalOf(texts); !refusal.empty()) {
        messageBox("Hinweis!", refusal, kMessageOk);
        return;
    }
    const std::array<std::string*, kColumns> values = articleValues();
    for (std::size_t i = 0; i < values.size(); ++i)
        *values[i] = texts[i];
    markDataChanged();
    if (change)
        putEditedRowBack(kArticleList, texts);
    else
        addRow(kArticleList, -1, joinedCells(texts));
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
    const std::array<std::string*, kColumns> values = articleValues();
    const std::vector<std::string>& cells = shellState().takenRow->cells;
    std::array<std::string, kColumns> texts;
    for (std::size_t i = 0; i < values.size(); ++i)
        texts[i] = *values[i] = i < cells.size() ? cells[i] : std::string();
    shellState().savedFlag = 0;
    giveRowBackUnlessChanged(
        openArticleDialog("Artikeldaten editieren", kChangeArticleFirstField, kChangeArticleOkButton, texts));
}

void newArticleOkClicked() {
    putRowAndClose(kNewArticleFirstField, false);
}

void changeArticleOkClicked() {
    putRowAndClose(kChangeArticleFirstField, true);
}
