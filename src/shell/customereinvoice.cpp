#include "shell/customereinvoice.h"

#include "runtime/fieldchecks.h"
#include "runtime/wohnort.h"
#include "shell/labelledfields.h"
#include "state/customeredit.h"
#include "state/shellstate.h"
#include "toolkit/toolkit.h"

#include <array>
#include <string>

namespace {

constexpr std::array<FieldPlace, 6> kFieldPlaces = {{
    {10, 220, 220, "E-Mail"},
    {60, 220, 220, "Leitweg-ID / K\xE4uferreferenz"},
    {110, 220, 150, "USt-IdNr. des Kunden"},
    {160, 60, 60, "PLZ"},
    {210, 180, 180, "Ort"},
    {260, 60, 30, "Land"},
}};
constexpr std::size_t kEmail = 0;
constexpr std::size_t kLeitwegId = 1;
constexpr std::size_t kVatId = 2;
constexpr std::size_t kPostcode = 3;
constexpr std::size_t kTown = 4;
constexpr std::size_t kCountry = 5;
constexpr int kWohnortColumn = 5;
// The Steuerfall's choices and the category each gives every line.
constexpr const char* kTaxCaseChoices = "Inland\nReverse Charge (\xA7 13b UStG)\nInnergemeinschaftliche "
                                        "Lieferung\nAusfuhr (Drittland)";
constexpr std::array<const char*, 4> kTaxCaseCodes = {"", "AE", "K", "G"};

int taxCaseIndex(std::string_view code) {
    for (std::size_t i = 0; i < kTaxCaseCodes.size(); ++i) {
        if (code == kTaxCaseCodes[i])
            return static_cast<int>(i);
    }
    return 0;
}

CustomerValues visibleCells(int row) {
    CustomerValues cells;
    for (std::size_t c = 0; c < cells.size(); ++c)
        cells[c] = getCell(kCustomerList, row, static_cast<int>(c));
    return cells;
}

// "12345 Großstadt" gives postcode and town when the customer has neither yet.
void takePlaceFromWohnort(CustomerEInvoiceValues& values, const std::string& wohnort) {
    if (!values[kPostcode].empty() || !values[kTown].empty())
        return;
    WohnortPlace place = placeOfWohnort(wohnort);
    values[kPostcode] = std::move(place.postcode);
    values[kTown] = std::move(place.town);
}

const char* firstRefusal(const CustomerEInvoiceValues& values) {
    const std::string& country = values[kCountry];
    if (!passesRule(FieldRule::Email, values[kEmail]))
        return refusalMessage(FieldRule::Email);
    if (!passesRule(FieldRule::LeitwegId, values[kLeitwegId]))
        return refusalMessage(FieldRule::LeitwegId);
    if (!passesRule(FieldRule::VatId, values[kVatId]))
        return refusalMessage(FieldRule::VatId);
    if (!country.empty() && !passesRule(FieldRule::CountryCode, country))
        return refusalMessage(FieldRule::CountryCode);
    // No country is the default one, as in the e-invoice.
    if (!passesRule(FieldRule::Postcode, values[kPostcode], country.empty() ? "DE" : country))
        return refusalMessage(FieldRule::Postcode);
    return nullptr;
}

// Only the default country and nothing else is no e-invoice data: the row stays as it was before.
bool holdsData(const CustomerEInvoiceValues& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i != kCountry && !values[i].empty())
            return true;
    }
    return !values[kCountry].empty() && values[kCountry] != "DE";
}

void closeDialog() {
    closeWindow(kDialogWindow);
    activateWindow(kMainWindow);
}

} // namespace

void placeFollowsWohnort(std::span<std::string> cells, std::string_view wohnort) {
    if (cells.size() < static_cast<std::size_t>(kCustomerEInvoiceColumn + kCustomerEInvoiceColumns))
        return;
    const std::span<std::string> values = cells.subspan(kCustomerEInvoiceColumn, kCustomerEInvoiceColumns);
    const WohnortPlace stored{values[kPostcode], values[kTown]};
    // None stored: the e-invoice takes them from the Wohnort when it is made. Typed ones stay as typed.
    if (stored == WohnortPlace{} || stored != placeOfWohnort(cells[kWohnortColumn]))
        return;
    WohnortPlace place = placeOfWohnort(wohnort);
    values[kPostcode] = std::move(place.postcode);
    values[kTown] = std::move(place.town);
    CustomerEInvoiceValues kept;
    std::copy(values.begin(), values.end(), kept.begin());
    if (!holdsData(kept))
        std::fill(values.begin(), values.end(), std::string());
}

