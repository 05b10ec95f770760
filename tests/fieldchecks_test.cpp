// The checks of what the user types for an e-invoice, one table of accepted and refused texts.

#include "runtime/fieldchecks.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    FieldRule rule;
    const char* text;
    bool passes;
    const char* country = "DE";
};

TEST(FieldChecksTest, EachRuleAcceptsAndRefuses) {
    const Case cases[] = {
        {"IBAN with blanks", FieldRule::Iban, "DE89 3704 0044 0532 0130 00", true},
        {"IBAN in lower case", FieldRule::Iban, "de89370400440532013000", true},
        {"IBAN of Britain", FieldRule::Iban, "GB82 WEST 1234 5698 7654 32", true},
        {"IBAN with a wrong digit", FieldRule::Iban, "DE89 3704 0044 0532 0130 01", false},
        {"IBAN with two digits swapped", FieldRule::Iban, "DE89 3704 0044 0532 0103 00", false},
        {"German IBAN a digit short", FieldRule::Iban, "DE89 3704 0044 0532 0130 0", false},
        {"IBAN with a hyphen", FieldRule::Iban, "DE89-3704-0044-0532-0130-00", false},
        {"no IBAN", FieldRule::Iban, "", true},
        {"German VAT id", FieldRule::VatId, "DE123456789", true},
        {"Austrian VAT id", FieldRule::VatId, "ATU12345678", true},
        {"Dutch VAT id of 14 characters", FieldRule::VatId, "NL123456789B01", true},
        {"German VAT id with 8 digits", FieldRule::VatId, "DE12345678", false},
        {"German VAT id with a letter", FieldRule::VatId, "DE12345678X", false},
        {"VAT id in lower case", FieldRule::VatId, "de123456789", false},
        {"VAT id with a blank", FieldRule::VatId, "DE 123456789", false},
        {"German postcode", FieldRule::Postcode, "01067", true},
        {"German postcode of 4 digits", FieldRule::Postcode, "1067", false},
        {"Austrian postcode", FieldRule::Postcode, "1010", true, "AT"},
        {"e-mail", FieldRule::Email, "rechnung@holzwerk.de", true},
        {"e-mail without dot", FieldRule::Email, "rechnung@holzwerk", false},
        {"e-mail with two @", FieldRule::Email, "a@b@c.de", false},
        {"e-mail, nothing before @", FieldRule::Email, "@holzwerk.de", false},
        {"e-mail, dot at the end", FieldRule::Email, "rechnung@holzwerk.", false},
        {"e-mail with a blank", FieldRule::Email, "rech nung@holzwerk.de", false},
        {"no e-mail", FieldRule::Email, "", true},
        {"country", FieldRule::CountryCode, "AT", true},
        {"country of three letters", FieldRule::CountryCode, "DEU", false},
        {"no country", FieldRule::CountryCode, "", false},
        {"0 days", FieldRule::PaymentDays, "0", true},
        {"365 days", FieldRule::PaymentDays, "365", true},
        {"366 days", FieldRule::PaymentDays, "366", false},
        {"days with a fraction", FieldRule::PaymentDays, "14,5", false},
        {"no days", FieldRule::PaymentDays, "", false},
        {"Leitweg-ID", FieldRule::LeitwegId, "04011000-1234512345-06", true},
        {"Leitweg-ID of two parts", FieldRule::LeitwegId, "991-35", true},
        {"Leitweg-ID with letters, either case", FieldRule::LeitwegId, "04011000-aBc-08", true},
        {"Leitweg-ID with wrong check digits", FieldRule::LeitwegId, "14713000-01234-56", false},
        {"Leitweg-ID with blanks around", FieldRule::LeitwegId, " 14713000-01234-49 ", true},
        {"Leitweg-ID with its check digits swapped", FieldRule::LeitwegId, "14713000-01234-94", false},
        {"another buyer reference", FieldRule::LeitwegId, "Bestellung 4711-12", true},
        {"no Leitweg-ID", FieldRule::LeitwegId, "  ", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(passesRule(c.rule, c.text, c.country), c.passes) << c.name;
    }
    EXPECT_EQ(paymentDaysOf("030"), 30);
    EXPECT_EQ(upperCaseCode("de\xE4"), "DE\xE4");
    EXPECT_TRUE(isBlankValue(" \t "));
    EXPECT_FALSE(isBlankValue(" x "));
}

} // namespace
