#include "datafiles/receivedfile.h"

#include "runtime/atomicsave.h"
#include "runtime/linefile.h"
#include "runtime/lists.h"
#include "runtime/numbers.h"
#include "runtime/recordtext.h"

namespace {

constexpr int kFile = 0;

std::string lineOf(const ReceivedEntry& e) {
    return fieldText(e.date) + "|" + fieldText(e.seller) + "|" + fieldText(e.number) + "|" +
           fieldText(e.amountDue) + "|" + fieldText(e.dueDate) + "|" + fieldText(e.fileName);
}

} // namespace

bool loadReceivedList() {
    if (openForReading(kFile, kReceivedName) == 0)
        return true;
    while (atEnd(kFile) == 0) {
        const std::string line = readLine(kFile);
        if (!line.empty())
            listAddRow(kReceivedList, -1, line, '|');
    }
    const bool whole = fileReadOk(kFile);
    closeFile(kFile);
    if (!whole)
        protectFromReplacement(kReceivedName);
    return whole;
}

bool appendReceivedEntry(const ReceivedEntry& entry) {
    const std::string line = lineOf(entry);
    if (!replaceWithLineAdded(kReceivedName, line, kFile))
        return false;
    listAddRow(kReceivedList, -1, line, '|');
    return true;
}

bool receivedListHolds(std::string_view fileName) {
    for (int row = 0; row < listRowCount(kReceivedList); ++row) {
        if (listCell(kReceivedList, row, kReceivedFileColumn) == fileName)
            return true;
    }
    return false;
}
