#include "invoicing/correctionstatus.h"

#include "money/money.h"
#include "runtime/lists.h"
#include "runtime/numbers.h"
#include "state/corrections.h"
#include "toolkit/toolkit.h"

#include <string>
#include <unordered_map>

namespace {

constexpr int kTotalColumn = 3;

std::int64_t totalAt(int row) {
    return money::parse<money::Amount>(listCell(kInvoiceList, row, kTotalColumn)).units;
}

} // namespace

void showCorrectionStatus() {
    if (corrections().empty())
        return;
    const int rows = listRowCount(kInvoiceList);
    // The credit notes' register totals, summed per original (their totals are negative).
    std::unordered_map<std::string, std::int64_t> credited;
    std::unordered_map<std::string, int> rowOf;
    for (int r = 0; r < rows; ++r)
        rowOf.emplace(std::string(listCell(kInvoiceList, r, 0)), r);
    for (const Correction& c : corrections()) {
        const auto at = rowOf.find(c.number);
        if (c.kind == CorrectionKind::CreditNote && at != rowOf.end())
            credited[c.original] -= totalAt(at->second);
    }
    showColumn(kInvoiceList, kRegisterStatusColumn, "Status", 130);
    for (int r = 0; r < rows; ++r) {
        const std::string number(listCell(kInvoiceList, r, 0));
        const auto sum = credited.find(number);
        setCell(kInvoiceList, r,
                correctionStatus(number, totalAt(r), sum == credited.end() ? 0 : sum->second),
                kRegisterStatusColumn);
    }
}
