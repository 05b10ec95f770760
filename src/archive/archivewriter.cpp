#include "archive/archivewriter.h"

#include "archive/archivefiles.h"
#include "archive/checksumchain.h"
#include "runtime/atomicsave.h"
#include "runtime/conversions.h"
#include "runtime/linefile.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::int64_t kMissing = -1;
constexpr std::int64_t kIsDirectory = -2;

bool folderReady(std::string_view folder) {
    if (fileSize(folder) != kIsDirectory)
        createDirectory(folder);
    return fileSize(folder) == kIsDirectory;
}

bool writeOnce(std::string_view folder, const std::string& name, std::string_view bytes) {
    ReplacementFile file(archivePath(name, folder), SaveMode::NewOnly);
    file.makeReadOnly();
    file.writeText(bytes);
    return file.commit();
}

// The list with one line per file added. The old bytes stay as they are; a last line without its end
// gets one first, so that the new line starts a line of its own.
bool appendLines(std::string_view folder, const std::string& oldList, const std::vector<std::string>& names,
                 const std::vector<std::string_view>& contents) {
    const std::vector<std::string_view> old = chainLines(oldList);
    std::optional<std::string> previous;
    if (!old.empty())
        previous = std::string(old.back());
    ReplacementFile list(archivePath(kChainFileName, folder));
    list.writeText(oldList);
    if (!oldList.empty() && oldList.back() != '\n' && oldList.back() != '\r' && oldList.back() != '\0')
        list.writeText("\r\n");
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::string line = chainLine(names[i], sha256Hex(contents[i]), previous);
        list.writeLine(line);
        previous = std::move(line);
    }
    return list.commit();
}

} // namespace

ArchiveOutcome keepFilesOnce(std::string_view folder, const std::vector<std::string>& names,
                             const std::vector<std::string_view>& contents) {
    for (const std::string& name : names) {
        if (fileSize(archivePath(name, folder)) != kMissing)
            return ArchiveOutcome::Refused;
    }
    // Read before any file is written: files whose lines cannot be added would stand unlisted.
    const std::optional<std::string> oldList = readChainFile(folder);
    if (!oldList)
        return ArchiveOutcome::ListFailed;
    if (!folderReady(folder))
        return ArchiveOutcome::FileFailed;
    for (std::size_t i = 0; i < names.size(); ++i) {
        // Each name is taken only when free, so an existing file is never replaced, however it came.
        if (!writeOnce(folder, names[i], contents[i]))
            return ArchiveOutcome::FileFailed;
    }
    return appendLines(folder, *oldList, names, contents) ? ArchiveOutcome::Archived
                                                          : ArchiveOutcome::ListFailed;
}

bool listUnlistedFiles(std::string_view folder, const std::vector<std::string>& names,
                       const std::vector<std::string_view>& contents) {
    const std::optional<std::string> oldList = readChainFile(folder);
    if (!oldList)
        return false;
    std::vector<std::string> unlisted;
    std::vector<std::string_view> unlistedContents;
    const std::vector<std::string_view> lines = chainLines(*oldList);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const bool listed = std::any_of(lines.begin(), lines.end(), [&](std::string_view line) {
            const std::optional<ChainEntry> entry = parseChainLine(line);
            return entry && entry->name == names[i];
        });
        if (!listed) {
            unlisted.push_back(names[i]);
            unlistedContents.push_back(contents[i]);
        }
    }
    return unlisted.empty() || appendLines(folder, *oldList, unlisted, unlistedContents);
}

ArchiveOutcome archiveInvoice(std::int32_t number, std::string_view xml, std::string_view pdf,
                              std::optional<std::string_view> xrechnungXml) {
    std::vector<std::string_view> contents = {xml, pdf};
    if (xrechnungXml)
        contents.push_back(*xrechnungXml);
    return keepFilesOnce(kArchiveFolder, invoiceFileNames(number, xrechnungXml.has_value()), contents);
}

ArchiveOutcome archivePaperCopy(std::int32_t number, std::string_view pdf) {
    return keepFilesOnce(kArchiveFolder, {formatInt(number) + ".pdf"}, {pdf});
}

ArchiveOutcome archiveDunningLetter(std::string_view invoice, int level, std::string_view pdf) {
    // A number as the register holds it could hold a path out of the folder.
    if (invoice.empty() || invoiceNumberOf(invoice) != invoice)
        return ArchiveOutcome::Refused;
    return keepFilesOnce(kArchiveFolder, {dunningLetterFileName(invoice, level)}, {pdf});
}

std::string dunningLetterFileName(std::string_view invoice, int level) {
    return std::string(invoice) + "-mahnung-" + formatInt(level) + ".pdf";
}

std::string archiveFailureText(std::int32_t number) {
    return "Die E-Rechnung Nr.:" + formatInt(number) + " konnte nicht gespeichert werden!";
}
