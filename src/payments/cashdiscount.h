#pragma once
// The cash discount (Skonto) of the company data: what the invoice offers on paper and in its
// e-invoice, and the terms an invoice is remembered with when it is issued.

#include "money/money.h"
#include "payments/openitems.h"
#include "runtime/conversions.h"

#include <optional>
#include <string>
#include <string_view>

struct CashDiscount {
    int days = 0;
    money::Rate percent;
};

/// "Skonto %" read: a number above 0 and below 100 with at most two decimals; nullopt otherwise.
std::optional<money::Rate> discountPercentOf(std::string_view text);

/// The company data's cash discount when they are present and "Skonto %" and "Skonto Tage" both hold
/// valid values; nullopt otherwise.
std::optional<CashDiscount> cashDiscount();

/// due × percent / 100, rounded half away from zero to cents.
money::Amount discountAmount(money::Amount due, money::Rate percent);

/// "Bei Zahlung bis <invoice date + days> <p> % Skonto (<discount> €)".
std::string cashDiscountSentence(DateValue invoiceDate, money::Amount due, const CashDiscount& discount);

/// The terms an invoice issued on invoiceDate with paymentDays and amount due takes with the company
/// data in force: its due date and, when they offer one, its cash discount.
InvoiceTerms termsOfNewInvoice(DateValue invoiceDate, int paymentDays, money::Amount due);

/// The refusal of the receivables' company data as typed, naming the field; nullptr when they pass.
/// Empty fields pass, but "Skonto %" and "Skonto Tage" only together.
const char* receivableFieldsRefusal(std::string_view discountPercent, std::string_view discountDays,
                                    std::string_view dunningFee, std::string_view interestRate,
                                    std::string_view dunningDays);
