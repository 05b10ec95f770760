// The payment terms as one invoice states them: placeholders filled, and terms that name other days
// than the invoice's Zahlungsziel found.

#include "state/paymentterms.h"

#include <gtest/gtest.h>

namespace {

TEST(PaymentTermsTest, PlaceholdersAreFilledAndOtherDaysFound) {
    struct Case {
        const char* terms;
        int days;
        const char* filled;
        bool otherDays;
    };
    const Case cases[] = {
        {"Zahlbar innerhalb von {Tage} Tagen bis {Datum}.", 30,
         "Zahlbar innerhalb von 30 Tagen bis 06.01.2027.", false},
        {"Zahlbar innerhalb von 14 Tagen ohne Abzug.", 0, "Zahlbar innerhalb von 0 Tagen ohne Abzug.", false},
        {"Zahlbar innerhalb von 30 Tagen ohne Abzug.", 0, "Zahlbar innerhalb von 30 Tagen ohne Abzug.", true},
        {"30 Tage netto", 30, "30 Tage netto", false},
        {"2 % Skonto bei Zahlung in 8 Tagen, 30 Tage netto", 30, nullptr, false},
        {"2 % Skonto bei Zahlung in 8 Tagen, 30 Tage netto", 14, nullptr, true},
        {"Zahlbar innerhalb von 10 Werktagen", 14, nullptr, false},
        {"Zahlbar sofort", 14, nullptr, false},
        {"{Tage} Tage, sonst 5 Tage Frist", 14, "14 Tage, sonst 5 Tage Frist", false},
    };
    const DateValue due = dateValueOf(2027, 1, 6);
    for (const Case& c : cases) {
        if (c.filled) {
            EXPECT_EQ(filledPaymentTerms(c.terms, c.days, due), c.filled) << c.terms;
        }
        EXPECT_EQ(termsNameOtherDays(c.terms, c.days), c.otherDays) << c.terms << ", " << c.days;
    }
}

} // namespace
