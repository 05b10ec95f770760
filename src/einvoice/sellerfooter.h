#pragma once
// The footer lines are free text on every page of a printout; when they name the seller's IBAN or tax
// number, those must be the ones the e-invoice carries, or paper and XML of one hybrid invoice would
// disagree about whom to pay.

#include "einvoice/document.h"

#include <string>
#include <vector>

namespace einvoice {

/// Reasons in the pre-flight's form ("Die Fußzeile nennt eine andere IBAN als die Firmendaten") for
/// an IBAN or a tax number in the footer lines that is not the seller's, blanks ignored. An IBAN is two
/// letters and two digits followed by letters and digits, whole or in groups of four, 15 to 34 in
/// all; a tax number has its digits in groups joined by "/" or follows "St.-Nr." or "Steuernummer".
/// Only what the seller has is compared.
std::vector<std::string> footerDisagreements(const std::vector<std::string>& footerLines,
                                             const Seller& seller);

} // namespace einvoice
