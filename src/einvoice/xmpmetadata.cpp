#include "einvoice/xmpmetadata.h"

#include <QXmlStreamWriter>

#include <span>

namespace einvoice {

namespace {

const QString kRdf = QStringLiteral("http://www.w3.org/1999/02/22-rdf-syntax-ns#");
const QString kPdfaId = QStringLiteral("http://www.aiim.org/pdfa/ns/id/");
const QString kDc = QStringLiteral("http://purl.org/dc/elements/1.1/");
const QString kXmp = QStringLiteral("http://ns.adobe.com/xap/1.0/");
const QString kPdf = QStringLiteral("http://ns.adobe.com/pdf/1.3/");
const QString kExtension = QStringLiteral("http://www.aiim.org/pdfa/ns/extension/");
const QString kSchema = QStringLiteral("http://www.aiim.org/pdfa/ns/schema#");
const QString kProperty = QStringLiteral("http://www.aiim.org/pdfa/ns/property#");
const QString kFacturX = QStringLiteral("urn:factur-x:pdfa:CrossIndustryDocument:invoice:1p0#");

struct FxProperty {
    const char* name;
    const char* value;
    const char* description;
};

const FxProperty kChainProperty = {
    "ChainValue", "", "SHA-256 of the last line of the archive's checksum list before this invoice"};

const FxProperty kFxProperties[] = {
    {"DocumentFileName", kFacturXFileName, "The name of the embedded XML document"},
    {"DocumentType", "INVOICE", "The type of the hybrid document in capital letters, e.g. INVOICE or ORDER"},
    {"Version", "1.0", "The actual version of the standard applying to the embedded XML document"},
    {"ConformanceLevel", "EN 16931", "The conformance level of the embedded XML document"},
};

class Packet {
  public:
    explicit Packet(QByteArray* out) : x_(out) { x_.setAutoFormatting(true); }

    void write(const XmpFields& f) {
        x_.writeProcessingInstruction(QStringLiteral("xpacket"),
                                      QStringLiteral("begin=\"\uFEFF\" id=\"W5M0MpCehiHzreSzNTczkc9d\""));
        x_.writeNamespace(QStringLiteral("adobe:ns:meta/"), QStringLiteral("x"));
        x_.writeStartElement(QStringLiteral("adobe:ns:meta/"), QStringLiteral("xmpmeta"));
        x_.writeNamespace(kRdf, QStringLiteral("rdf"));
        x_.writeStartElement(kRdf, QStringLiteral("RDF"));

        description(kPdfaId, "pdfaid");
        x_.writeTextElement(kPdfaId, QStringLiteral("part"), QStringLiteral("3"));
        x_.writeTextElement(kPdfaId, QStringLiteral("conformance"), QStringLiteral("B"));
        x_.writeEndElement();

        description(kDc, "dc");
        x_.writeTextElement(kDc, QStringLiteral("format"), QStringLiteral("application/pdf"));
        container(kDc, "title", "Alt", f.title, true);
        container(kDc, "creator", "Seq", f.author, false);
        x_.writeEndElement();

        description(kXmp, "xmp");
        x_.writeTextElement(kXmp, QStringLiteral("CreatorTool"), f.creatorTool);
        x_.writeTextElement(kXmp, QStringLiteral("CreateDate"), f.date);
        x_.writeTextElement(kXmp, QStringLiteral("ModifyDate"), f.date);
        x_.writeTextElement(kXmp, QStringLiteral("MetadataDate"), f.date);
        x_.writeEndElement();

        description(kPdf, "pdf");
        x_.writeTextElement(kPdf, QStringLiteral("Producer"), f.producer);
        x_.writeEndElement();

        extensionSchema(!f.chainValue.isEmpty());

        description(kFacturX, "fx");
        for (const FxProperty& p : kFxProperties)
            x_.writeTextElement(kFacturX, QLatin1String(p.name), QLatin1String(p.value));
        x_.writeEndElement();

        if (!f.chainValue.isEmpty()) {
            const QString archive = QLatin1String(kArchiveNamespace);
            description(archive, "qa");
            x_.writeTextElement(archive, QLatin1String(kChainProperty.name), f.chainValue);
            x_.writeEndElement();
        }

        x_.writeEndElement();
        x_.writeEndElement();
        x_.writeProcessingInstruction(QStringLiteral("xpacket"), QStringLiteral("end=\"w\""));
    }

