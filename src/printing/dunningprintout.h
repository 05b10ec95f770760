#pragma once
// The reminder and dunning letters: one page on the invoice's letterhead and page frame, addressed to
// the invoice's customer, with what the invoice asked for, what was paid, what is owed now and the new
// deadline.

#include "payments/dunning.h"
#include "printing/printjob.h"

#include <optional>
#include <string>

/// Draws the letter onto the open print job's page, which stays open.
bool drawDunningLetter(const DunningLetter& letter);

/// Prints the letter through the print target (normally the print dialog).
PrintResult printDunningLetter(const DunningLetter& letter);

/// The letter as an A4 PDF for the archive, dated with day: the same letter gives the same bytes.
/// nullopt when it could not be made.
std::optional<std::string> dunningLetterPdf(const DunningLetter& letter, DateValue day);
