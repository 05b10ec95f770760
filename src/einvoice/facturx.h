#pragma once
// The hybrid invoice: the printout's PDF made PDF/A-3b, with the invoice's XML attached as
// factur-x.xml, so that people read the page and programs read the XML (Factur-X / ZUGFeRD).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace einvoice {

/// What the PDF says about itself, in its Info dictionary and its XMP packet alike.
struct PdfInfo {
    /// Windows-1252, as the program holds texts ("Rechnung 17").
    std::string title;
    /// Windows-1252; usually the seller's name.
    std::string author;
    /// Seconds since 1970-01-01 00:00 UTC; creation, modification and the attachment's date.
    std::int64_t createdUtc = 0;
    /// The archive's chain value before the invoice (hex), carried in the XMP packet; empty for none.
    std::string chainValue = {};
};

/// pdf (the drawn pages, ideally Qt's PDF/A-1b output: fonts embedded, an sRGB output intent) with
/// xml (the EN 16931 CII bytes) attached as factur-x.xml (relationship Alternative, text/xml, listed
/// in the catalog's /AF and the embedded files), the XMP packet of a PDF/A-3b Factur-X invoice, an
/// sRGB output intent when the input has none, and info as Info dictionary. nullopt when pdf cannot
/// be read (damaged, encrypted, no page) or xml is empty; odd input never throws.
std::optional<std::string> makeFacturX(std::string_view pdf, std::string_view xml, const PdfInfo& info);

/// The factur-x.xml attached to pdf; nullopt when pdf cannot be read or has no such attachment. Odd
/// input never throws.
std::optional<std::string> attachedXml(std::string_view pdf);

} // namespace einvoice
