#pragma once
// Korrekturen.dat: one line per cancellation or credit note, in the order they were issued:
// "<Nr.>|<Art>|<Rechnung Nr.>|<Rechnungsdatum>|<Grund>" (Art "Storno" or "Gutschrift"), Windows-1252,
// CR LF. A folder without corrections has no such file.

#include "state/corrections.h"

#include <optional>
#include <string_view>

inline constexpr std::string_view kCorrectionsName = "Korrekturen.dat";

/// The line's correction; nullopt for a line that names none (too few fields, an unknown kind, a
/// number or original that is no whole number).
std::optional<Correction> parseCorrection(std::string_view line);

/// Reads Korrekturen.dat into corrections(); a missing file is no correction. False when a read failed
/// before the end: the file is then protected from every replacement in this run.
bool loadCorrections();

/// Writes Korrekturen.dat anew with the correction's line at its end ("|", CR, LF and NUL in a text
/// become blanks), in one replacement, and adds it to corrections(). False, file and memory unchanged,
/// when the file could not be read or written.
bool appendCorrection(const Correction& correction);
