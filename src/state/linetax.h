#pragma once
// The tax and unit of an article or invoice line: a rate as typed (empty = the options' rate), a VAT
// category code (S, Z, E, AE, K, G, O; empty = S, or Z at 0 %) and a UN/ECE unit code (empty = C62).
// Articles and lines keep the three texts as typed; this module names them and tells what they mean.

#include "money/money.h"

#include <span>
#include <string>
#include <string_view>

/// A code and the German name the dialogs and printouts show for it.
struct NamedCode {
    const char* code;
    const char* name;
};

/// The units offered, in pick-list order: Stück first.
std::span<const NamedCode> lineUnits();
/// The VAT categories offered, in pick-list order: S first.
std::span<const NamedCode> taxCategories();

/// The German name of a unit code ("HUR" is "Std."); empty for an empty or unknown code.
std::string unitName(std::string_view code);
/// A pick list's choices, one per line, after an empty first choice ("" keeps the default).
std::string pickChoices(std::span<const NamedCode> codes);
/// The code of pick-list index i of pickChoices (0 is the empty choice).
std::string codeAtPick(std::span<const NamedCode> codes, int i);
/// The pick-list index of code; 0 for an empty or unknown one.
int pickOfCode(std::span<const NamedCode> codes, std::string_view code);

/// What a line's three texts mean on an invoice whose options' rate is optionsRate.
struct LineTax {
    money::Rate rate;
    std::string category;
    std::string unit;
};
LineTax effectiveTax(std::string_view rate, std::string_view category, std::string_view unit,
                     money::Rate optionsRate);

/// Why the three texts cannot be an article's or line's tax, or "" when they can: a rate from 0 to 100
/// with at most two places, a known category and unit, and rate 0 (or none) for Z, E, AE, K, G and O.
std::string lineTaxRefusal(std::string_view rate, std::string_view category, std::string_view unit);

/// What an e-invoice says of a category that charges no VAT: its reason (BT-120, Windows-1252) and
/// code (BT-121); both empty for S and Z.
struct ExemptionNote {
    std::string reason;
    std::string code;
};
ExemptionNote exemptionNote(std::string_view category);
