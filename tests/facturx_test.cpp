// The Factur-X maker: a Qt-drawn page with the invoice's XML attached. qpdf's own check passes, the
// attachment extracts byte for byte, catalog and XMP say what a PDF/A-3b Factur-X invoice says, the
// page still reads; input it cannot use gives nothing, never a crash.

#include "einvoice/ciiwriter.h"
#include "einvoice/facturx.h"
#include "einvoice/xmpmetadata.h"
#include "einvoicetesting.h"
#include "support/testenv.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

/// A page of text as the print layer draws it, as PDF/A-1b or as a plain PDF.
std::string drawnPdf(bool pdfA) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        if (pdfA)
            writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
        writer.setPageSize(QPageSize(QPageSize::A4));
        QPainter painter(&writer);
        painter.setFont(QFont("Liberation Sans", 12));
        painter.drawText(QPointF(500, 800),
                         QString::fromUtf8("Rechnung 17 M\u00FCller & S\u00F6hne 12,50 \u20AC"));
    }
    return buffer.data().toStdString();
}

class FacturXTest : public ProgramTest {
  protected:
    QString path(const char* name) const { return QString::fromStdString(dataPath(name)); }

    const einvoice::PdfInfo info_{"Rechnung 17 M\xFCller \x80", "Beispiel Handel", 1796601600, ""};
    const std::string xml_ = einvoice::ciiXml(sampleDocument(), einvoice::Profile::En16931);
};

TEST_F(FacturXTest, HybridInvoiceIsCompleteAndReadable) {
    struct Input {
        const char* name;
        std::string pdf;
    };
    const std::string once = einvoice::makeFacturX(drawnPdf(true), xml_, info_).value_or("");
    const Input inputs[] = {
        {"PDF/A-1b page", drawnPdf(true)},
        {"plain page, no output intent", drawnPdf(false)},
        {"made a second time", once},
    };
    for (const Input& input : inputs) {
        SCOPED_TRACE(input.name);
        const auto out = einvoice::makeFacturX(input.pdf, xml_, info_);
        ASSERT_TRUE(out.has_value());
        writeData("out.pdf", *out);
        EXPECT_EQ(out->substr(0, 8), "%PDF-1.7");

        const ToolRun check = runTool("qpdf", {"--check", path("out.pdf")});
        EXPECT_EQ(check.exitCode, 0) << check.out;
        EXPECT_NE(check.out.find("No syntax or stream encoding errors"), std::string::npos) << check.out;
        EXPECT_EQ(runTool("qpdf", {"--show-attachment=factur-x.xml", path("out.pdf")}).out, xml_);
        // pdffonts lists each font with "yes" or "no" in its emb column (after name, type, encoding).
        const ToolRun fonts = runTool("pdffonts", {path("out.pdf")});
        const QStringList fontRows = QString::fromStdString(fonts.out).split('\n', Qt::SkipEmptyParts).mid(2);
        EXPECT_FALSE(fontRows.isEmpty()) << fonts.out;
        for (const QString& row : fontRows)
            EXPECT_EQ(row.mid(row.indexOf(QRegularExpression("(yes|no) +(yes|no) +(yes|no)")), 3), "yes")
                << row.toStdString();
        const ToolRun text = runTool("pdftotext", {path("out.pdf"), "-"});
        EXPECT_NE(text.out.find("Rechnung 17 M\u00FCller & S\u00F6hne 12,50 \u20AC"), std::string::npos)
            << text.out;

        // Catalog, Info and attachment as qpdf reports them (strings as "u:" + UTF-8).
        const QJsonObject json =
            QJsonDocument::fromJson(
                QByteArray::fromStdString(runTool("qpdf", {"--json=2", "--json-key=qpdf",
                                                           "--json-key=attachments", path("out.pdf")})
                                              .out))
                .object();
        const QJsonObject objects = json["qpdf"].toArray()[1].toObject();
        const auto object = [&](const QJsonValue& ref) {
            return objects["obj:" + ref.toString()].toObject();
        };
        const QJsonObject trailer = objects["trailer"].toObject()["value"].toObject();
        const QJsonObject root = object(trailer["/Root"])["value"].toObject();
        const QJsonObject info = object(trailer["/Info"])["value"].toObject();
        const QJsonObject attachments = json["attachments"].toObject();
        const QJsonObject attachment = attachments["factur-x.xml"].toObject();
        const QJsonObject entry = object(attachment["filespec"])["value"].toObject();
        const QJsonObject stream =
            object(entry["/EF"].toObject()["/F"])["stream"].toObject()["dict"].toObject();
        EXPECT_EQ(attachments.size(), 1);
        EXPECT_EQ(root["/AF"].toArray(), QJsonArray{attachment["filespec"]});
        EXPECT_EQ(entry["/AFRelationship"], "/Alternative");
        EXPECT_EQ(entry["/F"], "u:factur-x.xml");
        EXPECT_EQ(entry["/UF"], "u:factur-x.xml");
        EXPECT_EQ(stream["/Subtype"], "/text/xml");
        EXPECT_EQ(stream["/Params"].toObject()["/ModDate"], "u:D:20261207000000Z");
        EXPECT_EQ(info["/Title"], "u:Rechnung 17 M\u00FCller \u20AC");
        EXPECT_EQ(info["/CreationDate"], "u:D:20261207000000Z");
        EXPECT_TRUE(
            object(root["/OutputIntents"].toArray()[0])["value"].toObject().contains("/DestOutputProfile"));

        // The packet stands unfiltered in the file, right after its stream keyword.
        const std::size_t begin = out->find("stream\n<?xpacket begin=");
        ASSERT_NE(begin, std::string::npos);
        XmlFields xmp =
            readXmlFields(out->substr(begin + 7, out->find("<?xpacket end=\"w\"?>") - begin + 12));
        const std::pair<std::string, QJsonValue> entries[] = {
            {"part", "3"},
            {"conformance", "B"},
            {"DocumentType", "INVOICE"},
            {"DocumentFileName", "factur-x.xml"},
            {"Version", "1.0"},
            {"ConformanceLevel", "EN 16931"},
            {"schemas/Bag/li/namespaceURI", "urn:factur-x:pdfa:CrossIndustryDocument:invoice:1p0#"},
            {"CreateDate", "2026-12-07T00:00:00Z"},
            {"title/Alt/li", info["/Title"]},
            {"creator/Seq/li", info["/Author"]},
            {"Producer", info["/Producer"]},
            {"CreatorTool", info["/Creator"]},
        };
        for (const auto& [path, value] : entries) {
            const std::string expected = value.toString().remove(QRegularExpression("^u:")).toStdString();
            EXPECT_EQ(xmp["RDF/Description/" + path], std::vector<std::string>{expected}) << path;
        }
    }
}

