// Firma.ini as anyone may have left it: what is read, written and read again gives the same company
// data, and writing those once more gives the same bytes.

#include "fuzzsupport.h"

#include "settings/companyfile.h"
#include "state/companydata.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

bool sameData(const CompanyData& a, const CompanyData& b) {
    return a.present == b.present && a.name == b.name && a.contactName == b.contactName &&
           a.street == b.street && a.postcode == b.postcode && a.city == b.city &&
           a.countryCode == b.countryCode && a.telephone == b.telephone && a.email == b.email &&
           a.taxNumber == b.taxNumber && a.vatId == b.vatId && a.iban == b.iban && a.bic == b.bic &&
           a.paymentDays == b.paymentDays && a.paymentTerms == b.paymentTerms &&
           a.smallBusiness == b.smallBusiness && a.cashDiscountPercent == b.cashDiscountPercent &&
           a.cashDiscountDays == b.cashDiscountDays && a.dunningFee == b.dunningFee &&
           a.interestRate == b.interestRate && a.dunningDays == b.dunningDays;
}

std::string savedBytes() {
    std::ifstream in("Firma.ini", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    prepareFuzzing(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    writeInput("Firma.ini", data, size);
    if (!loadCompanyData())
        std::abort();
    const CompanyData first = companyData();
    if (!saveCompanyData())
        std::abort();
    const std::string written = savedBytes();
    loadCompanyData();
    if (!sameData(companyData(), first) || !saveCompanyData() || savedBytes() != written)
        std::abort();
    return 0;
}
