#include "datafiles/masterdatafile.h"

#include "runtime/atomicsave.h"
#include "runtime/conversions.h"
#include "runtime/linefile.h"
#include "runtime/lists.h"
#include "runtime/numbers.h"
#include "runtime/recordtext.h"
#include "state/customeredit.h"
#include "state/customernumbers.h"
#include "state/invoicestate.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>

namespace {

constexpr int kFile = 0;
constexpr int kCustomerFields = kCustomerEInvoiceColumn;
constexpr int kArticleFields = kArticleTaxColumn;
// USt-Satz, Steuerkategorie, Einheit.
constexpr int kArticleTaxFields = 3;

// Reads up to `count` record lines into the list, which has one column per field: fields missing from
// a short line stay empty, fields after the last are dropped. It stops where the file ends, so that a
// damaged count cannot make rows out of nothing; a count of 0 or less reads none.
void readRecords(int list, std::int32_t count) {
    for (std::int32_t r = 0; r < count && atEnd(kFile) == 0; ++r) {
        std::string line = readLine(kFile);
        if (list == kCustomerList)
            numberCustomerLine(line, r + 1);
        listAddRow(list, -1, line, '|');
    }
}

bool anyCellIn(int list, int row, int first, int count) {
    for (int c = first; c < first + count; ++c) {
        if (!listCell(list, row, c).empty())
            return true;
    }
    return false;
}

// The count line of a list and one line per row, its cells joined by "|". Each group of optional
// fields follows only on a row that has one of its fields or of a later group, and then all of them; a
// customer's number only where it is not its place or a Steuerfall follows. A row without any is
// written as an earlier installation wrote it. Returns the highest customer number written or implied
// (0 for other lists).
std::int32_t writeRecords(ReplacementFile& file, int list, int fields,
                          std::initializer_list<int> optionalGroups = {}) {
    const int rows = listRowCount(list);
    file.writeLine(formatInt(rows));
    std::string line;
    std::int32_t highest = 0;
    for (int r = 0; r < rows; ++r) {
        line.clear();
        int written = fields;
        for (int end = fields; const int group : optionalGroups) {
            end += group;
            if (anyCellIn(list, r, end - group, group))
                written = end;
        }
        if (list == kCustomerList) {
            const std::int32_t number = customerNumberValue(r);
            highest = std::max(highest, number);
            if (number != r + 1)
                written = kCustomerIdColumn + 1;
            if (!listCell(list, r, kCustomerTaxCaseColumn).empty())
                written = kCustomerTaxCaseColumn + 1;
        }
        for (int c = 0; c < written; ++c) {
            if (c > 0)
                line += '|';
            line += fieldText(listCell(list, r, c));
        }
        file.writeLine(line);
    }
    return highest;
}

} // namespace

bool loadMasterData() {
    if (openForReading(kFile, kMasterDataName) == 0)
        return true;
    if (atEnd(kFile) == 0) {
        readRecords(kCustomerList, parseInt(readLine(kFile)));
        readRecords(kArticleList, parseInt(readLine(kFile)));
        invoiceState().invoiceCounter = parseInt(readLine(kFile));
        // The highest customer number given, where no customer holds it any more.
        if (atEnd(kFile) == 0) {
            const std::int32_t given = parseInt(readLine(kFile));
            customerEdit().highestNumber = std::max(customerEdit().highestNumber, given);
        }
    }
    const bool whole = fileReadOk(kFile);
    closeFile(kFile);
    // A save would write the part that was read over the whole file.
    if (!whole)
        protectFromReplacement(kMasterDataName);
    return whole;
}

bool saveMasterData() {
    ReplacementFile file(kMasterDataName);
    const std::int32_t held = writeRecords(file, kCustomerList, kCustomerFields, {kCustomerEInvoiceColumns});
    writeRecords(file, kArticleList, kArticleFields, {kArticleTaxFields});
    file.writeLine(formatInt(invoiceState().invoiceCounter));
    // Only once the customer with the highest number is gone: a plain folder's file stays as it was.
    const std::int32_t highest = customerEdit().highestNumber;
    if (highest > held)
        file.writeLine(formatInt(highest));
    return file.commit();
}
