#pragma once
// The text of the GiroCode a banking app scans to pay an invoice: a SEPA credit transfer after
// EPC069-12, version 002, in UTF-8.

#include "money/money.h"

#include <optional>
#include <string>
#include <string_view>

/// The payload for paying amount to the company data's IBAN (and BIC, when they have one) with the
/// remittance text "Rechnung <invoice>": the lines "BCD", "002", "1", "SCT", BIC, the company name
/// (at most 70 characters), IBAN, "EUR" and the amount, an empty purpose, an empty structured
/// reference and the remittance text, separated by LF. nullopt without company data or IBAN, and for an
/// amount outside 0,01 to 999.999.999,99 €.
std::optional<std::string> epcPayload(std::string_view invoice, money::Amount amount);
