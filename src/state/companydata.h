#pragma once
// The company data: who issues the invoices, with the address, contact, tax and bank data and the
// payment terms an e-invoice names, and whether the business invoices without VAT as a small business.
// Read from Firma.ini at start, edited in the company data dialog. Without Firma.ini the program
// prints and writes as it did before there were company data.

#include <array>
#include <cstddef>
#include <string>

/// The payment terms a new Firma.ini starts with; "{Tage}" stands for the invoice's Zahlungsziel.
inline constexpr const char* kDefaultPaymentTerms = "Zahlbar innerhalb von {Tage} Tagen ohne Abzug.";

/// The revenue accounts of the eight tax cases and the bank account.
inline constexpr std::size_t kAccountFields = 9;

struct CompanyData {
    /// Firma.ini was read, or the dialog saved the data in this run.
    bool present = false;

    std::string name;
    std::string contactName;
    std::string street;
    std::string postcode;
    std::string city;
    /// ISO 3166 code.
    std::string countryCode = "DE";
    std::string telephone;
    std::string email;
    /// Steuernummer; when empty, the options' one stands on paper.
    std::string taxNumber;
    /// USt-IdNr.
    std::string vatId;
    std::string iban;
    std::string bic;
    /// Zahlungsziel in days as typed (paymentDaysOf gives the number).
    std::string paymentDays = "14";
    std::string paymentTerms = kDefaultPaymentTerms;
    /// Kleinunternehmer (§ 19 UStG): no VAT on the invoices.
    bool smallBusiness = false;

    // The section "Buchhaltung" as typed, for the exports to the tax adviser. Firma.ini gets a key of
    // them only once it differs from its default, so that an earlier file saves unchanged.
    std::string adviserNumber;
    std::string clientNumber;
    /// "SKR03" or "SKR04".
    std::string chart = "SKR03";
    /// "dd.mm."
    std::string fiscalYearStart = "01.01.";
    std::string accountLength = "4";
    /// "Sammelkonto" or "je Kunde".
    std::string debtors = "Sammelkonto";
    /// The revenue accounts of the tax cases in their order (19 %, 7 %, 0 %, Kleinunternehmer,
    /// Reverse Charge EU, innergemeinschaftliche Lieferung, Ausfuhr, nicht steuerbar), then the bank
    /// account; "" keeps the chart's.
    std::array<std::string, kAccountFields> accounts;
    /// "Skonto %" and "Skonto Tage" as typed; empty: no cash discount.
    std::string cashDiscountPercent;
    std::string cashDiscountDays;
    /// "Mahngebühr" in € and "Verzugszinssatz" in % a year as typed; empty: none is charged.
    std::string dunningFee;
    std::string interestRate;
    /// "Zahlungsziel für Mahnungen" in days as typed.
    std::string dunningDays = "10";

    /// Firma.ini's lines as read, each ended by CR LF, so that lines and keys the program does not know
    /// are written back in their places.
    std::string fileLines;
};

/// The one company data record of the program.
CompanyData& companyData();
/// Back to the state at start: no company data, the defaults in every field.
void resetCompanyData();

/// Whether the invoices go out without VAT: company data present, as a small business.
bool invoicesWithoutTax();

/// The tax number printed after "St.-Nr.:": the company data's when they are present and have one,
/// else the options' one.
const std::string& taxNumberOnPaper();
