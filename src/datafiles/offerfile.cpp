#include "datafiles/offerfile.h"

#include "datafiles/itemfile.h"
#include "runtime/atomicsave.h"
#include "runtime/conversions.h"
#include "runtime/linefile.h"
#include "runtime/lists.h"
#include "runtime/numbers.h"
#include "runtime/recordtext.h"

#include <algorithm>

namespace {

constexpr int kFile = 0;
constexpr std::string_view kInvoicedPrefix = "abgerechnet mit Rechnung ";

std::string rowOf(std::string_view line) {
    std::string row;
    for (int field = 1; field <= kOfferColumns; ++field) {
        const std::string_view text = fieldView(line, field, '|');
        row.append(field > 1 ? "|" : "")
            .append(field == kOfferStatusColumn + 1 ? knownStatus(text) : std::string(text));
    }
    return row;
}

} // namespace

std::string invoicedStatus(std::string_view invoiceNumber) {
    return std::string(kInvoicedPrefix) + std::string(invoiceNumber);
}

std::optional<std::string> invoiceOfStatus(std::string_view status) {
    if (!status.starts_with(kInvoicedPrefix))
        return std::nullopt;
    const std::string_view number = status.substr(kInvoicedPrefix.size());
    if (!isItemFileNumber(number))
        return std::nullopt;
    return std::string(number);
}

std::string knownStatus(std::string_view status) {
    if (status == kOfferAccepted || status == kOfferRejected || invoiceOfStatus(status))
        return std::string(status);
    return std::string(kOfferOpen);
}

OfferLoad loadOffers() {
    OfferLoad load;
    if (openForReading(kFile, kOfferRegisterName) == 0)
        return load;
    while (atEnd(kFile) == 0) {
        const std::string line = readLine(kFile);
        // As in the invoice register: empty lines and lines beginning with "|" name no offer.
        if (line.empty() || line.front() == '|')
            continue;
        listAddRow(kOfferList, -1, rowOf(line), '|');
        const std::int32_t number = parseInt(fieldView(line, 1, '|'));
        load.highest = std::max(load.highest.value_or(number), number);
    }
    load.whole = fileReadOk(kFile);
    closeFile(kFile);
    if (!load.whole)
        protectFromReplacement(kOfferRegisterName);
    return load;
}

bool saveOffers() {
    // The list is the register: every change (a new offer, a status, a deletion) writes it whole.
    ReplacementFile file(kOfferRegisterName);
    for (int r = 0; r < listRowCount(kOfferList); ++r) {
        std::string line;
        for (int c = 0; c < kOfferColumns; ++c)
            line.append(c > 0 ? "|" : "").append(fieldText(listCell(kOfferList, r, c)));
        file.writeLine(line);
    }
    return file.commit();
}
