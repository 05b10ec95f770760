#include "state/companydata.h"

#include "state/settings.h"

namespace {
CompanyData theCompanyData;
}

CompanyData& companyData() {
    return theCompanyData;
}

void resetCompanyData() {
    theCompanyData = CompanyData{};
}

const std::string& taxNumberOnPaper() {
    const CompanyData& company = companyData();
    return company.present && !company.taxNumber.empty() ? company.taxNumber : settings().taxNumber;
}
