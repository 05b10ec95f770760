#pragma once
// The invoice as a PDF in memory, for its e-invoice: the pages of the printout, drawn by the same layout
// onto an A4 PDF/A-1b device of its own, whatever printer the user chose for the paper.

#include <functional>
#include <optional>
#include <string>

/// The invoice being created drawn onto an A4 page with 5 mm margins (PDF/A-1b: fonts embedded, an
/// sRGB output intent) and returned as PDF bytes; nullopt when it could not be drawn or read back.
/// The device the printout holds, and its page scale, stay as they were.
std::optional<std::string> invoicePdf();

/// What draw draws onto the open print job, on the same A4 PDF/A-1b device as the invoice, as PDF
/// bytes; nullopt when draw returns false or the PDF could not be made or read back. The printout's
/// device and page scale stay as they were.
std::optional<std::string> documentPdf(const std::function<bool()>& draw);
