#include "state/customernumbers.h"

#include "runtime/conversions.h"
#include "runtime/lists.h"
#include "runtime/numbers.h"
#include "state/customeredit.h"

#include <algorithm>
#include <charconv>

namespace {

// The invoice list's column with the customer number an issued invoice names.
constexpr int kInvoiceCustomerColumn = 2;

// A number as stored: a whole number above 0 without leading zeros; anything else is none.
std::int32_t numberOf(std::string_view text) {
    std::int32_t n = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, n);
    return error == std::errc() && stop == end && n > 0 && text.front() != '0' ? n : 0;
}

void appendNumber(std::string& line, std::int32_t n) {
    char digits[12];
    line.append(digits, std::to_chars(digits, digits + sizeof digits, n).ptr);
}

} // namespace

std::string customerNumberAt(int row) {
    const std::string_view own = listCell(kCustomerList, row, kCustomerIdColumn);
    return own.empty() ? formatInt(row + 1) : std::string(own);
}

std::int32_t highestCustomerNumberHeld() {
    std::int32_t highest = 0;
    for (int r = 0; r < listRowCount(kCustomerList); ++r)
        highest = std::max(highest, customerNumberValue(r));
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

void numberCustomerLine(std::string& line, int place) {
    std::size_t bar = std::string::npos;
    int fields = 1;
    for (std::size_t i = 0; i < line.size() && fields <= kCustomerIdColumn; ++i) {
        if (line[i] == '|') {
            ++fields;
            bar = i;
        }
    }
    std::int32_t& highest = customerEdit().highestNumber;
    if (fields > kCustomerIdColumn) {
        const std::string_view rest = std::string_view(line).substr(bar + 1);
        if (const std::int32_t own = numberOf(rest.substr(0, rest.find('|'))); own > 0) {
            highest = std::max(highest, own);
            return;
        }
        // A number field that holds no number: the place, in its stead, before what follows it.
        const std::size_t end = rest.find('|');
        const std::string after =
            end == std::string_view::npos ? std::string() : std::string(rest.substr(end));
        line.resize(bar + 1);
        highest = std::max(highest, place);
        appendNumber(line, place);
        line += after;
        return;
    } else {
        line.append(static_cast<std::size_t>(kCustomerIdColumn + 1 - fields), '|');
    }
    highest = std::max(highest, place);
    appendNumber(line, place);
}

std::int32_t customerNumberValue(int row) {
    const std::string_view own = listCell(kCustomerList, row, kCustomerIdColumn);
    return own.empty() ? row + 1 : numberOf(own);
}