void customerEInvoiceClicked() {
    if (getState(kCustomerList) < 0) {
        messageBox("Hinweis!", "Bitte zuerst einen Kunden markieren.", kMessageOk);
        return;
    }
    // An open change dialog gives its row back first, so that the selection is read with it in place.
    if (!mayReplaceWindow(kDialogWindow))
        return;
    closeWindow(kDialogWindow);
    const int row = getState(kCustomerList);
    if (row < 0)
        return;
    CustomerEdit& edit = customerEdit();
    edit.einvoiceRow = row;
    edit.values = visibleCells(row);
    for (std::size_t i = 0; i < edit.einvoice.size(); ++i)
        edit.einvoice[i] = getCell(kCustomerList, row, kCustomerEInvoiceColumn + static_cast<int>(i));
    takePlaceFromWohnort(edit.einvoice, edit.values[kWohnortColumn]);
    if (edit.einvoice[kCountry].empty())
        edit.einvoice[kCountry] = "DE";
    if (!openWindow(kDialogWindow, 100, 100, 240, 400, "E-Rechnungsdaten", kWindowCentred, kMainWindow))
        return;
    useControlList(kDialogWindow);
    createPushButton(kCustomerEInvoiceOkButton, 10, 360, 30, 30, "OK");
    createLabelledFields(kFieldPlaces, kCustomerEInvoiceFirstField, edit.einvoice, kRecordBreakers);
    createLabel(kAnonymous, 10, 310, 220, 20, "Steuerfall");
    createComboBox(kCustomerTaxCaseBox, 10, 330, 220, 22, kTaxCaseChoices);
    setState(kCustomerTaxCaseBox, taxCaseIndex(getCell(kCustomerList, row, kCustomerTaxCaseColumn)));
    setDialogKeys(kDialogWindow, kCustomerEInvoiceOkButton);
}

void customerEInvoiceOkClicked() {
    CustomerEdit& edit = customerEdit();
    CustomerEInvoiceValues values;
    readLabelledFields(kCustomerEInvoiceFirstField, values);
    values[kCountry] = upperCaseCode(values[kCountry]);
    values[kVatId] = vatIdAsStored(values[kVatId]);
    // A Leitweg-ID of blanks only would make every invoice an XRechnung that cannot be written.
    if (isBlankValue(values[kLeitwegId]))
        values[kLeitwegId].clear();
    if (const char* refusal = firstRefusal(values)) {
        messageBox("Fehler!", refusal, kMessageOk);
        return;
    }
    if (!holdsData(values))
        values = {};
    const int taxCase = getState(kCustomerTaxCaseBox);
    const std::string taxCaseCode = taxCase > 0 && taxCase < 4 ? kTaxCaseCodes[taxCase] : "";
    // The row may have been deleted or changed while the dialog was open; its data go to no other.
    const int row = edit.einvoiceRow;
    if (row < 0 || row >= rowCount(kCustomerList) || visibleCells(row) != edit.values) {
        messageBox("Hinweis!",
                   "Der Kunde wurde inzwischen ge\xE4ndert oder gel\xF6scht; die E-Rechnungsdaten wurden "
                   "nicht \xFC"
                   "bernommen.",
                   kMessageOk);
        closeDialog();
        return;
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int column = kCustomerEInvoiceColumn + static_cast<int>(i);
        if (getCell(kCustomerList, row, column) != values[i]) {
            setCell(kCustomerList, row, values[i], column);
            markDataChanged();
        }
    }
    if (getCell(kCustomerList, row, kCustomerTaxCaseColumn) != taxCaseCode) {
        setCell(kCustomerList, row, taxCaseCode, kCustomerTaxCaseColumn);
        shellState().savedFlag = 0;
    }
    edit.einvoice = values;
    closeDialog();
}
