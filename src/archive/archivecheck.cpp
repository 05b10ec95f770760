#include "archive/archivecheck.h"

#include "archive/archivefiles.h"
#include "archive/checksumchain.h"
#include "runtime/codepage.h"
#include "runtime/linefile.h"

#include <set>
#include <unordered_set>

namespace {

constexpr std::int64_t kMissing = -1;
constexpr std::int64_t kIsDirectory = -2;

ArchiveCheck problemAt(ArchiveProblem problem, int line = 0, std::string_view file = {}) {
    return {problem, 0, line, std::string(file), {}, {}};
}

ArchiveCheck fileProblem(ArchiveProblem problem, std::string_view file) {
    return problemAt(problem, 0, file);
}

// A listed file as it is now: missing, unreadable, changed, or nullopt when it has its checksum.
std::optional<ArchiveCheck> checkFile(std::string_view folder, const ChainEntry& entry) {
    const std::int64_t size = fileSize(archivePath(entry.name, folder));
    if (size == kMissing || size == kIsDirectory)
        return fileProblem(ArchiveProblem::FileMissing, entry.name);
    const std::optional<std::string> hash = fileHash(entry.name, folder);
    if (!hash)
        return fileProblem(ArchiveProblem::FileUnreadable, entry.name);
    if (*hash != entry.fileHash)
        return fileProblem(ArchiveProblem::FileChanged, entry.name);
    return std::nullopt;
}

// A name on disk is UTF-8; the program's texts are Windows-1252.
std::string displayName(const std::string& fileName) {
    return fromQString(QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size())));
}

} // namespace

ArchiveCheck verifyArchive(std::string_view folder) {
    const std::optional<std::string> list = readChainFile(folder);
    if (!list)
        return problemAt(ArchiveProblem::ListUnreadable);
    const std::vector<std::string_view> lines = chainLines(*list);
    // The links first: a changed line would otherwise show as a changed file.
    if (const std::optional<std::size_t> broken = firstBrokenLink(lines))
        return problemAt(ArchiveProblem::ListChanged, static_cast<int>(*broken) + 1);
    std::unordered_set<std::string_view> listed;
    std::set<std::string_view> numbers;
    for (const std::string_view line : lines) {
        const ChainEntry entry = *parseChainLine(line);
        if (const std::optional<ArchiveCheck> problem = checkFile(folder, entry))
            return *problem;
        listed.insert(entry.name);
        numbers.insert(invoiceNumberOf(entry.name));
    }
    const std::optional<std::vector<std::string>> present = archivedFileNames(folder);
    if (!present)
        return problemAt(ArchiveProblem::FolderUnreadable);
    for (const std::string& name : *present) {
        if (!listed.contains(name))
            return fileProblem(ArchiveProblem::FileUnlisted, name);
    }
    numbers.erase("");
    return {ArchiveProblem::None,
            static_cast<int>(numbers.size()),
            0,
            {},
            lines.empty() ? std::string() : sha256Hex(lines.back()),
            {}};
}

std::string describeArchiveCheck(const ArchiveCheck& check) {
    const std::string file = displayName(check.file);
    switch (check.problem) {
    case ArchiveProblem::None:
        return "Archiv in Ordnung (" + std::to_string(check.invoices) +
               (check.invoices == 1 ? " Rechnung)" : " Rechnungen)") +
               (check.chainValue.empty() ? "" : "\nLetzter Kettenwert: " + check.chainValue) +
               (check.withoutCopy.empty() ? "" : "\nOhne Archivkopie: Nr. " + check.withoutCopy);
    case ArchiveProblem::FolderUnreadable:
        return "Der Ordner Archiv konnte nicht gelesen werden.";
    case ArchiveProblem::ListUnreadable:
        return "Die Pr\xFC"
               "fsummenliste konnte nicht gelesen werden.";
    case ArchiveProblem::ListChanged:
        return "Die Pr\xFC"
               "fsummenliste ist ab Zeile " +
               std::to_string(check.line) + " ver\xE4ndert.";
    case ArchiveProblem::FileMissing:
        return "Die Datei " + file + " fehlt im Archiv.";
    case ArchiveProblem::FileUnreadable:
        return "Die Datei " + file + " im Archiv konnte nicht gelesen werden.";
    case ArchiveProblem::FileChanged:
        return "Die Datei " + file +
               " im Archiv stimmt nicht mit ihrer Pr\xFC"
               "fsumme \xFC"
               "berein.";
    case ArchiveProblem::FileUnlisted:
        return "Die Datei " + file +
               " steht nicht in der Pr\xFC"
               "fsummenliste.";
    case ArchiveProblem::AttachmentDiffers:
        return "Die in " + file + " eingebettete E-Rechnung stimmt nicht mit " +
               std::string(invoiceNumberOf(file)) +
               ".xml \xFC"
               "berein.";
    case ArchiveProblem::NumberDiffers:
        return "Die Datei " + file + " nennt eine andere Rechnungsnummer.";
    case ArchiveProblem::TotalDiffers:
        return "Der Betrag der Rechnung Nr.:" + std::string(invoiceNumberOf(file)) +
               " in der Rechnungsliste stimmt nicht mit " + file +
               " \xFC"
               "berein.";
    }
    return {};
}
