#include "shell/customerdialogs.h"

#include "invoicing/newinvoicewindow.h"
#include "shell/customereinvoice.h"
#include "shell/labelledfields.h"
#include "shell/mainwindow.h"
#include "shell/takenrow.h"
#include "state/customeredit.h"
#include "state/customernumbers.h"
#include "state/shellstate.h"
#include "toolkit/toolkit.h"

#include <array>
#include <string>
#include <vector>

namespace {

constexpr std::array<FieldPlace, 6> kFieldPlaces = {{
    {10, 50, 50, "Anrede"},
    {60, 100, 100, "Name"},
    {110, 120, 120, "Vorname"},
    {160, 120, 120, "Zusatz"},
    {210, 180, 180, "Strasse"},
    {260, 180, 180, "Wohnort"},
}};

constexpr int kNameColumn = 1;
constexpr int kWohnortColumn = 5;

// Builds a customer dialog as window 1 with its fields filled from values. False when the window
// could not be opened; then no controls are made.
bool openCustomerDialog(const char* title, int firstField, int okButton, const CustomerValues& values) {
    if (!openWindow(kDialogWindow, 100, 100, 200, 350, title, kWindowCentred, kMainWindow))
        return false;
    useControlList(kDialogWindow);
    createPushButton(okButton, 10, 310, 30, 30, "OK");
    createLabelledFields(kFieldPlaces, firstField, values);
    setDialogKeys(kDialogWindow, okButton);
    focusControl(firstField);
    return true;
}

// The dialog's fields into the customer edit values; false, with the user told, when the name is
// missing: the dialog then stays open as it is.
bool takeFields(int firstField) {
    CustomerValues values;
    readLabelledFields(firstField, values);
    if (!hasText(values[kNameColumn])) {
        messageBox("Hinweis!", "Bitte einen Namen eingeben.", kMessageOk);
        return false;
    }
    customerEdit().values = values;
    markDataChanged();
    return true;
}

// The row text of addRow: the six values, the six hidden e-invoice values and the number joined by
// line feeds.
std::string rowText(const CustomerEdit& edit, const std::string& number) {
    std::string row = edit.values[0];
    for (std::size_t i = 1; i < edit.values.size(); ++i)
        row += '\n' + edit.values[i];
    for (const std::string& value : edit.einvoice)
        row += '\n' + value;
    return row + '\n' + number;
}

void closeDialog() {
    closeWindow(kDialogWindow);
    activateWindow(kMainWindow);
}

} // namespace

void newCustomerClicked() {
    shellState().savedFlag = 0;
    customerEdit().einvoice = {};
    openCustomerDialog("Neuer Eintrag", kNewCustomerFirstField, kNewCustomerOkButton, CustomerValues{});
}

void deleteCustomerClicked() {
    ShellState& shell = shellState();
    const int r = getState(kCustomerList);
    shell.selectedRow = r;
    if (r == -1 || messageBox("Hinweis!",
                              "Soll der Kunde \x84" + getCell(kCustomerList, r, kNameColumn) +
                                  "\x93 wirklich gel\xF6scht werden?",
                              kMessageYesNo) != kAnswerYes)
        return;
    markDataChanged();
    removeRow(kCustomerList, r);
    rowDeleted(kCustomerList, r);
    customerRowDeleted(r);
}

void changeCustomerClicked() {
    if (!takeSelectedRow(kCustomerList, "Bitte zuerst einen Kunden markieren."))
        return;
    CustomerValues& values = customerEdit().values;
    const std::vector<std::string>& cells = shellState().takenRow->cells;
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = i < cells.size() ? cells[i] : std::string();
    shellState().savedFlag = 0;
    giveRowBackUnlessChanged(openCustomerDialog("Personendaten editieren", kChangeCustomerFirstField,
                                                kChangeCustomerOkButton, values));
}

void newCustomerOkClicked() {
    if (!takeFields(kNewCustomerFirstField))
        return;
    addRow(kCustomerList, -1, rowText(customerEdit(), takeNewCustomerNumber()));
    closeDialog();
}

void changeCustomerOkClicked() {
    if (!takeFields(kChangeCustomerFirstField))
        return;
    std::optional<TakenRow>& taken = shellState().takenRow;
    if (taken && taken->list == kCustomerList)
        placeFollowsWohnort(taken->cells, customerEdit().values[kWohnortColumn]);
    putEditedRowBack(kCustomerList, customerEdit().values);
    closeDialog();
}