  private:
    void description(const QString& ns, const char* prefix) {
        x_.writeStartElement(kRdf, QStringLiteral("Description"));
        x_.writeAttribute(kRdf, QStringLiteral("about"), QString());
        x_.writeNamespace(ns, QLatin1String(prefix));
    }
    void resourceItem() {
        x_.writeStartElement(kRdf, QStringLiteral("li"));
        x_.writeAttribute(kRdf, QStringLiteral("parseType"), QStringLiteral("Resource"));
    }
    /// <prefix:name><rdf:Alt|Seq><rdf:li>value</rdf:li></...></...>
    void container(const QString& ns, const char* name, const char* kind, const QString& value, bool lang) {
        x_.writeStartElement(ns, QLatin1String(name));
        x_.writeStartElement(kRdf, QLatin1String(kind));
        x_.writeStartElement(kRdf, QStringLiteral("li"));
        if (lang)
            x_.writeAttribute(QStringLiteral("xml:lang"), QStringLiteral("x-default"));
        x_.writeCharacters(value);
        x_.writeEndElement();
        x_.writeEndElement();
        x_.writeEndElement();
    }

    // PDF/A accepts a namespace outside its own list only when the packet describes it.
    void extensionSchema(bool withChain) {
        description(kExtension, "pdfaExtension");
        x_.writeNamespace(kSchema, QStringLiteral("pdfaSchema"));
        x_.writeNamespace(kProperty, QStringLiteral("pdfaProperty"));
        x_.writeStartElement(kExtension, QStringLiteral("schemas"));
        x_.writeStartElement(kRdf, QStringLiteral("Bag"));
        schema("Factur-X PDFA Extension Schema", kFacturX, "fx", kFxProperties);
        if (withChain)
            schema("Quillora Archive Schema", QLatin1String(kArchiveNamespace), "qa", {&kChainProperty, 1});
        x_.writeEndElement(); // Bag
        x_.writeEndElement(); // schemas
        x_.writeEndElement(); // Description
    }
    void schema(const char* name, const QString& ns, const char* prefix,
                std::span<const FxProperty> properties) {
        resourceItem();
        x_.writeTextElement(kSchema, QStringLiteral("schema"), QLatin1String(name));
        x_.writeTextElement(kSchema, QStringLiteral("namespaceURI"), ns);
        x_.writeTextElement(kSchema, QStringLiteral("prefix"), QLatin1String(prefix));
        x_.writeStartElement(kSchema, QStringLiteral("property"));
        x_.writeStartElement(kRdf, QStringLiteral("Seq"));
        for (const FxProperty& p : properties) {
            resourceItem();
            x_.writeTextElement(kProperty, QStringLiteral("name"), QLatin1String(p.name));
            x_.writeTextElement(kProperty, QStringLiteral("valueType"), QStringLiteral("Text"));
            x_.writeTextElement(kProperty, QStringLiteral("category"), QStringLiteral("external"));
            x_.writeTextElement(kProperty, QStringLiteral("description"), QLatin1String(p.description));
            x_.writeEndElement();
        }
        x_.writeEndElement(); // Seq
        x_.writeEndElement(); // property
        x_.writeEndElement(); // li
    }

    QXmlStreamWriter x_;
};

} // namespace

std::string facturXMetadata(const XmpFields& fields) {
    QByteArray out;
    Packet(&out).write(fields);
    // The writer's formatting starts with a line break; the packet begins at its header.
    return out.trimmed().toStdString();
}

} // namespace einvoice
