#pragma once
// The section "Buchhaltung" of the company data dialog: Beraternummer, Mandantennummer, Kontenrahmen,
// Wirtschaftsjahr beginnt, Sachkontenlänge, Debitoren and the accounts that replace the chart's.

#include "state/companydata.h"

/// Creates the section's controls in the current window from (x, y) down, filled from company.
void createAccountingSection(int x, int y, const CompanyData& company);

/// Takes the section's values as typed into company.
void readAccountingSection(CompanyData& company);
