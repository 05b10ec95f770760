#pragma once
// AngData.dat: the offers' register, one line per offer, and the folder "Angebote" of their item files
// and line records. A line holds the invoice register's five fields (number, name, customer number,
// total, date), then "Gültig bis" and the status: n|Name|Kd.-Nr.|Gesamtbetrag|Datum|Gültig bis|Status.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::string_view kOfferRegisterName = "AngData.dat";
/// The offers' item files ("Angebote\<n>.txt") and line records ("Angebote\<n>-Zeilen.txt").
inline constexpr std::string_view kOfferFolder = "Angebote";

/// The offer list's columns, one a field of the register's lines.
inline constexpr int kOfferAmountColumn = 3;
inline constexpr int kOfferValidColumn = 5;
inline constexpr int kOfferStatusColumn = 6;
inline constexpr int kOfferColumns = 7;

inline constexpr std::string_view kOfferOpen = "offen";
inline constexpr std::string_view kOfferAccepted = "angenommen";
inline constexpr std::string_view kOfferRejected = "abgelehnt";

/// "abgerechnet mit Rechnung <n>".
std::string invoicedStatus(std::string_view invoiceNumber);
/// The invoice number of an "abgerechnet mit Rechnung <n>" status; nullopt for any other.
std::optional<std::string> invoiceOfStatus(std::string_view status);
/// The status as read: one of the four statuses, or "offen" for anything else.
std::string knownStatus(std::string_view status);

/// What loading the offers' register found.
struct OfferLoad {
    /// The highest offer number among the rows; nullopt when the register gave no row.
    std::optional<std::int32_t> highest;
    /// False when a read failed before the end: the register is then protected from replacement.
    bool whole = true;
};

/// Fills the offer list from AngData.dat: one row per line whose first field is not empty, its seven
/// fields as the columns, an unknown status as "offen". A missing file leaves the list empty.
OfferLoad loadOffers();

/// Writes every row of the offer list as the register, which replaces the old one in one rename;
/// "|", CR, LF and NUL in a cell become blanks. False when it failed; the old register then stays.
bool saveOffers();
