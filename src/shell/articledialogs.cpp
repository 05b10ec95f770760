#include "shell/articledialogs.h"

#include "shell/labelledfields.h"
#include "shell/mainwindow.h"
#include "state/invoicestate.h"
#include "state/shellstate.h"
#include "toolkit/toolkit.h"

#include <array>
#include <string>

namespace {

constexpr std::array<FieldPlace, 4> kFieldPlaces = {{
    {10, 100, 100, "Bezeichnung"},
    {60, 120, 120, "Kategorie"},
    {110, 40, 40, "Preis"},
    {160, 180, 220, "Beschreibung"},
}};

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
    return true;
}

// Takes the fields into the article edit values, then puts them into the list as one row.
void putRowAndClose(int firstField, int position) {
    std::array<std::string, 4> texts;
    readLabelledFields(firstField, texts);
    const std::array<std::string*, 4> values = articleValues();
    for (std::size_t i = 0; i < values.size(); ++i)
        *values[i] = texts[i];
    shellState().savedFlag = 0;
    addRow(kArticleList, position, *values[0] + '\n' + *values[1] + '\n' + *values[2] + '\n' + *values[3]);
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
    shell.selectedRow = getState(kArticleList);
    shell.savedFlag = 0;
    removeRow(kArticleList, shell.selectedRow);
}

void changeArticleClicked() {
    ShellState& shell = shellState();
    const std::array<std::string*, 4> values = articleValues();
    shell.selectedRow = getState(kArticleList);
    // With no selection, row -1 reads as the column titles.
    for (std::size_t i = 0; i < values.size(); ++i)
        *values[i] = getCell(kArticleList, shell.selectedRow, static_cast<int>(i));
    removeRow(kArticleList, shell.selectedRow);
    shell.savedFlag = 0;
    openArticleDialog("Artikeldaten editieren", kChangeArticleFirstField, kChangeArticleOkButton,
                      {*values[0], *values[1], *values[2], *values[3]});
}

void newArticleOkClicked() {
    putRowAndClose(kNewArticleFirstField, -1);
}

void changeArticleOkClicked() {
    // SelectedRow may have been changed by another handler meanwhile; past the end appends.
    putRowAndClose(kChangeArticleFirstField, shellState().selectedRow);
}
