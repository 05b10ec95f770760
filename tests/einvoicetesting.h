#pragma once
// Helpers for the e-invoice tests: a complete sample invoice, a generator of varied ones computed
// with the money rules, the official check run over a folder, and an XML file read back as paths.

#include "einvoice/document.h"
#include "einvoice/netlines.h"

#include <QProcess>
#include <QXmlStreamReader>
#include <map>
#include <string>
#include <vector>

/// Every text field holds what XML must escape and what Windows-1252 adds (ä, ß, €).
inline const std::string kAwkward = "M\xFCller & S\xF6hne <GmbH> \"Qualit\xE4t\" 'gro\xDF' \x80";

/// Line amounts and totals as the printout computes them. Gross prices: the lines hold gross
/// prices and are turned net for the XML.
inline void computeAmounts(einvoice::Document& doc, bool pricesGross) {
    money::Amount sum;
    for (einvoice::Line& line : doc.lines) {
        line.netAmount = money::lineAmount(line.quantity, line.netPrice).value();
        sum = money::add(sum, line.netAmount).value();
    }
    const money::Rate rate = doc.smallBusiness ? money::Rate{} : doc.rate;
    doc.totals = money::totalsOf(sum, rate, pricesGross).value();
    if (pricesGross && !einvoice::convertGrossLines(doc.lines, rate, doc.totals.net))
        throw std::logic_error("gross lines do not convert");
}

/// A complete invoice of two lines at 19 %, net prices.
inline einvoice::Document sampleDocument() {
    einvoice::Document doc;
    doc.number = "17";
    doc.issueDate = dateValueOf(2026, 12, 7);
    doc.deliveryDate = dateValueOf(2026, 12, 1);
    doc.dueDate = dateValueOf(2026, 12, 21);
    doc.paymentTerms = "Zahlbar innerhalb von 14 Tagen ohne Abzug.";
    doc.rate = money::parse<money::Rate>("19");
    // Everything XRechnung needs: contact, IBAN, Leitweg-ID, the buyer's e-mail address.
    doc.seller = {"Beispiel Handel",
                  "Erika Beispiel",
                  "Hauptstr. 1",
                  "12345",
                  "Musterstadt",
                  "DE",
                  "+49 30 1234567",
                  "rechnung@beispiel.de",
                  "12/345/67890",
                  "DE123456789",
                  "DE02 1203 0000 0000 2020 51",
                  "BYLADEM1001"};
    doc.buyer.name = "Max Kunde";
    doc.buyer.addressLines = {"Ringweg 2", "c/o Amt", ""};
    doc.buyer.postcode = "54321";
    doc.buyer.city = "Beispielort";
    doc.buyer.email = "max@kunde.de";
    doc.buyer.reference = "04011000-12345-03";
    doc.buyer.id = "17";
    doc.lines = {
        {"Schraube M6",
         "verzinkt",
         money::parse<money::Quantity>("2,5"),
         money::parse<money::Price>("1.234,56"),
         {},
         {}},
        {"Montage", "", money::parse<money::Quantity>("3"), money::parse<money::Price>("45"), {}, {}}};
    computeAmounts(doc, false);
    return doc;
}

