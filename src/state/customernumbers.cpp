#include "state/customernumbers.h"

#include "runtime/conversions.h"
#include "runtime/lists.h"
#include "runtime/numbers.h"
#include "state/customeredit.h"

#include <algorithm>

namespace {

// The invoice list's column with the customer number an issued invoice names.
constexpr int kInvoiceCustomerColumn = 2;

// A number as stored: a whole number above 0; anything else is none.
std::int32_t numberOf(std::string_view text) {
    const std::int32_t n = parseInt(text);
    return n > 0 && formatInt(n) == text ? n : 0;
}

} // namespace

std::string customerNumberAt(int row) {
    const std::string_view own = listCell(kCustomerList, row, kCustomerIdColumn);
    return own.empty() ? formatInt(row + 1) : std::string(own);
}

std::int32_t highestCustomerNumberHeld() {
    std::int32_t highest = 0;
    for (int r = 0; r < listRowCount(kCustomerList); ++r)
        highest = std::max(highest, numberOf(customerNumberAt(r)));
    return highest;
}

std::string takeNewCustomerNumber() {
    std::int32_t highest = std::max(customerEdit().highestNumber, highestCustomerNumberHeld());
    for (int r = 0; r < listRowCount(kInvoiceList); ++r)
        highest = std::max(highest, numberOf(listCell(kInvoiceList, r, kInvoiceCustomerColumn)));
    // The last number there is stays the last; it is not given twice.
    if (highest < INT32_MAX)
        ++highest;
    customerEdit().highestNumber = highest;
    return formatInt(highest);
}

std::string numberedCustomerLine(std::string_view line, int place) {
    std::size_t bar = std::string_view::npos;
    int fields = 1;
    for (std::size_t i = 0; i < line.size() && fields <= kCustomerIdColumn; ++i) {
        if (line[i] == '|') {
            ++fields;
            bar = i;
        }
    }
    std::int32_t& highest = customerEdit().highestNumber;
    if (fields > kCustomerIdColumn) {
        const std::string_view rest = line.substr(bar + 1);
        const std::int32_t own = numberOf(rest.substr(0, rest.find('|')));
        if (own > 0) {
            highest = std::max(highest, own);
            return std::string(line);
        }
        // A number field that holds no number: the place, in its stead.
        std::string numbered(line.substr(0, bar + 1));
        numbered += formatInt(place);
        highest = std::max(highest, place);
        return numbered;
    }
    highest = std::max(highest, place);
    return std::string(line) + std::string(static_cast<std::size_t>(kCustomerIdColumn + 1 - fields), '|') +
           formatInt(place);
}

bool numberIsPlace(int row) {
    return customerNumberAt(row) == formatInt(row + 1);
}
