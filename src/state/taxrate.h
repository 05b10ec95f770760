#pragma once
// The rule for the tax rate the user types in the options window: net and gross amounts are converted
// by 100 + rate, which must stay above zero for the conversion to mean anything.

#include <string_view>

/// Whether a tax rate as typed can be used: empty (the rate 0), or one number from 0 to 100 with at
/// most two places that are not 0, blanks around it and a "%" after it allowed ("16%" is 16). Anything
/// else ("19,999") is refused.
bool isValidTaxRate(std::string_view rate);

/// What the user is told about a rate isValidTaxRate refuses.
inline constexpr std::string_view kTaxRateRefusal = "Der Steuersatz muss eine Zahl zwischen 0 und 100 sein.";
