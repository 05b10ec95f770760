#pragma once
// "In Eingangsrechnungen ablegen": the received file, byte for byte, written once into the folder
// Eingang under "<date>-<seller>-<number>.<xml|pdf>", listed in that folder's own checksum list
// (Eingang/Prüfsummen.txt, the archive's chain) and in Eingang.dat.

#include "incoming/receivedinvoice.h"

#include <string>
#include <string_view>

namespace incoming {

/// The folder of the kept invoices in the data folder.
inline constexpr std::string_view kIncomingFolder = "Eingang";

/// The name the file is kept under, as a program text: the issue date "2024-11-15" ("ohne-Datum"),
/// the seller ("unbekannt") and the number ("ohne-Nummer"), each without what a file name cannot
/// hold, then ".pdf" for a PDF and ".xml" otherwise; variant 2 and on add "-2" and so on before it.
std::string keptFileName(const ReceivedInvoice& invoice, int variant = 1);

/// The name an embedded attachment is offered under: its file name, else its identifier with the
/// extension of its type, else "Anhang <index>", without what a file name cannot hold.
std::string attachmentFileName(const einvoice::Attachment& attachment, std::size_t index);

enum class KeepOutcome {
    /// Written, listed in the checksum list and in Eingang.dat.
    Kept,
    /// The same bytes are kept and listed already: nothing was written.
    AlreadyKept,
    /// Something could not be written; what was written stays and the user is told.
    Failed,
};

/// Keeps original (the file's bytes as received) for invoice. When the name is taken by other bytes,
/// the next variant is taken; when it holds these very bytes, only what a failed keep left out is
/// added (its checksum line, its line in Eingang.dat).
KeepOutcome keepReceived(const ReceivedInvoice& invoice, std::string_view original);

} // namespace incoming
