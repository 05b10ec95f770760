#include "settings/companywindow.h"

#include "runtime/fieldchecks.h"
#include "runtime/numbers.h"
#include "settings/accountingfields.h"
#include "settings/accountingsection.h"
#include "settings/companyfile.h"
#include "settings/receivablefields.h"
#include "state/companydata.h"
#include "state/settings.h"
#include "toolkit/toolkit.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

struct CompanyField {
    const char* caption;
    int width;
    std::string CompanyData::*text;
};

// Field i is control kCompanyFirstField + i, one row of 26 pixels each.
constexpr std::array kFields = {
    CompanyField{"Firmenname", 300, &CompanyData::name},
    CompanyField{"Ansprechpartner", 300, &CompanyData::contactName},
    CompanyField{"Stra\xDF"
                 "e und Hausnummer",
                 300, &CompanyData::street},
    CompanyField{"PLZ", 60, &CompanyData::postcode},
    CompanyField{"Ort", 300, &CompanyData::city},
    CompanyField{"Land", 30, &CompanyData::countryCode},
    CompanyField{"Telefon", 160, &CompanyData::telephone},
    CompanyField{"E-Mail", 300, &CompanyData::email},
    CompanyField{"Steuernummer", 160, &CompanyData::taxNumber},
    CompanyField{"USt-IdNr.", 160, &CompanyData::vatId},
    CompanyField{"IBAN", 300, &CompanyData::iban},
    CompanyField{"BIC", 160, &CompanyData::bic},
    CompanyField{"Zahlungsziel in Tagen", 40, &CompanyData::paymentDays},
    CompanyField{"Zahlungsbedingungen", 300, &CompanyData::paymentTerms},
};
constexpr std::size_t kPostcode = 3;
constexpr std::size_t kCountry = 5;
constexpr std::size_t kTaxNumber = 8;
constexpr std::size_t kVatId = 9;

struct FieldCheck {
    std::size_t field;
    FieldRule rule;
};

// The country comes first: whether the postcode needs five digits depends on it.
constexpr std::array kChecks = {
    FieldCheck{kCountry, FieldRule::CountryCode},
    FieldCheck{kPostcode, FieldRule::Postcode},
    FieldCheck{7, FieldRule::Email},
    FieldCheck{kVatId, FieldRule::VatId},
    FieldCheck{10, FieldRule::Iban},
    FieldCheck{12, FieldRule::PaymentDays},
};

constexpr int kRowStep = 26;
constexpr int kFieldX = 185;
constexpr int kReceivablesY = 10 + kRowStep * static_cast<int>(kFields.size());
constexpr int kBelowFields = kReceivablesY + kRowStep * kReceivableFieldRows;
// The section "Buchhaltung" stands right of the e-invoice fields.
constexpr int kSectionX = 510;
constexpr int kSectionRows = 17;
constexpr int kWindowHeight = std::max(kBelowFields + 80, 10 + kRowStep * kSectionRows + 10);

using FieldTexts = std::array<std::string, kFields.size()>;

int fieldNumber(std::size_t i) {
    return kCompanyFirstField + static_cast<int>(i);
}

// The first check the texts fail, as its message; nullptr when all pass.
const char* firstRefusal(const FieldTexts& texts) {
    for (const FieldCheck& check : kChecks) {
        if (!passesRule(check.rule, texts[check.field], texts[kCountry]))
            return refusalMessage(check.rule);
    }
    return nullptr;
}

} // namespace

void openCompanyWindow() {
    if (!openWindow(kDialogWindow, 100, 100, 820, kWindowHeight, "Firmendaten", kWindowCentred, kMainWindow))
        return;
    useControlList(kDialogWindow);
    const CompanyData& company = companyData();
    // Creation order is the order in which Tab moves the focus.
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        const int y = 10 + kRowStep * static_cast<int>(i);
        std::string text = company.*kFields[i].text;
        if (i == kTaxNumber && text.empty())
            text = settings().taxNumber;
        createLabel(kAnonymous, 10, y + 3, kFieldX - 15, 20, kFields[i].caption);
        createTextField(fieldNumber(i), kFieldX, y, kFields[i].width, 20, text);
        setForbiddenCharacters(fieldNumber(i), kRecordBreakers);
    }
    createReceivableFields(kReceivablesY, kRowStep, kFieldX);
    createCheckBox(kSmallBusinessBox, kFieldX, kBelowFields + 4, 300, 20, "Kleinunternehmer (\xA7 19 UStG)");
    setState(kSmallBusinessBox, company.smallBusiness ? 1 : 0);
    createAccountingSection(kSectionX, 10, company);
    createPushButton(kSaveCompanyButton, kFieldX, kBelowFields + 38, 100, 28, "Speichern");
    setDialogKeys(kDialogWindow, kSaveCompanyButton);
}

void saveCompanyClicked() {
    FieldTexts texts;
    for (std::size_t i = 0; i < kFields.size(); ++i)
        texts[i] = getText(fieldNumber(i));
    texts[kCountry] = upperCaseCode(texts[kCountry]);
    texts[kVatId] = vatIdAsStored(texts[kVatId]);
    CompanyData& company = companyData();
    CompanyData section = company;
    readAccountingSection(section);
    const char* refusal = firstRefusal(texts);
    if (!refusal)
        refusal = receivableFieldsRefusal();
    const std::string accountingProblem = refusal ? std::string() : accountingRefusal(section);
    if (refusal || !accountingProblem.empty()) {
        messageBox("Fehler!", refusal ? std::string(refusal) : accountingProblem, kMessageOk);
        return;
    }
    company = section;
    for (std::size_t i = 0; i < kFields.size(); ++i)
        company.*kFields[i].text = texts[i];
    takeReceivableFields(company);
    company.smallBusiness = getState(kSmallBusinessBox) == 1;
    // The new values stay in memory for this run even when the file cannot be written.
    if (saveCompanyData())
        company.present = true;
    else
        messageBox("Fehler!", "Die Firmendaten konnten nicht gespeichert werden!", kMessageOk);
    closeWindow(kDialogWindow);
    activateWindow(kMainWindow);
}
