#include "payments/epcpayload.h"

#include "runtime/codepage.h"
#include "state/companydata.h"

#include <QString>

namespace {

constexpr std::int64_t kLargestAmount = 99999999999; // 999.999.999,99 €
constexpr qsizetype kNameCharacters = 70;
constexpr qsizetype kRemittanceCharacters = 140;

// The text as UTF-8, without line breaks (each would start another field), at most `characters` long.
std::string fieldOf(std::string_view text, qsizetype characters) {
    QString decoded = toQString(text);
    for (QChar& c : decoded) {
        if (c == u'\r' || c == u'\n')
            c = u' ';
    }
    return decoded.trimmed().left(characters).toStdString();
}

// Blanks dropped, letters in upper case.
std::string compact(std::string_view code) {
    std::string out;
    for (const char c : code) {
        if (c != ' ' && c != '\t')
            out += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return out;
}

} // namespace

std::optional<std::string> epcPayload(std::string_view invoice, money::Amount amount) {
    const CompanyData& company = companyData();
    const std::string iban = compact(company.iban);
    if (!company.present || iban.empty() || amount.units < 1 || amount.units > kLargestAmount)
        return std::nullopt;
    const std::string lines[] = {
        "BCD",
        "002",
        "1", // UTF-8
        "SCT",
        compact(company.bic),
        fieldOf(company.name, kNameCharacters),
        iban,
        "EUR" + money::formatDecimal(amount.units, 2, 2, '.'),
        "", // purpose
        "", // structured reference
        fieldOf("Rechnung " + std::string(invoice), kRemittanceCharacters),
    };
    // LF between the elements; nothing may follow the last one.
    std::string payload;
    for (const std::string& line : lines)
        payload += (payload.empty() ? "" : "\n") + line;
    return payload;
}
