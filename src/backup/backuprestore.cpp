#include "archive/archivefiles.h"
#include "archive/checksumchain.h"
#include "backup/backuplist.h"
#include "backup/backupzip.h"
#include "runtime/codepage.h"
#include "runtime/folderbuilder.h"
#include "runtime/wholefile.h"

#include <zip.h>

#include <map>
#include <memory>
#include <set>

namespace {

struct ArchiveClose {
    void operator()(zip_t* z) const { zip_discard(z); }
};
using Zip = std::unique_ptr<zip_t, ArchiveClose>;

// A path of the file system (UTF-8) as the program's texts show it.
std::string shown(std::string_view path) {
    return fromQString(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())));
}

// The entry's bytes, when it has at most `limit` of them and reads without a fault (libzip checks
// each entry's CRC at its end).
std::optional<std::string> entryBytes(zip_t* zip, zip_uint64_t index, std::int64_t limit) {
    zip_stat_t st;
    if (zip_stat_index(zip, index, 0, &st) != 0 || (st.valid & ZIP_STAT_SIZE) == 0 ||
        st.size > static_cast<zip_uint64_t>(limit))
        return std::nullopt;
    zip_file_t* file = zip_fopen_index(zip, index, 0);
    if (!file)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(st.size), '\0');
    const zip_int64_t got = zip_fread(file, bytes.data(), bytes.size());
    char more = 0;
    const bool whole = got == static_cast<zip_int64_t>(bytes.size()) && zip_fread(file, &more, 1) == 0;
    zip_fclose(file);
    return whole ? std::optional(std::move(bytes)) : std::nullopt;
}

struct Checked {
    BackupList list;
    /// Index in the ZIP of each listed path.
    std::map<std::string, zip_uint64_t> index;
    int archivedInvoices = 0;
};

// The first thing the archive's chain finds wrong, or "".
std::string chainProblem(const std::string& chain, const std::map<std::string, std::string>& hashes,
                         int& invoices) {
    const std::vector<std::string_view> lines = chainLines(chain);
    if (const std::optional<std::size_t> broken = firstBrokenLink(lines))
        return "die Pr\xFC"
               "fsummenliste des Archivs ist ab Zeile " +
               std::to_string(*broken + 1) + " ver\xE4ndert";
    std::set<std::string> listed;
    std::set<std::string_view> numbers;
    for (const std::string_view line : lines) {
        const ChainEntry entry = *parseChainLine(line);
        const std::string path = std::string(kArchiveFolder) + "/" + std::string(entry.name);
        const auto hash = hashes.find(path);
        if (hash == hashes.end())
            return "die Datei " + shown(path) + " fehlt";
        if (hash->second != entry.fileHash)
            return "die Datei " + shown(path) + " stimmt nicht mit der Pr\xFC" + "fsumme des Archivs \xFC" +
                   "berein";
        listed.insert(path);
        numbers.insert(invoiceNumberOf(entry.name));
    }
    const std::string prefix = std::string(kArchiveFolder) + "/";
    for (const auto& [path, hash] : hashes) {
        if (path.starts_with(prefix) && path != prefix + std::string(kChainFileName) &&
            !listed.contains(path))
            return "die Datei " + shown(path) + " steht nicht in der Pr\xFC" + "fsummenliste des Archivs";
    }
    numbers.erase("");
    invoices = static_cast<int>(numbers.size());
    return {};
}

