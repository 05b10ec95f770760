#pragma once
// The invoice being composed: the chosen customer, the running total, the invoice number, and the
// current article. The printouts and the invoice files read it; the invoicing windows change it.

#include "money/money.h"
#include "runtime/conversions.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct InvoiceState {
    /// Number of the last invoice created; stored as the last line of Daten.dat.
    std::int32_t invoiceCounter = 0;
    /// 0-based row of the chosen customer in the customer list; -1 while none is chosen.
    std::int32_t customerIndex = -1;
    /// The customer's 1-based place in the customer list when chosen.
    std::string customerNumberText;
    std::string customerSalutation;
    /// "Vorname", a blank, "Name".
    std::string customerFullName;
    std::string customerAddition;
    std::string customerStreet;
    std::string customerTown;
    /// Every cell of the chosen customer's row, shown and hidden, as they were when it was chosen: the
    /// register and the e-invoice read the customer from here, as the printouts do from the fields above.
    std::vector<std::string> customerCells;
    /// The chosen customer's Steuerfall: "" at home, "AE" reverse charge, "K" intra-community supply,
    /// "G" export; every line of the invoice then has that category at 0 %.
    std::string customerTaxCase;
    /// "Name" of the customer row, taken from customerCells when the invoice is registered.
    std::string customerLastName;
    /// Running total: the sum of the lines' amounts as the lines list shows them.
    money::Amount invoiceTotal;
    /// invoiceTotal with two decimals and a decimal comma.
    std::string invoiceTotalText;
    std::string invoiceDateText;
    /// The day of the document being made, on paper ("Datum:", "Zahlbar bis"), in the register and in
    /// the e-invoice: the clock is read once, when "Rechnung erstellen" or "Lieferschein erstellen" is
    /// pressed. nullopt until then.
    std::optional<DateValue> issueDate;
    /// 1 once the invoice printout has drawn its page.
    int printedFlag = 0;
    /// invoiceCounter + 1, printed on a delivery note.
    std::int32_t deliveryNoteNumber = 0;
    /// Rows of the lines list, set before either printout.
    std::int32_t invoiceLineCount = 0;
    /// Leistungsdatum as typed in the new-invoice window (dd.mm.yyyy), set before either printout.
    std::string deliveryDateText;
    /// Zahlungsziel in days, set before the invoice printout; 0 without company data.
    int paymentDays = 0;

    // The current article, shared with the article dialogs.
    std::string articleName;
    std::string articleCategory;
    std::string unitPriceText;
    std::string articleDescription;
    /// The current article's USt-Satz, Steuerkategorie and Einheit as the article list keeps them.
    std::string articleRate;
    std::string articleTaxCategory;
    std::string articleUnit;
};

/// The invoice's issueDate; the clock now while it has none.
DateValue issueDateOrNow(const InvoiceState& invoice);

/// The one invoice state of the program.
InvoiceState& invoiceState();
/// Back to the state at start.
void resetInvoiceState();
