// The CII writer on any texts: whatever bytes the program's fields hold, the XML is well-formed and
// every text comes back as cleanText made it (escaped, control characters gone, nothing lost).

#include "einvoice/ciiwriter.h"
#include "einvoice/cleantext.h"

#include <QXmlStreamReader>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const auto profile = data[0] & 1 ? einvoice::Profile::XRechnung : einvoice::Profile::En16931;
    std::vector<std::string> f(1);
    for (std::size_t i = 1; i < size; ++i) {
        if (data[i] == '|')
            f.emplace_back();
        else
            f.back() += static_cast<char>(data[i]);
    }
    f.resize(std::max<std::size_t>(f.size(), 12));
    einvoice::Document doc;
    doc.number = f[0];
    doc.seller.name = f[1];
    doc.seller.street = f[2];
    doc.seller.email = f[3];
    doc.seller.vatId = f[4];
    doc.seller.iban = f[5];
    doc.buyer.name = f[6];
    doc.buyer.addressLines = {f[7], f[8], f[9]};
    doc.paymentTerms = f[10];
    doc.smallBusiness = data[0] & 2;
    // Twenty lines show what a line does; more would only slow every input down.
    for (std::size_t i = 11; i < std::min<std::size_t>(f.size(), 31); ++i) {
        const auto n = static_cast<std::int64_t>(f[i].size()) - 5;
        doc.lines.push_back(
            {f[i], f[i], money::Quantity{n * 1000}, money::Price{n * 12345}, money::Amount{n}});
    }

    QXmlStreamReader reader(QByteArray::fromStdString(einvoice::ciiXml(doc, profile)));
    std::vector<QString> names;
    bool inProduct = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("SpecifiedTradeProduct"))
            inProduct = true;
        else if (reader.isEndElement() && reader.name() == QLatin1String("SpecifiedTradeProduct"))
            inProduct = false;
        else if (inProduct && reader.isStartElement() && reader.name() == QLatin1String("Name"))
            names.push_back(reader.readElementText());
    }
    if (reader.hasError() || names.size() != doc.lines.size())
        std::abort();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] != einvoice::cleanText(doc.lines[i].name))
            std::abort();
    }
    return 0;
}