// Every check before anything is written; the reason for refusal, or "" with `checked` filled.
std::string check(zip_t* zip, Checked& checked) {
    const zip_int64_t count = zip_get_num_entries(zip, 0);
    std::map<std::string, zip_uint64_t> entries;
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(zip, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
        if (!name)
            return "ein Eintrag ist unlesbar";
        if (std::string_view(name).ends_with('/'))
            continue;
        if (!entries.emplace(name, static_cast<zip_uint64_t>(i)).second)
            return "die Datei " + shown(name) + " steht zweimal darin";
    }
    const auto listEntry = entries.find(std::string(kBackupListName));
    const std::optional<std::string> listBytes =
        listEntry == entries.end() ? std::nullopt : entryBytes(zip, listEntry->second, 1 << 30);
    if (!listBytes)
        return "die Pr\xFC"
               "fsummenliste fehlt";
    BackupListReading reading = readBackupList(*listBytes);
    if (!reading.list)
        return "die Pr\xFC"
               "fsummenliste ist ab Zeile " +
               std::to_string(reading.badLine) + " besch\xE4" + "digt";
    entries.erase(listEntry);
    std::map<std::string, std::string> hashes;
    std::string chain;
    for (const BackupEntry& entry : reading.list->entries) {
        const auto found = entries.find(entry.path);
        if (found == entries.end())
            return "die Datei " + shown(entry.path) + " fehlt";
        const std::optional<std::string> bytes = entryBytes(zip, found->second, entry.size);
        if (!bytes || static_cast<std::int64_t>(bytes->size()) != entry.size ||
            sha256Hex(*bytes) != entry.sha256)
            return "die Datei " + shown(entry.path) + " stimmt nicht mit ihrer Pr\xFC" + "fsumme \xFC" +
                   "berein";
        if (entry.path == std::string(kArchiveFolder) + "/" + std::string(kChainFileName))
            chain = *bytes;
        hashes.emplace(entry.path, entry.sha256);
        checked.index.emplace(entry.path, found->second);
        entries.erase(found);
    }
    if (!entries.empty())
        return "die Datei " + shown(entries.begin()->first) + " steht nicht in der Pr\xFC" + "fsummenliste";
    if (std::string problem = chainProblem(chain, hashes, checked.archivedInvoices); !problem.empty())
        return problem;
    checked.list = std::move(*reading.list);
    return {};
}

} // namespace

RestoreOutcome restoreBackup(const std::string& zipPath, const std::string& targetFolder) {
    const std::string name = shown(zipPath);
    const std::optional<std::string> bytes = readWholeFile(zipPath);
    if (!bytes)
        return {false, "Die Datensicherung " + name + " konnte nicht gelesen werden."};
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes->data(), bytes->size(), 0, &error);
    Zip zip(source ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error) : nullptr);
    zip_error_fini(&error);
    if (!zip) {
        zip_source_free(source);
        return {false, "Die Datensicherung " + name + " ist besch\xE4" +
                           "digt: sie ist keine lesbare ZIP-Datei. " + "Es wurde nichts zur\xFC" +
                           "ckgespielt."};
    }
    Checked checked;
    if (const std::string problem = check(zip.get(), checked); !problem.empty())
        return {false, "Die Datensicherung " + name + " ist besch\xE4" + "digt: " + problem +
                           ". Es wurde nichts zur\xFC" + "ckgespielt."};
    FolderBuilder folder(targetFolder);
    switch (folder.begin()) {
    case FolderBuilder::Start::NotEmpty:
        return {false, "Der Ordner " + shown(targetFolder) +
                           " ist nicht leer. Eine Datensicherung wird nur in einen leeren Ordner "
                           "zur\xFC" +
                           "ckgespielt."};
    case FolderBuilder::Start::Refused:
        return {false, "Die Datensicherung konnte nicht zur\xFC"
                       "ckgespielt werden."};
    case FolderBuilder::Start::Ready:
        break;
    }
    for (const BackupEntry& entry : checked.list.entries) {
        const std::optional<std::string> content =
            entryBytes(zip.get(), checked.index.at(entry.path), entry.size);
        // The archive's files come back as write-once as they were written.
        if (!content || !folder.add(entry.path, *content, entry.path.starts_with("Archiv/")))
            return {false, "Die Datensicherung konnte nicht zur\xFC"
                           "ckgespielt werden."};
    }
    if (!folder.commit())
        return {false, "Die Datensicherung konnte nicht zur\xFC"
                       "ckgespielt werden."};
    return {true, "Die Datensicherung vom " + checked.list.made + " wurde nach " + shown(targetFolder) +
                      " zur\xFC" + "ckgespielt: " + std::to_string(checked.list.entries.size()) +
                      " Dateien, alle Pr\xFC" + "fsummen in Ordnung, Archiv in Ordnung (" +
                      std::to_string(checked.archivedInvoices) + " Rechnungen)."};
}
