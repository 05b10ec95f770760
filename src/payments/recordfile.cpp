#include "payments/recordfile.h"

#include "runtime/atomicsave.h"
#include "runtime/conversions.h"
#include "runtime/linefile.h"
#include "runtime/recordtext.h"

namespace {

// The file number the receivables' readers use; one file is read at a time.
constexpr int kFile = 0;

} // namespace

bool loadRecordFile(RecordFile& file) {
    file.lines.clear();
    if (openForReading(kFile, file.name) == 0) {
        // A file that is there but refuses to open must not be replaced by an empty one.
        if (fileSize(file.name) == -1)
            return true;
        protectFromReplacement(file.name);
        return false;
    }
    while (atEnd(kFile) == 0) {
        std::string line = readLine(kFile);
        if (!line.empty())
            file.lines.push_back(std::move(line));
    }
    // A read error looks like the end of the file; writing back what was read would lose the rest.
    const bool whole = fileReadOk(kFile);
    closeFile(kFile);
    if (!whole)
        protectFromReplacement(file.name);
    return whole;
}

bool saveRecordFile(const RecordFile& file) {
    ReplacementFile replacement(file.name);
    for (const std::string& line : file.lines)
        replacement.writeLine(line);
    return replacement.commit();
}

std::string recordLine(std::initializer_list<std::string_view> fields) {
    std::string line;
    bool first = true;
    for (const std::string_view field : fields) {
        if (!first)
            line += '|';
        line += fieldText(field);
        first = false;
    }
    return line;
}

std::string_view recordField(std::string_view line, int k) {
    return fieldView(line, k, '|');
}

bool isRecordOf(std::string_view line, std::string_view invoice) {
    return recordField(line, 1) == invoice;
}
