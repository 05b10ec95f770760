// The conversions on any text: parseInt, fieldOf, parseDate and formatDate must neither crash nor
// overflow, and the integer, date and field forms must agree with their writers and with a plain split.

#include "runtime/conversions.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

// The fields of text between "|", the plain way: m separators make m + 1 fields.
std::vector<std::string> splitAtBars(const std::string& text) {
    std::vector<std::string> fields(1);
    for (const char c : text) {
        if (c == '|')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 9)
        return 0;
    std::int64_t date = 0;
    std::memcpy(&date, data, sizeof date);
    const int field = static_cast<std::int8_t>(data[8]);
    const std::string text(reinterpret_cast<const char*>(data + 9), size - 9);

    const std::int32_t number = parseInt(text);
    if (parseInt(formatInt(number)) != number)
        std::abort();

    const std::vector<std::string> fields = splitAtBars(text);
    const int count = static_cast<int>(fields.size());
    for (const int k : {field, 1, count, count + 1}) {
        const int index = k < 1 ? 1 : k;
        const std::string expected = index <= count ? fields[static_cast<std::size_t>(index - 1)] : "";
        if (fieldOf(text, k, "|") != expected)
            std::abort();
    }
    // A date taken from a text is written back as that text.
    if (const std::optional<DateValue> typed = parseDate(text);
        typed && formatDate("%dd.%mm.%yyyy", *typed) != text)
        std::abort();
    formatDate(text, date);
    formatDate("%dd.%mm.%yyyy %hh:%ii:%ss", date);
    return 0;
}
