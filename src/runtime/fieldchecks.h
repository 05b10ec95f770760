#pragma once
// Checks of what the user types for an e-invoice (IBAN, VAT id, postcode, e-mail address, country
// code, payment days, Leitweg-ID), and the message that tells what a refused field needs.

#include <optional>
#include <string>
#include <string_view>

/// The bytes no text field of a record may hold: "|" would split a Daten.dat record, CR, LF and NUL
/// end a line of any data file.
inline constexpr std::string_view kRecordBreakers{"|\r\n\0", 4};

enum class FieldRule {
    /// ISO 13616: country letters, check digits and account letters or digits; blanks allowed.
    Iban,
    /// Two letters and the number; "DE" and exactly nine digits for a German one.
    VatId,
    /// Five digits where the country is DE; any text elsewhere.
    Postcode,
    /// One "@" with text before it and a dot after it.
    Email,
    /// ISO 3166 code: two letters.
    CountryCode,
    /// A whole number of days from 0 to 365.
    PaymentDays,
    /// A value shaped like a Leitweg-ID (up to three parts of letters and digits joined by "-", the
    /// last two digits) carries the check digits of ISO 7064 mod 97-10; any other buyer reference passes.
    LeitwegId,
};

/// Whether text passes the rule. An empty text passes every rule but CountryCode and PaymentDays;
/// country is the country code (upper case) a postcode belongs to.
bool passesRule(FieldRule rule, std::string_view text, std::string_view country = "DE");

/// The German message for a text the rule refuses; it names the field.
const char* refusalMessage(FieldRule rule);

/// The days of a payment term as typed: digits only, 0 to 365; nullopt for anything else.
std::optional<int> paymentDaysOf(std::string_view text);

/// Whether text holds nothing but blanks and tabs (or nothing), which a field takes as no value.
bool isBlankValue(std::string_view text);

/// A VAT id as stored: without the blanks it may be typed with ("DE 123 456 789" is "DE123456789").
std::string vatIdAsStored(std::string_view typed);

/// A code as stored: its letters a to z in upper case ("de" is "DE").
std::string upperCaseCode(std::string_view text);
