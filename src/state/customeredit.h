#pragma once
// The customer edit values: the six texts a customer dialog works on, filled by "Ändern" from the
// row taken out of the list and by the dialogs' "OK" from the fields, and the six e-invoice values
// kept with them in the row's hidden cells.

#include <array>
#include <cstdint>
#include <string>

/// "Anrede", "Name", "Vorname", "Zusatz", "Strasse", "Wohnort", in the order of the list's columns.
using CustomerValues = std::array<std::string, 6>;
/// "E-Mail", "Leitweg-ID", "USt-IdNr.", "PLZ", "Ort", "Land", in the order of the hidden columns.
using CustomerEInvoiceValues = std::array<std::string, 6>;

struct CustomerEdit {
    CustomerValues values;
    /// All empty for a customer without e-invoice data.
    CustomerEInvoiceValues einvoice;
    /// The row the e-invoice dialog was opened for.
    int einvoiceRow = -1;
    /// The highest customer number given so far, deleted customers' included; Daten.dat keeps it while
    /// no customer holds it.
    std::int32_t highestNumber = 0;
};

/// The one set of customer edit values of the program.
CustomerEdit& customerEdit();
/// Back to the state at start: every text empty.
void resetCustomerEdit();
