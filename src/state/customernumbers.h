#pragma once
// Customer numbers: each customer keeps the number it was given when created (customers of earlier
// installations theirs by their place, once), in a hidden cell of its row, and no number is given twice.

#include <cstdint>
#include <string>
#include <string_view>

/// The number of the customer in row `row` of the customer list, as its hidden cell holds it; a row
/// without one has its place (1 for the first).
std::string customerNumberAt(int row);

/// The highest number a customer of the list holds; 0 for none.
std::int32_t highestCustomerNumberHeld();

/// The number for a new customer: one above every number given so far, deleted customers' included,
/// and above every number the invoice list names. It counts as given from now on.
std::string takeNewCustomerNumber();

/// Makes a customer line of Daten.dat what the list takes: a line without a number of its own gets
/// its place (1 for the first), so that the number stays with the customer when rows above go. The
/// number found counts as given.
void numberCustomerLine(std::string& line, int place);

/// The number of the customer in row `row` as a value (its place without one of its own); 0 for a cell
/// that holds no number.
std::int32_t customerNumberValue(int row);
