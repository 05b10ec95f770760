// Footer lines that name another IBAN or tax number than the seller's give their reason.

#include "einvoice/sellerfooter.h"

#include <gtest/gtest.h>

namespace {

const std::string kOtherIban = "Die Fu\xDFzeile nennt eine andere IBAN als die Firmendaten";
const std::string kOtherTaxNumber = "Die Fu\xDFzeile nennt eine andere Steuernummer als die Firmendaten";

TEST(SellerFooterTest, AnotherIbanOrTaxNumberIsNamed) {
    struct Case {
        const char* line;
        std::vector<std::string> reasons;
        const char* iban = "DE89 3704 0044 0532 0130 00";
        const char* taxNumber = "12/345/67890";
    };
    const Case cases[] = {
        {"Bank: IBAN DE89 3704 0044 0532 0130 00, BIC COBADEFFXXX", {}},
        {"IBAN: de89370400440532013000 St.-Nr. 12 / 345 / 67890", {}},
        {"IBAN DE02 1203 0000 0000 2020 51 BIC BYLADEM1001", {kOtherIban}},
        {"IBAN DE89 3704 0044 0532 0130 01", {kOtherIban}},
        {"AT61 1904 3002 3457 3201 Bank Austria", {}, "AT611904300234573201"},
        {"USt-IdNr. DE123456789 Tel. 030 1234567", {}},
        {"Steuernummer 12/345/67891", {kOtherTaxNumber}},
        {"St.-Nr.: 012 345 67890", {kOtherTaxNumber}},
        {"Tel. 030/1234567, Fax 030/1234568", {}},
        {"IBAN DE02 1203 0000 0000 2020 51, St.-Nr. 99/999/99999", {kOtherIban, kOtherTaxNumber}},
        {"IBAN DE02 1203 0000 0000 2020 51, St.-Nr. 99/999/99999", {}, "", ""},
    };
    for (const Case& c : cases) {
        einvoice::Seller seller;
        seller.iban = c.iban;
        seller.taxNumber = c.taxNumber;
        EXPECT_EQ(einvoice::footerDisagreements({"", c.line}, seller), c.reasons) << c.line;
    }
}

} // namespace
