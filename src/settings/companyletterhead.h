#pragma once
// A folder whose options were never saved prints the placeholder texts of the letterhead and the
// footer; with company data at hand, those texts come from the company data instead.

#include "state/companydata.h"
#include "state/settings.h"

/// Sets the logo line, the sender line above the customer's address and the four footer blocks
/// (address, contact, bank, tax numbers) from company; an empty value leaves its line out, so that no
/// placeholder and no bare label is printed. The sizes and the rest stay as they are.
void takeLetterheadFromCompany(Settings& s, const CompanyData& company);
