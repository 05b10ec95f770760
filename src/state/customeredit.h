#pragma once
// The customer edit values: the six texts a customer dialog works on, filled by "Ändern" from the
// row taken out of the list and by the dialogs' "OK" from the fields.

#include <array>
#include <string>

/// "Anrede", "Name", "Vorname", "Zusatz", "Strasse", "Wohnort", in the order of the list's columns.
using CustomerValues = std::array<std::string, 6>;

struct CustomerEdit {
    CustomerValues values;
};

/// The one set of customer edit values of the program.
CustomerEdit& customerEdit();
/// Back to the state at start: six empty texts.
void resetCustomerEdit();
