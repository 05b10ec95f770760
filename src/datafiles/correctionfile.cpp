#include "datafiles/correctionfile.h"

#include "runtime/atomicsave.h"
#include "runtime/conversions.h"
#include "runtime/linefile.h"
#include "runtime/recordtext.h"

#include <algorithm>

namespace {

constexpr int kFile = 0;
constexpr std::string_view kCancellationWord = "Storno";
constexpr std::string_view kCreditNoteWord = "Gutschrift";

bool isNumber(std::string_view text) {
    return !text.empty() && text.size() <= 9 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string lineOf(const Correction& c) {
    return fieldText(c.number) + "|" +
           std::string(c.kind == CorrectionKind::Cancellation ? kCancellationWord : kCreditNoteWord) + "|" +
           fieldText(c.original) + "|" + fieldText(c.originalDate) + "|" + fieldText(c.reason);
}

} // namespace

std::optional<Correction> parseCorrection(std::string_view line) {
    Correction c;
    c.number = std::string(fieldView(line, 1, '|'));
    const std::string_view kind = fieldView(line, 2, '|');
    c.original = std::string(fieldView(line, 3, '|'));
    c.originalDate = std::string(fieldView(line, 4, '|'));
    c.reason = std::string(fieldView(line, 5, '|'));
    if (!isNumber(c.number) || !isNumber(c.original) || c.number == c.original)
        return std::nullopt;
    if (kind == kCancellationWord)
        c.kind = CorrectionKind::Cancellation;
    else if (kind == kCreditNoteWord)
        c.kind = CorrectionKind::CreditNote;
    else
        return std::nullopt;
    return c;
}

bool loadCorrections() {
    corrections().clear();
    if (openForReading(kFile, kCorrectionsName) == 0)
        return true;
    while (atEnd(kFile) == 0) {
        if (auto c = parseCorrection(readLine(kFile)))
            corrections().push_back(std::move(*c));
    }
    const bool whole = fileReadOk(kFile);
    closeFile(kFile);
    if (!whole)
        protectFromReplacement(kCorrectionsName);
    return whole;
}

bool appendCorrection(const Correction& correction) {
    if (!replaceWithLineAdded(kCorrectionsName, lineOf(correction), kFile))
        return false;
    corrections().push_back(correction);
    return true;
}
