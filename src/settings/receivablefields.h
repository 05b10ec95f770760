#pragma once
// The company data dialog's fields of getting paid, below the others: "Skonto %", "Skonto Tage",
// "Mahngebühr", "Verzugszinssatz" and "Zahlungsziel für Mahnungen".

struct CompanyData;

/// How many rows the fields take.
inline constexpr int kReceivableFieldRows = 5;

/// Creates the fields one row apart from y on, each with its caption left of fieldX, filled from the
/// company data.
void createReceivableFields(int y, int rowStep, int fieldX);

/// The refusal of what the fields hold, naming the field; nullptr when they pass.
const char* receivableFieldsRefusal();

/// Takes what the fields hold into the company data.
void takeReceivableFields(CompanyData& company);
