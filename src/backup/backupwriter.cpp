#include "backup/backupzip.h"

#include "archive/checksumchain.h"
#include "backup/backuplist.h"
#include "runtime/atomicsave.h"
#include "runtime/wholefile.h"

#include <zip.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kKeptSize = 64 * 1024;
constexpr std::int64_t kStoredSize = 1024;

// A file libzip reads when it writes the archive, checked once more against its checksum.
struct FileSource {
    std::string path;
    std::string sha256;
    std::int64_t size = 0;
    std::string bytes;
    std::size_t at = 0;
    zip_error_t error{};
    bool* changed = nullptr;
};

zip_int64_t readFileSource(void* userData, void* data, zip_uint64_t length, zip_source_cmd_t command) {
    auto* source = static_cast<FileSource*>(userData);
    switch (command) {
    case ZIP_SOURCE_OPEN: {
        std::optional<std::string> bytes = readWholeFile(source->path);
        if (!bytes || sha256Hex(*bytes) != source->sha256) {
            *source->changed = true;
            zip_error_set(&source->error, ZIP_ER_READ, EIO);
            return -1;
        }
        source->bytes = std::move(*bytes);
        source->at = 0;
        return 0;
    }
    case ZIP_SOURCE_READ: {
        const std::size_t n = std::min<std::size_t>(length, source->bytes.size() - source->at);
        std::copy_n(source->bytes.data() + source->at, n, static_cast<char*>(data));
        source->at += n;
        return static_cast<zip_int64_t>(n);
    }
    case ZIP_SOURCE_CLOSE:
        source->bytes = std::string();
        return 0;
    case ZIP_SOURCE_STAT: {
        auto* st = static_cast<zip_stat_t*>(data);
        zip_stat_init(st);
        st->size = static_cast<zip_uint64_t>(source->size);
        st->valid |= ZIP_STAT_SIZE;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&source->error, data, length);
    case ZIP_SOURCE_FREE:
        zip_error_fini(&source->error);
        delete source;
        return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                              ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default:
        zip_error_set(&source->error, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}

bool isTemporary(const std::string& name) {
    return name.size() > kTemporarySuffix.size() && name.ends_with(kTemporarySuffix);
}

// The regular files of the data folder as relative paths, sorted; symbolic links are not followed.
std::vector<std::string> folderFiles(const std::vector<std::string>& skipped, const fs::path& zip) {
    std::vector<std::string> files;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(".", ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code statusError;
        if (!it->is_regular_file(statusError) || it->is_symlink(statusError))
            continue;
        const std::string path = it->path().lexically_relative(".").generic_string();
        const std::string name = it->path().filename().string();
        if (isTemporary(name) || std::find(skipped.begin(), skipped.end(), path) != skipped.end() ||
            fs::equivalent(it->path(), zip, statusError))
            continue;
        files.push_back(path);
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The archive's bytes out of libzip's buffer.
std::optional<std::string> bytesOf(zip_source_t* buffer) {
    if (zip_source_open(buffer) != 0)
        return std::nullopt;
    std::string bytes;
    char block[65536];
    zip_int64_t got = 0;
    while ((got = zip_source_read(buffer, block, sizeof block)) > 0)
        bytes.append(block, static_cast<std::size_t>(got));
    zip_source_close(buffer);
    return got == 0 ? std::optional(std::move(bytes)) : std::nullopt;
}

struct SourceFree {
    void operator()(zip_source_t* s) const { zip_source_free(s); }
};

} // namespace

BackupOutcome writeBackup(const std::string& zipPath, const std::vector<std::string>& skipped,
                          DateValue now) {
    BackupOutcome outcome;
    BackupList list{formatDate("%dd.%mm.%yyyy", now), {}};
    std::vector<std::string> kept;
    // Every entry bears the day of the backup, so that one day's backup of the same files is the same.
    const time_t stamp = static_cast<time_t>(parseDate(list.made).value_or(0));
    for (const std::string& path : folderFiles(skipped, zipPath)) {
        if (path.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) {
            outcome.problem = "Der Dateiname " + path + " kann nicht gesichert werden.";
            return outcome;
        }
        const std::optional<std::string> bytes = readWholeFile(path);
        if (!bytes) {
            outcome.problem = "Die Datei " + path + " konnte nicht gelesen werden.";
            return outcome;
        }
        list.entries.push_back({path, static_cast<std::int64_t>(bytes->size()), sha256Hex(*bytes)});
        // Small files (the item files) stay in memory, so that they are read once; large ones (the
        // archive's PDFs) are read again, one at a time, while the ZIP file is made.
        kept.push_back(bytes->size() <= kKeptSize ? *bytes : std::string());
    }
    const std::string listText = backupListText(list);

    zip_error_t error;
    zip_error_init(&error);
    std::unique_ptr<zip_source_t, SourceFree> buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
    zip_t* archive = buffer ? zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error) : nullptr;
    zip_error_fini(&error);
    if (!archive) {
        outcome.problem = "Die Sicherung konnte nicht angelegt werden.";
        return outcome;
    }
    // zip_close frees the buffer unless it is kept; it is read afterwards.
    zip_source_keep(buffer.get());
    bool changed = false;
    const zip_int64_t listIndex =
        zip_file_add(archive, std::string(kBackupListName).c_str(),
                     zip_source_buffer(archive, listText.data(), listText.size(), 0), 0);
    bool added =
        listIndex >= 0 && zip_file_set_mtime(archive, static_cast<zip_uint64_t>(listIndex), stamp, 0) == 0;
    for (std::size_t i = 0; i < list.entries.size() && added; ++i) {
        const BackupEntry& entry = list.entries[i];
        zip_source_t* source = nullptr;
        if (entry.size <= static_cast<std::int64_t>(kKeptSize)) {
            source = zip_source_buffer(archive, kept[i].data(), kept[i].size(), 0);
        } else {
            auto* file = new FileSource{entry.path, entry.sha256, entry.size, {}, 0, {}, &changed};
            zip_error_init(&file->error);
            source = zip_source_function(archive, readFileSource, file);
            if (!source)
                delete file;
        }
        if (!source) {
            added = false;
            break;
        }
        const zip_int64_t index = zip_file_add(archive, entry.path.c_str(), source, ZIP_FL_ENC_GUESS);
        if (index < 0) {
            zip_source_free(source);
            added = false;
            break;
        }
        zip_file_set_mtime(archive, static_cast<zip_uint64_t>(index), stamp, 0);
        // Compressing a few hundred bytes costs more than it saves.
        if (entry.size < kStoredSize)
            zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    if (!added || zip_close(archive) != 0) {
        zip_discard(archive);
        outcome.problem = changed ? "Eine Datei hat sich w\xE4hrend der Sicherung ge\xE4ndert."
                                  : "Die Sicherung konnte nicht angelegt werden.";
        return outcome;
    }
    const std::optional<std::string> bytes = bytesOf(buffer.get());
    ReplacementFile file(zipPath, SaveMode::Replace, FileNaming::Platform);
    if (bytes)
        file.writeText(*bytes);
    if (!bytes || !file.commit())
        return outcome;
    outcome.written = true;
    outcome.files = static_cast<int>(list.entries.size());
    return outcome;
}
