#include "settings/receivablefields.h"

#include "payments/cashdiscount.h"
#include "runtime/fieldchecks.h"
#include "runtime/numbers.h"
#include "state/companydata.h"
#include "toolkit/toolkit.h"

#include <array>
#include <string>

namespace {

struct ReceivableField {
    const char* caption;
    int width;
    std::string CompanyData::*text;
};

// Field i is control kReceivablesFirstField + i.
constexpr std::array kFields = {
    ReceivableField{"Skonto %", 50, &CompanyData::cashDiscountPercent},
    ReceivableField{"Skonto Tage", 40, &CompanyData::cashDiscountDays},
    ReceivableField{"Mahngeb\xFChr", 60, &CompanyData::dunningFee},
    ReceivableField{"Verzugszinssatz", 50, &CompanyData::interestRate},
    ReceivableField{"Zahlungsziel f\xFCr Mahnungen", 40, &CompanyData::dunningDays},
};
static_assert(kFields.size() == kReceivableFieldRows);

int fieldNumber(std::size_t i) {
    return kReceivablesFirstField + static_cast<int>(i);
}

} // namespace

void createReceivableFields(int y, int rowStep, int fieldX) {
    const CompanyData& company = companyData();
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        const int rowY = y + rowStep * static_cast<int>(i);
        createLabel(kAnonymous, 10, rowY + 3, fieldX - 15, 20, kFields[i].caption);
        createTextField(fieldNumber(i), fieldX, rowY, kFields[i].width, 20, company.*kFields[i].text);
        setForbiddenCharacters(fieldNumber(i), kRecordBreakers);
    }
}

const char* receivableFieldsRefusal() {
    return receivableFieldsRefusal(getText(fieldNumber(0)), getText(fieldNumber(1)), getText(fieldNumber(2)),
                                   getText(fieldNumber(3)), getText(fieldNumber(4)));
}

void takeReceivableFields(CompanyData& company) {
    for (std::size_t i = 0; i < kFields.size(); ++i)
        company.*kFields[i].text = getText(fieldNumber(i));
}
