#pragma once
// Adding, changing and deleting customers: the buttons of the customers page and their dialogs.

/// "Neu" (100): opens the new-customer dialog.
void newCustomerClicked();
/// "Löschen" (101): asks, then removes the selected customer row.
void deleteCustomerClicked();
/// "Ändern" (102): takes the selected row out and opens the change-customer dialog; with nothing
/// selected it only says so.
void changeCustomerClicked();
/// "OK" of the new-customer dialog (1100): appends the row, unless the name is missing.
void newCustomerOkClicked();
/// "OK" of the change-customer dialog (2100): puts the edited row back in its place, unless the name
/// is missing.
void changeCustomerOkClicked();
