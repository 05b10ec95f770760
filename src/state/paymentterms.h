#pragma once
// The payment terms of the company data as they stand on one invoice: the text may name the
// Zahlungsziel as "{Tage}" and the due date as "{Datum}", filled from the new-invoice window, so that
// paper and e-invoice say what the due date says.

#include "runtime/conversions.h"

#include <string>
#include <string_view>

/// The terms of an invoice due `days` days after its date, on `due`: "{Tage}" becomes the days,
/// "{Datum}" the due date (dd.mm.yyyy). The default text of earlier versions, which named 14 days
/// where the default now names "{Tage}", counts as the default.
std::string filledPaymentTerms(std::string_view terms, int days, DateValue due);

/// Whether terms without a placeholder name numbers of days ("30 Tagen", "10 Tage") and none of them
/// is `days`: the text then says something other than the due date.
bool termsNameOtherDays(std::string_view terms, int days);
