#pragma once
// ReData.dat: the invoice register, one line per invoice in creation order.

#include <cstdint>
#include <string>
#include <string_view>

/// Fills the invoice list from ReData.dat: one row per line whose first field is not empty, fields 1
/// to 5 as its columns. A missing file leaves the list empty. Returns the highest invoice number
/// among the rows (0 when none), so that a counter that went back can be raised to it and no number
/// is given twice.
std::int32_t loadRegister();

/// Adds the line of the invoice just created (invoiceCounter, customerLastName, customerNumberText,
/// invoiceTotalText, today's date) at the end of the register, which replaces the old one in one
/// rename and is on the disk when this returns. False when it failed; the old register then stays.
bool appendRegisterLine();

/// Writes the register anew without the line of the invoice `number`, which was row r of the invoice
/// list: line r when its first field is that number, else the first line that holds it. True also
/// when no line holds it (nothing to remove). The new register replaces the old one in one rename;
/// false when that failed, and the old register then stays as it was.
bool rewriteRegister(int r, std::string_view number);
