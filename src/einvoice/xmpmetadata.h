#pragma once
// The XMP metadata packet of a Factur-X invoice PDF: PDF/A-3b identification, the document
// information the PDF's Info dictionary repeats, and the Factur-X extension schema.

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
};

/// The packet, UTF-8, with the xpacket wrapper.
std::string facturXMetadata(const XmpFields& fields);

} // namespace einvoice
