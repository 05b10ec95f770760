#include "invoicing/invoicefields.h"

#include "invoicing/newinvoicewindow.h"
#include "runtime/conversions.h"
#include "runtime/fieldchecks.h"
#include "runtime/listsearch.h"
#include "runtime/numbers.h"
#include "state/companydata.h"
#include "state/invoicestate.h"
#include "state/offerstate.h"
#include "toolkit/toolkit.h"

#include <array>
#include <string>

namespace {

// Name, first name, Wohnort and number of the customer list, whose row r is row r of the pick list.
constexpr std::array<int, 4> kSearchedColumns = {1, 2, 5, kCustomerIdColumn};

void refuse(const std::string& text) {
    messageBox("Fehler!", text, kMessageOk);
}

} // namespace

void createInvoiceFields() {
    // Created in their Tab order, after the pick list and before the buttons.
    createLabel(kAnonymous, 320, 10, 80, 20, "Kunde suchen");
    createTextField(kCustomerSearchField, 400, 10, 130, 20, "");
    setForbiddenCharacters(kCustomerSearchField, kRecordBreakers);
    reportEdits(kCustomerSearchField);
    createLabel(kCustomerNotFoundLabel, 400, 32, 130, 16, "");
    createLabel(kAnonymous, 120, 10, 95, 20, "Leistungsdatum");
    createTextField(kDeliveryDateField, 220, 10, 75, 20, formatDate("%dd.%mm.%yyyy", currentDate()));
    setForbiddenCharacters(kDeliveryDateField, kRecordBreakers);
    const CompanyData& company = companyData();
    // An offer asks for no payment.
    if (!company.present || offerState().composingOffer)
        return;
    createLabel(kAnonymous, 120, 35, 95, 20, "Zahlungsziel (Tage)");
    createTextField(kPaymentDaysField, 220, 35, 35, 20, company.paymentDays);
    setForbiddenCharacters(kPaymentDaysField, kRecordBreakers);
}

bool takeDeliveryDate() {
    const std::string date = getText(kDeliveryDateField);
    if (!parseDate(date)) {
        refuse("Das Leistungsdatum \x84" + date + "\x93 ist kein g\xFCltiges Datum (TT.MM.JJJJ).");
        return false;
    }
    invoiceState().deliveryDateText = date;
    return true;
}

bool takeInvoiceFields() {
    if (!takeDeliveryDate())
        return false;
    int days = 0;
    if (companyData().present && !offerState().composingOffer) {
        const std::string typed = getText(kPaymentDaysField);
        const std::optional<int> parsed = paymentDaysOf(typed);
        if (!parsed) {
            refuse("Das Zahlungsziel \x84" + typed + "\x93 ist keine g\xFCltige Zahl von Tagen (0 bis 365).");
            return false;
        }
        days = *parsed;
    }
    invoiceState().paymentDays = days;
    return true;
}

void customerSearchEdited() {
    const std::string typed = getText(kCustomerSearchField);
    const int row = findRowWith(kCustomerList, kSearchedColumns, typed);
    setText(kCustomerNotFoundLabel, row == -1 && !typed.empty() ? "Nicht gefunden" : "");
    if (row == -1)
        return;
    showRow(kCustomerPicks, row);
    chooseCustomer();
}
