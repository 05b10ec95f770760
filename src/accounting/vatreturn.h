#pragma once
// The figures of the Umsatzsteuer-Voranmeldung as the form numbers them, from the invoices, credit
// notes and cancellations dated in the period: each figure with the invoices behind it. Corrections
// carry negative amounts and so reduce the period they are dated in.

#include "accounting/records.h"

#include <string>
#include <vector>

namespace accounting {

/// One invoice's part in a figure.
struct VatEntry {
    std::string number;
    DateValue date = 0;
    std::string customerName;
    money::Amount net;
    money::Amount tax;
};

struct VatFigure {
    /// "81", "86", "41", "21", "43"; "" for what none of them takes.
    std::string code;
    /// What the form calls it (Windows-1252).
    std::string caption;
    /// Whether the form asks for the tax as well (81 and 86).
    bool withTax = false;
    money::Amount net;
    money::Amount tax;
    std::vector<VatEntry> entries;
};

/// The figures 81, 86, 41, 21, 43 and, last, the rest ("" code), in this order, each also when empty.
/// False in `inRange` when a sum left the range of amounts.
std::vector<VatFigure> vatFigures(const std::vector<InvoiceRecord>& invoices, const Period& period,
                                  bool* inRange = nullptr);

/// A base as the form wants it: whole euros, the cents dropped toward zero ("1234").
std::string wholeEuros(money::Amount amount);

} // namespace accounting
