#pragma once
// The invoice XML inside a hybrid PDF (Factur-X / ZUGFeRD, or an XRechnung carried in a PDF), taken
// out with qpdf's library: factur-x.xml, zugferd-invoice.xml or xrechnung.xml among the embedded
// files, else the XML file the catalog's /AF names.

#include <optional>
#include <string>
#include <string_view>

namespace incoming {

/// The attached XML's bytes, or the reason there are none: a German phrase completing "Die Datei ist
/// keine lesbare E-Rechnung: <Grund>." ("das PDF enthält keine Rechnungsdaten").
struct PdfXml {
    std::optional<std::string> xml;
    std::string refusal;
};

/// Whether bytes begin as a PDF does ("%PDF-" within the first kilobyte).
bool looksLikePdf(std::string_view bytes);

/// The invoice XML attached to pdf; an XML larger than maxBytes once decoded is refused. Odd input
/// never throws.
PdfXml invoiceXmlOfPdf(std::string_view pdf, std::size_t maxBytes);

} // namespace incoming
