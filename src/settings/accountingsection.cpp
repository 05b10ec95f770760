#include "settings/accountingsection.h"

#include "runtime/fieldchecks.h"
#include "runtime/numbers.h"
#include "settings/accountingfields.h"
#include "toolkit/toolkit.h"

#include <span>

namespace {

constexpr int kRowStep = 26;
constexpr int kFieldOffset = 160;

struct TextRow {
    int control;
    const char* caption;
    std::string CompanyData::*text;
    int width;
};

void label(int x, int y, const char* caption) {
    createLabel(kAnonymous, x, y + 3, kFieldOffset - 10, 20, caption);
}

void textField(int x, int y, int control, const std::string& text, int width) {
    createTextField(control, x + kFieldOffset, y, width, 20, text);
    setForbiddenCharacters(control, kRecordBreakers);
}

} // namespace

void createAccountingSection(int x, int y, const CompanyData& company) {
    createLabel(kAnonymous, x, y + 3, 200, 20, "Buchhaltung");
    y += kRowStep;
    const auto textRows = [&](std::span<const TextRow> rows) {
        for (const TextRow& row : rows) {
            label(x, y, row.caption);
            textField(x, y, row.control, company.*row.text, row.width);
            y += kRowStep;
        }
    };
    const TextRow numbers[] = {
        {kAdviserNumberField, "Beraternummer", &CompanyData::adviserNumber, 80},
        {kClientNumberField, "Mandantennummer", &CompanyData::clientNumber, 80},
    };
    textRows(numbers);
    label(x, y, "Kontenrahmen");
    createComboBox(kChartBox, x + kFieldOffset, y, 80, 22, "SKR03\nSKR04");
    setState(kChartBox, company.chart == "SKR04" ? 1 : 0);
    y += kRowStep;
    const TextRow more[] = {
        {kFiscalYearStartField, "Wirtschaftsjahr beginnt", &CompanyData::fiscalYearStart, 60},
        {kAccountLengthField, "Sachkontenl\xE4nge", &CompanyData::accountLength, 30},
    };
    textRows(more);
    label(x, y, "Debitoren");
    createComboBox(kDebtorsBox, x + kFieldOffset, y, 120, 22, "Sammelkonto\nje Kunde");
    setState(kDebtorsBox, company.debtors == "je Kunde" ? 1 : 0);
    y += kRowStep;
    createLabel(kAnonymous, x, y + 3, 300, 20, "Konten (leer: die des Kontenrahmens)");
    y += kRowStep;
    for (std::size_t i = 0; i < kAccountFields; ++i) {
        label(x, y, kAccountCaptions[i]);
        textField(x, y, kFirstAccountField + static_cast<int>(i), company.accounts[i], 80);
        y += kRowStep;
    }
}

void readAccountingSection(CompanyData& company) {
    company.adviserNumber = getText(kAdviserNumberField);
    company.clientNumber = getText(kClientNumberField);
    company.chart = getText(kChartBox);
    company.fiscalYearStart = getText(kFiscalYearStartField);
    company.accountLength = getText(kAccountLengthField);
    company.debtors = getText(kDebtorsBox);
    for (std::size_t i = 0; i < kAccountFields; ++i)
        company.accounts[i] = getText(kFirstAccountField + static_cast<int>(i));
}
