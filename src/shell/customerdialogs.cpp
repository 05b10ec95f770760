#include "shell/customerdialogs.h"

#include "shell/labelledfields.h"
#include "shell/mainwindow.h"
#include "state/customeredit.h"
#include "state/shellstate.h"
#include "toolkit/toolkit.h"

#include <array>
#include <string>

namespace {

constexpr std::array<FieldPlace, 6> kFieldPlaces = {{
    {10, 50, 50, "Anrede"},
    {60, 100, 100, "Name"},
    {110, 120, 120, "Vorname"},
    {160, 120, 120, "Zusatz"},
    {210, 180, 180, "Strasse"},
    {260, 180, 180, "Wohnort"},
}};

// Builds a customer dialog as window 1 with its fields filled from values. False when the window
// could not be opened; then no controls are made.
bool openCustomerDialog(const char* title, int firstField, int okButton, const CustomerValues& values) {
    if (!openWindow(kDialogWindow, 100, 100, 200, 350, title, kWindowCentred, kMainWindow))
        return false;
    useControlList(kDialogWindow);
    createPushButton(okButton, 10, 310, 30, 30, "OK");
    createLabelledFields(kFieldPlaces, firstField, values);
    return true;
}

// The row text of addRow: the six values and the six hidden e-invoice values joined by line feeds.
std::string rowText(const CustomerEdit& edit) {
    std::string row = edit.values[0];
    for (std::size_t i = 1; i < edit.values.size(); ++i)
        row += '\n' + edit.values[i];
    for (const std::string& value : edit.einvoice)
        row += '\n' + value;
    return row;
}

// The customer edit values as a row at position (-1 or past the end appends); the dialog closes.
void putRowAndClose(int position) {
    shellState().savedFlag = 0;
    addRow(kCustomerList, position, rowText(customerEdit()));
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
    shell.selectedRow = getState(kCustomerList);
    shell.savedFlag = 0;
    removeRow(kCustomerList, shell.selectedRow);
}

void changeCustomerClicked() {
    ShellState& shell = shellState();
    CustomerValues& values = customerEdit().values;
    shell.selectedRow = getState(kCustomerList);
    // With no selection, row -1 reads as the column titles.
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = getCell(kCustomerList, shell.selectedRow, static_cast<int>(i));
    // The hidden cells go back with the edited row; their column titles are empty.
    CustomerEInvoiceValues& einvoice = customerEdit().einvoice;
    for (std::size_t i = 0; i < einvoice.size(); ++i)
        einvoice[i] =
            getCell(kCustomerList, shell.selectedRow, kCustomerEInvoiceColumn + static_cast<int>(i));
    removeRow(kCustomerList, shell.selectedRow);
    shell.savedFlag = 0;
    openCustomerDialog("Personendaten editieren", kChangeCustomerFirstField, kChangeCustomerOkButton, values);
}

void newCustomerOkClicked() {
    readLabelledFields(kNewCustomerFirstField, customerEdit().values);
    putRowAndClose(-1);
}

void changeCustomerOkClicked() {
    readLabelledFields(kChangeCustomerFirstField, customerEdit().values);
    // SelectedRow may have been changed by another handler meanwhile; past the end appends.
    putRowAndClose(shellState().selectedRow);
}
