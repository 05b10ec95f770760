#pragma once
// The German names of the codes an e-invoice carries: document types, units of measure, VAT
// categories and payment means. A code without a name here is shown as the code itself.

#include <string>
#include <string_view>

namespace incoming {

/// UNTDID 1001 ("380" Rechnung, "381" Gutschrift, "384" Korrekturrechnung, ...).
std::string documentTypeName(std::string_view code);

/// UN/ECE Rec. 20 and 21 ("C62" Stück, "HUR" Stunde, "KGM" Kilogramm, ...).
std::string unitName(std::string_view code);

/// UNCL 5305 ("S" Umsatzsteuer, "AE" Steuerschuldnerschaft des Leistungsempfängers, ...).
std::string vatCategoryName(std::string_view code);

/// UNTDID 4461 ("58" SEPA-Überweisung, "59" SEPA-Lastschrift, ...).
std::string paymentMeansName(std::string_view code);

} // namespace incoming
