#pragma once
// The invoice as UN/CEFACT Cross Industry Invoice (CII D16B) XML, as EN 16931 (also the XML inside a
// Factur-X / ZUGFeRD PDF) or as XRechnung 3.0.

#include "einvoice/document.h"

#include <string>

namespace einvoice {

/// Guideline identifiers (BT-24) of the two profiles.
inline constexpr const char* kEn16931Guideline = "urn:cen.eu:en16931:2017";
inline constexpr const char* kXRechnungGuideline =
    "urn:cen.eu:en16931:2017#compliant#urn:xeinkauf.de:kosit:xrechnung_3.0";

/// The XML of doc in this profile, UTF-8. It writes what doc holds; whether that makes a valid
/// e-invoice is missingFor's question, to be asked first. A line with a negative unit price is
/// written with the signs of quantity and price swapped (the rules forbid negative prices; the line
/// amount stays the same).
std::string ciiXml(const Document& doc, Profile profile);

} // namespace einvoice
