#pragma once
// What both invoice syntaxes share when they take values out of the tree: texts made program texts,
// numbers read exactly and dates read in their forms, each value that is there but unreadable noted
// as a finding.

#include "incoming/receivedinvoice.h"
#include "incoming/xmltree.h"
#include "money/money.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace incoming {

/// How a date is written: "20241115" (CII's format 102) or "2024-11-15" (UBL, xs:date).
enum class DateForm { Compact, Dashed };

class FieldReader {
  public:
    /// The element's text as a program text: Windows-1252 ("?" for what it cannot hold), line breaks
    /// and tabs as blanks, other control characters dropped, blanks trimmed. "" for nullptr.
    static std::string text(const XmlNode* node);
    /// The same for UTF-8 bytes.
    static std::string text(std::string_view utf8);
    /// The attribute's value as a program text; "" for nullptr or when there is none.
    static std::string attribute(const XmlNode* node, std::string_view name);

    /// The element's number exactly; nullopt when it is missing, and when it is no number, which is
    /// noted as a finding on business term bt of line (from 1; 0 for the document).
    std::optional<Decimal> number(const XmlNode* node, int bt, int line = 0);

    /// number() with the value rounded into the program's type as well (0 when it is missing).
    template <class T> std::optional<Decimal> number(const XmlNode* node, int bt, T& shown, int line = 0) {
        const std::optional<Decimal> exact = number(node, bt, line);
        if (exact)
            shown.units = unitsAt(*exact, T::kDecimals).value_or(0);
        return exact;
    }

    /// The element's date; nullopt when missing, and when it is no date of the calendar, which is
    /// noted as a finding on bt.
    std::optional<DateValue> date(const XmlNode* node, DateForm form, int bt);

    /// What was noted, in the order read.
    std::vector<Finding> findings;
};

/// The program text of the element at path below node; "" when it is missing.
inline std::string textAt(const XmlNode* node, std::initializer_list<std::string_view> path) {
    return FieldReader::text(descend(node, path));
}

/// The bytes of a base64 text (blanks and line breaks in it are skipped).
std::string decodeBase64(std::string_view text);

} // namespace incoming
