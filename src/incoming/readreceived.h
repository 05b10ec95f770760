#pragma once
// Opening a received e-invoice: a bare XML file (CII or UBL) or a PDF that carries one. Whatever the
// file holds, the answer is an invoice or a reason, never a crash or a hang.

#include "incoming/receivedinvoice.h"

#include <string>
#include <string_view>

namespace incoming {

/// Larger files, and larger XML inside a PDF, are refused: 50 MB.
inline constexpr std::size_t kMaxReceivedBytes = 50 * 1024 * 1024;

/// The invoice in bytes, the whole content of a file.
ReadResult readReceived(std::string_view bytes);

/// A file's bytes and its reading; the file is not read at all when it is larger than allowed.
struct ReceivedFile {
    std::string bytes;
    ReadResult result;
};

/// Reads the file at path (a path of the file system, as the file dialog gives it) and its invoice.
ReceivedFile readReceivedFile(const std::string& path);

/// What the user is told about a file that is no invoice: "Die Datei ist keine lesbare E-Rechnung:
/// <Grund>." (Windows-1252).
std::string unreadableText(std::string_view reason);

} // namespace incoming
