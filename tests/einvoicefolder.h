#pragma once
// A data folder for invoices that become e-invoices: complete company data, and customers with and
// without their e-invoice data.

#include <string>
#include <utility>
#include <vector>

using CompanyKeys = std::vector<std::pair<std::string, std::string>>;

/// Every key an e-invoice and its XRechnung need.
inline const CompanyKeys kCompleteCompany = {
    {"Firmenname", "Holzwerk Beispiel"},
    {"Ansprechpartner", "Erika Beispiel"},
    {"Strasse", "S\xE4geweg 1"},
    {"PLZ", "12345"},
    {"Ort", "Musterstadt"},
    {"Land", "DE"},
    {"Telefon", "+49 30 1234567"},
    {"EMail", "rechnung@holzwerk.de"},
    {"Steuernummer", "12/345/67890"},
    {"UStIdNr", "DE123456789"},
    {"IBAN", "DE02120300000000202051"},
    {"BIC", "BYLADEM1001"},
    {"Zahlungsziel", "14"},
    {"Zahlungsbedingungen", "Zahlbar innerhalb von 14 Tagen ohne Abzug."},
    {"Kleinunternehmer", "0"},
};

/// Firma.ini's bytes for these keys.
inline std::string companyFile(const CompanyKeys& keys) {
    std::string file;
    for (const auto& [key, value] : keys)
        file += key + "=" + value + "\r\n";
    return file;
}

/// The keys with the value of key replaced (empty: the line left out).
inline CompanyKeys withCompanyKey(CompanyKeys keys, const std::string& key, const std::string& value) {
    for (auto it = keys.begin(); it != keys.end(); ++it) {
        if (it->first == key) {
            if (value.empty())
                keys.erase(it);
            else
                it->second = value;
            break;
        }
    }
    return keys;
}