/// The n-th of a family of invoices that differ in what matters to the rules: 1 to 60 lines, net
/// and gross prices, 19, 7 and 0 %, small business, with and without Leitweg-ID, awkward texts,
/// grouped prices, decimal and negative quantities, cash discounts.
inline einvoice::Document variedDocument(int n) {
    static const char* const kRates[] = {"19", "7", "0", "19", "7,5", "7"};
    static const char* const kPrices[] = {"12,50", "1.234,56", "0,125", "99.999,99", "3", "0,01", "1,234.5"};
    static const char* const kQuantities[] = {"1", "2,5", "0,125", "10", "3", "-1", "1.000"};
    static const int kLineCounts[] = {1, 2, 3, 5, 18, 60, 7, 1, 4, 12};
    einvoice::Document doc = sampleDocument();
    doc.number = std::to_string(1000 + n);
    doc.smallBusiness = n % 5 == 4;
    doc.rate = money::parse<money::Rate>(kRates[n % 6]);
    const std::string decoration = n % 2 == 0 ? " " + kAwkward : "";
    for (std::string* text :
         {&doc.seller.name, &doc.seller.contactName, &doc.seller.street, &doc.seller.city, &doc.buyer.name,
          &doc.buyer.addressLines[0], &doc.buyer.addressLines[1], &doc.buyer.city, &doc.paymentTerms})
        *text += decoration;
    if (n % 3 == 1)
        doc.buyer.reference.clear();
    if (n % 4 == 3)
        doc.seller.vatId.clear();
    doc.lines.clear();
    const int count = kLineCounts[n % 10];
    for (int i = 0; i < count; ++i) {
        const int k = n * 7 + i * 3;
        einvoice::Line line;
        line.name = "Artikel " + std::to_string(i + 1) + decoration;
        line.description = i % 2 ? "Beschreibung" + decoration : "";
        line.quantity = money::parse<money::Quantity>(kQuantities[k % 7]);
        line.netPrice = money::parse<money::Price>(kPrices[(k / 7 + i) % 7]);
        doc.lines.push_back(line);
    }
    if (count > 2)
        doc.lines[1].netPrice.units = -doc.lines[1].netPrice.units; // a discount line
    if (n % 3 == 0)
        doc.cashDiscount =
            einvoice::CashDiscountTerms{n % 4 * 7, money::parse<money::Rate>(n % 2 ? "1,5" : "2")};
    computeAmounts(doc, n % 2 == 1);
    return doc;
}

/// CII xml with a supporting document (BG-24) embedded under fileName, as a supplier attaches a
/// timesheet.
inline std::string withAttachment(std::string xml, const std::string& fileName, const std::string& bytes) {
    const std::string reference =
        "<ram:AdditionalReferencedDocument><ram:IssuerAssignedID>A1</ram:IssuerAssignedID><ram:TypeCode>916"
        "</ram:TypeCode><ram:Name>Stundenzettel</ram:Name><ram:AttachmentBinaryObject mimeCode=\"text/csv\" "
        "filename=\"" +
        fileName + "\">" + QByteArray::fromStdString(bytes).toBase64().toStdString() +
        "</ram:AttachmentBinaryObject></ram:AdditionalReferencedDocument>";
    xml.insert(xml.find("</ram:ApplicableHeaderTradeAgreement>"), reference);
    return xml;
}

/// What a command-line tool printed on standard output (and error, when merged) and how it ended.
struct ToolRun {
    int exitCode = -1;
    std::string out;
};

inline ToolRun runTool(const QString& program, const QStringList& args, bool mergeErrors = false) {
    QProcess process;
    if (mergeErrors)
        process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    ToolRun run;
    if (process.waitForFinished(300000) && process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput().toStdString();
    return run;
}

/// scripts/check-einvoice.sh over a folder.
inline ToolRun runEinvoiceCheck(const QString& folder) {
    return runTool(QStringLiteral(QUILLORA_SOURCE_DIR "/scripts/check-einvoice.sh"), {folder}, true);
}

/// Element paths below the root ("ExchangedDocument/ID", attributes as ".../BilledQuantity/@unitCode")
/// to the texts found there, in document order.
using XmlFields = std::map<std::string, std::vector<std::string>>;

inline XmlFields readXmlFields(const std::string& xml) {
    XmlFields fields;
    QXmlStreamReader reader(QByteArray::fromStdString(xml));
    std::vector<std::string> path;
    const auto joined = [&] {
        std::string p;
        for (std::size_t i = 1; i < path.size(); ++i)
            p += (i > 1 ? "/" : "") + path[i];
        return p;
    };
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            path.push_back(reader.name().toString().toStdString());
            for (const QXmlStreamAttribute& a : reader.attributes())
                fields[joined() + "/@" + a.name().toString().toStdString()].push_back(
                    a.value().toString().toStdString());
        } else if (token == QXmlStreamReader::EndElement) {
            path.pop_back();
        } else if (token == QXmlStreamReader::Characters && !reader.isWhitespace()) {
            fields[joined()].push_back(reader.text().toString().toStdString());
        }
    }
    if (reader.hasError())
        fields["error"].push_back(reader.errorString().toStdString());
    return fields;
}
