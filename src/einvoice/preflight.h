#pragma once
// What keeps an invoice from becoming a valid e-invoice, found before anything is printed or written.

#include "einvoice/document.h"

#include <string>
#include <vector>

namespace einvoice {

/// Every reason, in the order of the invoice, why doc cannot give a valid e-invoice of this profile;
/// empty when it can. Each reason is a short German phrase (Windows-1252) that completes "Für diese
/// Rechnung kann keine gültige E-Rechnung erstellt werden: <Grund>." ("PLZ des Kunden fehlt").
/// Only what the official rules need is asked for.
std::vector<std::string> missingFor(const Document& doc, Profile profile);

/// The reason to give when the buyer's postcode and town are not those of the address on paper, whose
/// last line is wohnort ("80331 München"); "" when they agree, or when either side has no town.
std::string placeDifference(std::string_view wohnort, const Buyer& buyer);

/// True when code is an ISO 3166-1 alpha-2 country code the rules accept ("DE", "AT").
bool isCountryCode(std::string_view code);

} // namespace einvoice
