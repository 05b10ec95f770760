#include "einvoice/cleantext.h"

#include "runtime/codepage.h"

namespace einvoice {

QString cleanText(std::string_view text) {
    const QString decoded = toQString(text);
    QString out;
    out.reserve(decoded.size());
    for (const QChar c : decoded) {
        if (c == u'\t' || c == u'\r' || c == u'\n')
            out.append(u' ');
        else if (c.category() != QChar::Other_Control)
            out.append(c);
    }
    return out.trimmed();
}

bool isBlank(std::string_view text) {
    return cleanText(text).isEmpty();
}

} // namespace einvoice
