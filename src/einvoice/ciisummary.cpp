#include "einvoice/ciisummary.h"

#include <QXmlStreamReader>

#include <vector>

namespace einvoice {

namespace {

constexpr std::size_t kMaxBytes = 64 * 1024 * 1024;
constexpr std::size_t kMaxDepth = 64;

// Element paths below the root, by local name.
const QString kNumber = QStringLiteral("ExchangedDocument/ID");
const QString kSums = QStringLiteral("SupplyChainTradeTransaction/ApplicableHeaderTradeSettlement/"
                                     "SpecifiedTradeSettlementHeaderMonetarySummation/");
const QString kDelivery = QStringLiteral("SupplyChainTradeTransaction/ApplicableHeaderTradeDelivery/"
                                         "ActualDeliverySupplyChainEvent/OccurrenceDateTime/DateTimeString");

} // namespace

std::optional<CiiSummary> readCiiSummary(std::string_view xml) {
    if (xml.size() > kMaxBytes)
        return std::nullopt;
    QXmlStreamReader reader(QByteArray::fromRawData(xml.data(), static_cast<qsizetype>(xml.size())));
    std::vector<QString> path;
    CiiSummary summary;
    bool haveNumber = false;
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::DTD || (token == QXmlStreamReader::EntityReference))
            return std::nullopt;
        if (token == QXmlStreamReader::EndElement) {
            path.pop_back();
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (path.size() >= kMaxDepth ||
            (path.empty() && reader.name() != QLatin1String("CrossIndustryInvoice")))
            return std::nullopt;
        path.push_back(reader.name().toString());
        QString below;
        for (std::size_t i = 1; i < path.size(); ++i)
            below += (i > 1 ? "/" : "") + path[i];
        // The first of each counts; readElementText consumes the element's end.
        std::string* text = nullptr;
        if (below == kNumber && !haveNumber)
            text = &summary.number;
        else if (below == kSums + "LineTotalAmount" && summary.lineTotal.empty())
            text = &summary.lineTotal;
        else if (below == kSums + "GrandTotalAmount" && summary.grandTotal.empty())
            text = &summary.grandTotal;
        else if (below == kDelivery && summary.deliveryDate.empty())
            text = &summary.deliveryDate;
        if (!text)
            continue;
        *text = reader.readElementText(QXmlStreamReader::IncludeChildElements).trimmed().toStdString();
        haveNumber = haveNumber || text == &summary.number;
        path.pop_back();
    }
    if (reader.hasError() || !haveNumber)
        return std::nullopt;
    return summary;
}

} // namespace einvoice
