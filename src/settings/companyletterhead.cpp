#include "settings/companyletterhead.h"

#include "runtime/fieldchecks.h"

#include <initializer_list>
#include <string>

namespace {

// The non-empty texts from the top of a footer block, each after its label; the rest stay empty.
FooterLines block(std::initializer_list<std::pair<const char*, const std::string*>> lines) {
    FooterLines result;
    std::size_t next = 0;
    for (const auto& [label, value] : lines) {
        if (!isBlankValue(*value))
            result[next++] = label + *value;
    }
    return result;
}

// "12345 Musterstadt", or what of it there is.
std::string placeLine(const CompanyData& c) {
    if (isBlankValue(c.postcode))
        return c.city;
    return isBlankValue(c.city) ? c.postcode : c.postcode + " " + c.city;
}

} // namespace

void takeLetterheadFromCompany(Settings& s, const CompanyData& company) {
    const std::string place = placeLine(company);
    s.logoLine1 = company.name;
    s.logoLine2.clear();
    s.companyAddress.clear();
    for (const std::string* part : {&company.name, &company.street, &place}) {
        if (!isBlankValue(*part))
            s.companyAddress += (s.companyAddress.empty() ? "" : ", ") + *part;
    }
    s.footerLines1 = block({{"", &company.name}, {"", &company.street}, {"", &place}});
    s.footerLines2 = block({{"", &company.contactName}, {"Tel. ", &company.telephone}, {"", &company.email}});
    s.footerLines3 = block({{"IBAN ", &company.iban}, {"BIC ", &company.bic}});
    s.footerLines4 = block({{"St.-Nr. ", &company.taxNumber}, {"USt-IdNr. ", &company.vatId}});
}
