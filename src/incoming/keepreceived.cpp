#include "incoming/keepreceived.h"

#include "archive/archivefiles.h"
#include "archive/archivewriter.h"
#include "archive/checksumchain.h"
#include "datafiles/receivedfile.h"
#include "money/money.h"
#include "runtime/codepage.h"
#include "runtime/conversions.h"
#include "runtime/linefile.h"

namespace incoming {

namespace {

// Names 2 to this many are tried when the first is taken by other bytes.
constexpr int kVariants = 99;
constexpr std::int64_t kMissing = -1;

// A part of a file name: what file systems refuse or read as a folder becomes "_", blanks are
// trimmed, and a long text is cut.
std::string namePart(const std::string& text, std::size_t maxLength, const char* fallback) {
    std::string part;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool refused =
            byte < 0x20 || byte == 0x7F || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos;
        part += refused ? '_' : c;
    }
    part = part.substr(0, maxLength);
    const std::size_t first = part.find_first_not_of(" .");
    const std::size_t last = part.find_last_not_of(" .");
    part = first == std::string::npos ? std::string() : part.substr(first, last - first + 1);
    return part.empty() ? fallback : part;
}

ReceivedEntry entryOf(const ReceivedInvoice& invoice, const std::string& fileName) {
    const einvoice::Document& doc = invoice.document;
    ReceivedEntry entry;
    entry.date = invoice.figures.issueDate ? formatDate("%dd.%mm.%yyyy", doc.issueDate) : std::string();
    entry.seller = doc.seller.name;
    entry.number = doc.number;
    entry.amountDue = money::formatAmount(doc.amountDue);
    if (doc.currencyCode != "EUR")
        entry.amountDue += " " + doc.currencyCode;
    entry.dueDate = doc.dueDate ? formatDate("%dd.%mm.%yyyy", *doc.dueDate) : std::string();
    entry.fileName = fileName;
    return entry;
}

// The file is there with these bytes: what a failed keep left out is added.
KeepOutcome completeKept(const ReceivedInvoice& invoice, const std::string& name, const std::string& diskName,
                         std::string_view original) {
    if (!listUnlistedFiles(kIncomingFolder, {diskName}, {original}))
        return KeepOutcome::Failed;
    if (receivedListHolds(name))
        return KeepOutcome::AlreadyKept;
    return appendReceivedEntry(entryOf(invoice, name)) ? KeepOutcome::Kept : KeepOutcome::Failed;
}

} // namespace

std::string keptFileName(const ReceivedInvoice& invoice, int variant) {
    const einvoice::Document& doc = invoice.document;
    const std::string date =
        invoice.figures.issueDate ? formatDate("%yyyy-%mm-%dd", doc.issueDate) : "ohne-Datum";
    std::string name = date + "-" + namePart(doc.seller.name, 60, "unbekannt") + "-" +
                       namePart(doc.number, 40, "ohne-Nummer");
    if (variant > 1)
        name += '-' + std::to_string(variant);
    return name + (invoice.fromPdf ? ".pdf" : ".xml");
}

std::string attachmentFileName(const einvoice::Attachment& attachment, std::size_t index) {
    static const std::pair<std::string_view, const char*> kExtensions[] = {
        {"application/pdf", ".pdf"},
        {"image/png", ".png"},
        {"image/jpeg", ".jpg"},
        {"text/csv", ".csv"},
        {"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet", ".xlsx"},
        {"application/vnd.oasis.opendocument.spreadsheet", ".ods"},
        {"application/xml", ".xml"},
        {"text/xml", ".xml"},
    };
    if (!attachment.fileName.empty())
        return namePart(attachment.fileName, 120, "Anhang");
    std::string name = namePart(attachment.id, 80, ("Anhang " + std::to_string(index + 1)).c_str());
    for (const auto& [mime, extension] : kExtensions) {
        if (attachment.mimeCode == mime)
            name += extension;
    }
    return name;
}

KeepOutcome keepReceived(const ReceivedInvoice& invoice, std::string_view original) {
    const std::string hash = sha256Hex(original);
    for (int variant = 1; variant <= kVariants; ++variant) {
        const std::string name = keptFileName(invoice, variant);
        // File names on disk are UTF-8, as the checksum list's own.
        const std::string diskName = toUtf8(name);
        if (fileSize(archivePath(diskName, kIncomingFolder)) == kMissing) {
            if (keepFilesOnce(kIncomingFolder, {diskName}, {original}) != ArchiveOutcome::Archived)
                return KeepOutcome::Failed;
            return appendReceivedEntry(entryOf(invoice, name)) ? KeepOutcome::Kept : KeepOutcome::Failed;
        }
        const std::optional<std::string> existing = fileHash(diskName, kIncomingFolder);
        if (!existing)
            return KeepOutcome::Failed;
        if (*existing == hash)
            return completeKept(invoice, name, diskName, original);
    }
    return KeepOutcome::Failed;
}

} // namespace incoming
