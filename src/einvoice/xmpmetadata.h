#pragma once
// The XMP metadata packet of a Factur-X invoice PDF: PDF/A-3b identification, the document
// information the PDF's Info dictionary repeats, the Factur-X extension schema and, for an archived
// invoice, the archive's chain value before it.

#include <QString>
#include <string>

namespace einvoice {

/// Name of the attached XML inside a Factur-X PDF.
inline constexpr const char* kFacturXFileName = "factur-x.xml";

/// What the packet says about the document; PDF/A wants the same values in the Info dictionary.
struct XmpFields {
    QString title;
    QString author;
    QString creatorTool;
    QString producer;
    /// ISO 8601 with zone ("2026-12-07T16:57:19Z"), for both creation and modification.
    QString date;
    /// The archive's chain value before this invoice (64 hex digits), in a property of our own schema;
    /// none when empty.
    QString chainValue;
};

/// The namespace of the archive's own XMP property, ChainValue.
inline constexpr const char* kArchiveNamespace = "urn:quillora:pdfa:archive:1p0#";

/// The packet, UTF-8, with the xpacket wrapper.
std::string facturXMetadata(const XmpFields& fields);

} // namespace einvoice
