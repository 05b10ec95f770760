#pragma once
// Eingang.dat: the list of received invoices kept in the folder Eingang, one line per invoice in
// the order kept: "<Datum>|<Lieferant>|<Rechnungsnr.>|<Zahlbetrag>|<Fällig am>|<Datei>".

#include <string>
#include <string_view>

inline constexpr std::string_view kReceivedName = "Eingang.dat";

/// A line of the list, as the list of received invoices shows it.
struct ReceivedEntry {
    /// "15.11.2024"; "" when the invoice gives none.
    std::string date;
    std::string seller;
    std::string number;
    /// "801,78", with the currency after it when that is not EUR ("801,78 USD").
    std::string amountDue;
    std::string dueDate;
    /// The kept file's name in Eingang, as a program text.
    std::string fileName;
};

/// Fills the list of received invoices from Eingang.dat, one row per line that is not empty. A
/// missing file leaves the list empty. False when a read failed before the end: the list holds only
/// a part, and the file is protected from every replacement in this run.
bool loadReceivedList();

/// Writes Eingang.dat anew with the entry's line at its end ("|", CR, LF and NUL in a text become
/// blanks) in one replacement, then adds the row to the list. False, list and file unchanged, when
/// the file could not be read or written.
bool appendReceivedEntry(const ReceivedEntry& entry);

/// Whether a row of the list names the file.
bool receivedListHolds(std::string_view fileName);
