#include "incoming/fieldreader.h"

#include "runtime/codepage.h"
#include "runtime/conversions.h"

#include <QByteArray>
#include <QString>

namespace incoming {

namespace {

// A value quoted in a finding is cut, so that a hostile file cannot make the window's head endless.
constexpr std::size_t kQuotedLength = 40;

std::string trimmed(const XmlNode* node) {
    return FieldReader::text(node).substr(0, kQuotedLength);
}

std::string where(int bt, int line) {
    return (line > 0 ? "Position " + std::to_string(line) + ": " : std::string()) + "BT-" +
           std::to_string(bt);
}

int digits(std::string_view s, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (i >= s.size() || s[i] < '0' || s[i] > '9')
            return -1;
        value = value * 10 + (s[i] - '0');
    }
    return value;
}

} // namespace

std::string FieldReader::text(const XmlNode* node) {
    return node ? text(std::string_view(node->text)) : std::string();
}

std::string FieldReader::attribute(const XmlNode* node, std::string_view name) {
    return node ? text(node->attribute(name)) : std::string();
}

std::string FieldReader::text(std::string_view utf8) {
    const QString value = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    QString clean;
    clean.reserve(value.size());
    for (const QChar c : value) {
        if (c == u'\n' || c == u'\r' || c == u'\t')
            clean.append(u' ');
        else if (c.category() != QChar::Other_Control)
            clean.append(c);
    }
    return fromQString(clean.simplified());
}

std::optional<Decimal> FieldReader::number(const XmlNode* node, int bt, int line) {
    if (!node)
        return std::nullopt;
    const std::optional<Decimal> value = parseDecimal(node->text);
    if (!value)
        findings.push_back(
            {bt, line, where(bt, line) + " \"" + trimmed(node) + "\" ist keine lesbare Zahl."});
    return value;
}

std::optional<DateValue> FieldReader::date(const XmlNode* node, DateForm form, int bt) {
    if (!node)
        return std::nullopt;
    const std::string s = text(node);
    const bool dashed = form == DateForm::Dashed;
    // xs:date may add a time zone ("2024-11-15Z", "2024-11-15+01:00"); the day is what counts.
    const bool shaped = dashed ? s.size() >= 10 && s[4] == '-' && s[7] == '-' : s.size() == 8;
    const int year = digits(s, 0, 4);
    const int month = digits(s, dashed ? 5 : 4, 2);
    const int day = digits(s, dashed ? 8 : 6, 2);
    std::optional<DateValue> value;
    if (shaped && year >= 0 && month >= 0 && day >= 0) {
        char dotted[16];
        std::snprintf(dotted, sizeof dotted, "%02d.%02d.%04d", day, month, year);
        value = parseDate(dotted);
    }
    if (!value)
        findings.push_back({bt, 0, where(bt, 0) + " \"" + trimmed(node) + "\" ist kein lesbares Datum."});
    return value;
}

std::string decodeBase64(std::string_view text) {
    return QByteArray::fromBase64(QByteArray::fromRawData(text.data(), static_cast<qsizetype>(text.size())))
        .toStdString();
}

} // namespace incoming