// An archived copy carries the chain value before it in a property of our own, described as PDF/A
// wants it; the attachment reads back.
TEST_F(FacturXTest, ArchivedCopyCarriesTheChainValue) {
    einvoice::PdfInfo info = info_;
    info.chainValue = std::string(64, 'e');
    const std::string page = drawnPdf(true);
    const auto out = einvoice::makeFacturX(page, xml_, info);
    ASSERT_TRUE(out.has_value());
    const std::size_t begin = out->find("<?xpacket begin=");
    const XmlFields xmp = readXmlFields(out->substr(begin, out->find("<?xpacket end=\"w\"?>") - begin + 19));
    EXPECT_EQ(xmp.at("RDF/Description/ChainValue"), std::vector<std::string>{info.chainValue});
    EXPECT_EQ(xmp.at("RDF/Description/schemas/Bag/li/namespaceURI"),
              (std::vector<std::string>{"urn:factur-x:pdfa:CrossIndustryDocument:invoice:1p0#",
                                        einvoice::kArchiveNamespace}));
    EXPECT_EQ(einvoice::attachedXml(*out), xml_);
    EXPECT_EQ(einvoice::attachedXml(page), std::nullopt) << "no attachment";
    EXPECT_EQ(einvoice::attachedXml("%PDF-1.7 junk"), std::nullopt);
}

TEST_F(FacturXTest, InputItCannotUseGivesNothing) {
    const std::string page = drawnPdf(true);
    writeData("page.pdf", page);
    ASSERT_EQ(
        runTool("qpdf", {"--encrypt", "u", "o", "256", "--", path("page.pdf"), path("locked.pdf")}).exitCode,
        0);
    ASSERT_EQ(runTool("qpdf", {"--empty", path("empty.pdf")}).exitCode, 0);
    struct Input {
        const char* name;
        std::string pdf;
        std::string xml;
    };
    const Input inputs[] = {
        {"no bytes", "", xml_},
        {"no XML", page, ""},
        {"not a PDF", "Rechnung\r\n\x80\x00\x01", xml_},
        {"only a header", "%PDF-1.4\n", xml_},
        {"cut in half", page.substr(0, page.size() / 2), xml_},
        {"the end missing", page.substr(0, page.size() - 40), xml_},
        {"encrypted", readData("locked.pdf"), xml_},
        {"no page", readData("empty.pdf"), xml_},
    };
    for (const Input& input : inputs)
        EXPECT_FALSE(einvoice::makeFacturX(input.pdf, input.xml, info_).has_value()) << input.name;
}

} // namespace
