#pragma once
// ReData.dat: the invoice register, one line per invoice in creation order.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::string_view kRegisterName = "ReData.dat";

/// What loading the register found.
struct RegisterLoad {
    /// The highest invoice number among the rows, so that a counter that went back can be raised to
    /// it and no number is given twice; nullopt when the register gave no row.
    std::optional<std::int32_t> highest;
    /// False when a read failed before the end: the list holds only a part of the register, which is
    /// protected from every replacement in this run.
    bool whole = true;
};

/// The register's columns: the five fields every register has, then "Brutto", the sixth field of
/// invoices issued with company data and derived for the others (registerGross).
inline constexpr int kRegisterAmountColumn = 3;
inline constexpr int kRegisterGrossColumn = 5;

/// The gross total of a register amount as the printout computed it: the amount plus the options'
/// tax with net prices, the amount itself with gross prices or for a small business; "" when
/// amountText is no amount.
std::string registerGross(std::string_view amountText);

/// Fills the invoice list from ReData.dat: one row per line whose first field is not empty, fields 1
/// to 5 as its columns and "Brutto" after them: the sixth field when it is an amount, else derived from
/// the fourth. A missing file leaves the list empty.
RegisterLoad loadRegister();

/// Adds the line of the invoice just created (invoiceCounter, customerLastName, customerNumberText,
/// invoiceTotalText, today's date and, with company data, its gross total; "|", CR, LF and NUL in a
/// text become blanks) at the end of the
/// register, which replaces the old one in one rename and is on the disk when this returns. False when
/// it failed; the old register then stays.
bool appendRegisterLine();

/// Writes the register anew without the line of the invoice `number`, which was row r of the invoice
/// list: line r when its first field is that number, else the first line that holds it. True also
/// when no line holds it (nothing to remove). The new register replaces the old one in one rename;
/// false when that failed, and the old register then stays as it was.
bool rewriteRegister(int r, std::string_view number);
