#include "accounting/accounts.h"

namespace accounting {

namespace {

struct StandardAccounts {
    std::int64_t skr03;
    std::int64_t skr04;
};

// By RevenueCase; DATEV's charts SKR03 and SKR04, Stand 01/2025 (see the README).
constexpr std::array<StandardAccounts, kRevenueCases> kStandard = {{
    {8400, 4400}, // Erlöse 19 % USt
    {8300, 4300}, // Erlöse 7 % USt
    {8200, 4200}, // Erlöse
    {8192, 4184}, // Steuerfreie Erlöse Kleinunternehmer § 19 Abs. 1 UStG
    {8336, 4336}, // Erlöse aus im anderen EU-Land steuerpflichtigen sonstigen Leistungen
    {8125, 4125}, // Steuerfreie innergemeinschaftliche Lieferungen § 4 Nr. 1b UStG
    {8120, 4120}, // Steuerfreie Umsätze § 4 Nr. 1a UStG
    {8338, 4338}, // Erlöse aus im Drittland steuerbaren Leistungen, im Inland nicht steuerbar
}};

constexpr std::int64_t kDebtorBase = 10000;

int digitsOf(std::int64_t v) {
    int digits = 1;
    while (v >= 10) {
        v /= 10;
        ++digits;
    }
    return digits;
}

std::int64_t powerOfTen(int exponent) {
    std::int64_t p = 1;
    while (exponent-- > 0)
        p *= 10;
    return p;
}

} // namespace

std::int64_t standardRevenueAccount(Chart chart, RevenueCase revenueCase) {
    const StandardAccounts& a = kStandard[static_cast<std::size_t>(revenueCase)];
    return chart == Chart::Skr03 ? a.skr03 : a.skr04;
}

std::int64_t standardBankAccount(Chart chart) {
    return chart == Chart::Skr03 ? 1200 : 1800;
}

std::optional<RevenueCase> revenueCaseOf(std::string_view category, money::Rate rate) {
    if (category == "S") {
        if (rate.units == 1900)
            return RevenueCase::Standard19;
        if (rate.units == 700)
            return RevenueCase::Reduced7;
        return std::nullopt;
    }
    struct Code {
        std::string_view code;
        RevenueCase revenueCase;
    };
    constexpr Code kCodes[] = {
        {"Z", RevenueCase::ZeroRated},      {"E", RevenueCase::SmallBusiness},
        {"AE", RevenueCase::ReverseCharge}, {"K", RevenueCase::IntraCommunity},
        {"G", RevenueCase::Export},         {"O", RevenueCase::OutOfScope},
    };
    for (const Code& c : kCodes) {
        if (c.code == category)
            return c.revenueCase;
    }
    return std::nullopt;
}

std::optional<std::int64_t> accountAtLength(std::int64_t account, int length) {
    if (account <= 0 || length < 1 || length > 18)
        return std::nullopt;
    const int digits = digitsOf(account);
    if (digits > length)
        return std::nullopt;
    return account * powerOfTen(length - digits);
}

std::optional<std::int64_t> revenueAccount(const AccountingSetup& setup, RevenueCase revenueCase) {
    const std::int64_t own = setup.revenueAccounts[static_cast<std::size_t>(revenueCase)];
    return accountAtLength(own != 0 ? own : standardRevenueAccount(setup.chart, revenueCase),
                           setup.accountLength);
}

std::optional<std::int64_t> bankAccount(const AccountingSetup& setup) {
    return accountAtLength(setup.bankAccount != 0 ? setup.bankAccount : standardBankAccount(setup.chart),
                           setup.accountLength);
}

std::optional<std::int64_t> debtorAccount(const AccountingSetup& setup, std::int64_t customerNumber) {
    const std::optional<std::int64_t> base = accountAtLength(kDebtorBase, setup.accountLength + 1);
    if (!base)
        return std::nullopt;
    if (setup.debtors == DebtorMode::Collective)
        return base;
    // A debtor keeps length + 1 digits: 10000 to 99999 at length 4.
    if (customerNumber < 0 || customerNumber >= 9 * *base)
        return std::nullopt;
    return *base + customerNumber;
}

} // namespace accounting
