#include "journal.h"

#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>

namespace {

const char* kindName(RecordKind kind) {
    switch (kind) {
    case RecordKind::Base:
        return "base";
    case RecordKind::Step:
        return "step";
    case RecordKind::Done:
        return "done";
    }
    return "?";
}

bool kindOf(const std::string& name, RecordKind& kind) {
    for (const RecordKind k : {RecordKind::Base, RecordKind::Step, RecordKind::Done}) {
        if (name == kindName(k)) {
            kind = k;
            return true;
        }
    }
    return false;
}

// Entries: "F <name> <size>\n<bytes>" for a file, "X <name>\n" for a deleted one.
std::string encodeFiles(const FileSet& files) {
    std::string out;
    for (const auto& [name, bytes] : files) {
        if (bytes)
            out += "F " + name + " " + std::to_string(bytes->size()) + "\n" + *bytes;
        else
            out += "X " + name + "\n";
    }
    return out;
}

bool decodeFiles(const std::string& payload, FileSet& files) {
    std::size_t at = 0;
    while (at < payload.size()) {
        const std::size_t eol = payload.find('\n', at);
        if (eol == std::string::npos)
            return false;
        std::istringstream head(payload.substr(at, eol - at));
        std::string tag, name;
        head >> tag >> name;
        at = eol + 1;
        if (tag == "X") {
            files[name] = std::nullopt;
            continue;
        }
        std::size_t size = 0;
        if (tag != "F" || !(head >> size) || at + size > payload.size())
            return false;
        files[name] = payload.substr(at, size);
        at += size;
    }
    return true;
}

bool writeAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

constexpr std::string_view kEnd = "@end\n";

} // namespace

bool appendRecord(const std::string& journal, const JournalRecord& record) {
    const std::string payload = encodeFiles(record.files);
    const std::string text = std::string("@rec ") + kindName(record.kind) + " " +
                             std::to_string(record.step) + " " +
                             (record.action.empty() ? "-" : record.action) + " " +
                             std::to_string(payload.size()) + "\n" + payload + std::string(kEnd);
    const int fd = ::open(journal.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool ok = writeAll(fd, text) && ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

std::vector<JournalRecord> readJournal(const std::string& journal) {
    std::ifstream in(journal, std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    std::vector<JournalRecord> records;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t eol = text.find('\n', at);
        if (eol == std::string::npos)
            break;
        std::istringstream head(text.substr(at, eol - at));
        std::string tag, kind;
        JournalRecord record;
        std::size_t size = 0;
        head >> tag >> kind >> record.step >> record.action >> size;
        const std::size_t payloadAt = eol + 1;
        if (!head || tag != "@rec" || !kindOf(kind, record.kind) ||
            payloadAt + size + kEnd.size() > text.size() ||
            text.compare(payloadAt + size, kEnd.size(), kEnd) != 0)
            break;
        if (!decodeFiles(text.substr(payloadAt, size), record.files))
            break;
        if (record.action == "-")
            record.action.clear();
        records.push_back(std::move(record));
        at = payloadAt + size + kEnd.size();
    }
    return records;
}
