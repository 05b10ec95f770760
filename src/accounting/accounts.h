#pragma once
// The accounts a booking goes to: the revenue account of each tax case in DATEV's standard charts
// SKR03 and SKR04 (the README's table names where they come from), the bank, and the debtors, each
// revenue and bank account replaceable by one the user sets.

#include "money/money.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace accounting {

enum class Chart { Skr03, Skr04 };

enum class DebtorMode {
    /// Every invoice on the one collective account 10000.
    Collective,
    /// 10000 + the customer's number.
    PerCustomer,
};

/// The tax cases that have a revenue account, in the order the settings list them.
enum class RevenueCase {
    Standard19,     ///< S at 19 %
    Reduced7,       ///< S at 7 %
    ZeroRated,      ///< Z
    SmallBusiness,  ///< E: Kleinunternehmer
    ReverseCharge,  ///< AE: the customer in another EU country owes the tax
    IntraCommunity, ///< K: intra-community supply
    Export,         ///< G: export outside the EU
    OutOfScope,     ///< O: not taxable in Germany
};
inline constexpr std::size_t kRevenueCases = 8;

/// What the adviser's batch needs of the company data.
struct AccountingSetup {
    std::int64_t adviser = 0;
    std::int64_t client = 0;
    Chart chart = Chart::Skr03;
    /// Day and month the fiscal year begins on.
    int fiscalDay = 1;
    int fiscalMonth = 1;
    /// Digits of a general ledger account (4 to 8); a debtor has one more.
    int accountLength = 4;
    DebtorMode debtors = DebtorMode::Collective;
    /// The user's revenue accounts by case; 0 keeps the chart's.
    std::array<std::int64_t, kRevenueCases> revenueAccounts{};
    /// The user's bank account; 0 keeps the chart's.
    std::int64_t bankAccount = 0;
};

/// The chart's four-digit account of a case.
std::int64_t standardRevenueAccount(Chart chart, RevenueCase revenueCase);
/// The chart's four-digit bank account: 1200 or 1800.
std::int64_t standardBankAccount(Chart chart);

/// The case of a category code and rate; nullopt for a standard rate other than 19 and 7 % and for a
/// code the table does not know.
std::optional<RevenueCase> revenueCaseOf(std::string_view category, money::Rate rate);

/// An account as the batch writes it: shorter ones filled with zeros at the right to `length`
/// digits ("8400" at length 5 is 84000); nullopt when it has more digits than that.
std::optional<std::int64_t> accountAtLength(std::int64_t account, int length);

/// The revenue account of a case, the user's or the chart's, at the setup's length.
std::optional<std::int64_t> revenueAccount(const AccountingSetup& setup, RevenueCase revenueCase);
/// The bank account likewise.
std::optional<std::int64_t> bankAccount(const AccountingSetup& setup);
/// The debtor of a customer: 10000 (10^length) alone, or plus the customer's number; nullopt when the
/// number would not fit into length + 1 digits.
std::optional<std::int64_t> debtorAccount(const AccountingSetup& setup, std::int64_t customerNumber);

} // namespace accounting
