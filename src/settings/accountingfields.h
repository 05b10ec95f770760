#pragma once
// The section "Buchhaltung" of the company data as typed: its captions, the check of every value on
// saving, and the readings the exports take from it.

#include "state/companydata.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

/// The captions of the accounts in the order of CompanyData::accounts (Windows-1252).
extern const std::array<const char*, kAccountFields> kAccountCaptions;

/// The first value of the section that cannot be used, as a message naming its field; "" when every
/// one passes. An empty Beraternummer, Mandantennummer or account passes (not set yet).
std::string accountingRefusal(const CompanyData& company);

/// The number a text of digits only names, when it lies from lowest to highest; nullopt otherwise.
std::optional<std::int64_t> numberIn(std::string_view text, std::int64_t lowest, std::int64_t highest);

struct DayOfYear {
    int day = 1;
    int month = 1;
};
/// "dd.mm." naming a day that every year has (not 29.02.); nullopt otherwise.
std::optional<DayOfYear> dayOfYear(std::string_view text);
