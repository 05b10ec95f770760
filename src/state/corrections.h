#pragma once
// The corrections issued: cancellations and credit notes, each naming the invoice it corrects. The
// register keeps a correction's own row as it keeps every invoice's; these records tell which rows
// correct which invoice. Kept in Korrekturen.dat (datafiles/correctionfile).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class CorrectionKind { Cancellation, CreditNote };

struct Correction {
    std::string number;
    CorrectionKind kind = CorrectionKind::Cancellation;
    /// The corrected invoice and the date it was issued on (dd.mm.yyyy).
    std::string original;
    std::string originalDate;
    /// Why a credit note was given; empty for a cancellation.
    std::string reason;
};

/// The corrections read and issued since, in their order.
std::vector<Correction>& corrections();
/// Forgets every correction (a new start).
void resetCorrections();

/// The correction whose own number is `number`, or nullptr.
const Correction* correctionNumbered(std::string_view number);
/// The corrections of invoice `original`, in their order.
std::vector<const Correction*> correctionsOf(std::string_view original);
/// The cancellation of invoice `original`, or nullptr.
const Correction* cancellationOf(std::string_view original);

/// The register's word on an invoice: "storniert durch <n>", "Storno zu <m>", "Gutschrift zu <m>",
/// "teilweise gutgeschrieben" while its credit notes (creditedTotal, their register totals as a
/// positive amount) stay below its own total, "gutgeschrieben" once they reach it; "" for an invoice
/// nothing corrects.
std::string correctionStatus(std::string_view number, std::int64_t ownTotal, std::int64_t creditedTotal);
