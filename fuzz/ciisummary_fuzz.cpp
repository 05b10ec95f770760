// The reader of an archived XML's number and totals on any bytes: it never crashes or hangs, and a
// number it reads, written into an invoice of its own, reads back the same.

#include "einvoice/ciisummary.h"

#include <QXmlStreamWriter>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto summary =
        einvoice::readCiiSummary(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!summary)
        return 0;
    QByteArray again;
    QXmlStreamWriter writer(&again);
    writer.writeStartElement(QStringLiteral("CrossIndustryInvoice"));
    writer.writeStartElement(QStringLiteral("ExchangedDocument"));
    writer.writeTextElement(QStringLiteral("ID"), QString::fromStdString(summary->number));
    writer.writeEndElement();
    writer.writeEndElement();
    const auto read = einvoice::readCiiSummary(again.toStdString());
    if (!read || read->number != summary->number)
        std::abort();
    return 0;
}
