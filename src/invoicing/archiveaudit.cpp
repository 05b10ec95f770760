#include "invoicing/archiveaudit.h"

#include "archive/archivefiles.h"
#include "einvoice/ciisummary.h"
#include "einvoice/facturx.h"
#include "money/money.h"
#include "runtime/lists.h"
#include "runtime/numbers.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

// The invoice list's columns: number and amount.
constexpr int kNumberColumn = 0;
constexpr int kTotalColumn = 3;

ArchiveCheck problem(ArchiveProblem what, const std::string& file) {
    return {what, 0, 0, file, {}, {}};
}

bool sameAmount(const std::string& listed, const std::string& inXml) {
    const money::Reading a = money::read(listed, money::Amount::kDecimals);
    const money::Reading b = money::read(inXml, money::Amount::kDecimals);
    return a.found && b.found && !a.overflow && !b.overflow && a.units == b.units;
}

// <n>.pdf carries <n>.xml, byte for byte.
std::optional<ArchiveCheck> attachmentProblem(const std::string& pdfName) {
    const std::string xmlName = std::string(invoiceNumberOf(pdfName)) + ".xml";
    const std::optional<std::string> pdf = readArchiveFile(pdfName);
    const std::optional<std::string> xml = readArchiveFile(xmlName);
    if (!xml)
        return std::nullopt;
    if (!pdf || einvoice::attachedXml(*pdf) != *xml)
        return problem(ArchiveProblem::AttachmentDiffers, pdfName);
    return std::nullopt;
}

// Each row of the invoice list whose number has an archived XML: the amounts agree.
std::optional<ArchiveCheck>
listProblem(const std::map<std::string, einvoice::CiiSummary, std::less<>>& archived) {
    const int rows = listRowCount(kInvoiceList);
    for (int r = 0; r < rows; ++r) {
        const auto found = archived.find(listCell(kInvoiceList, r, kNumberColumn));
        if (found == archived.end())
            continue;
        const std::string total(listCell(kInvoiceList, r, kTotalColumn));
        if (!sameAmount(total, found->second.lineTotal) && !sameAmount(total, found->second.grandTotal))
            return problem(ArchiveProblem::TotalDiffers, found->first + ".xml");
    }
    return std::nullopt;
}

// "1-3, 7": consecutive numbers as one run.
std::string joinedRuns(const std::set<std::int64_t>& numbers) {
    std::string text;
    for (auto it = numbers.begin(); it != numbers.end();) {
        const std::int64_t first = *it;
        std::int64_t last = first;
        while (++it != numbers.end() && *it == last + 1)
            last = *it;
        if (!text.empty())
            text += ", ";
        text += std::to_string(first);
        if (last != first)
            text.append("-").append(std::to_string(last));
    }
    return text;
}

// The invoice list's numbers whose invoice has no PDF in the archive: paper only before there were
// company data, or a copy that could not be written.
std::string invoicesWithoutCopy(const std::vector<std::string>& archivedNames) {
    const std::set<std::string, std::less<>> names(archivedNames.begin(), archivedNames.end());
    std::set<std::int64_t> missing;
    const int rows = listRowCount(kInvoiceList);
    for (int r = 0; r < rows; ++r) {
        const std::string_view number = listCell(kInvoiceList, r, kNumberColumn);
        if (number.empty() || invoiceNumberOf(number) != number ||
            names.contains(std::string(number) + ".pdf"))
            continue;
        std::int64_t value = 0;
        if (std::from_chars(number.data(), number.data() + number.size(), value).ec == std::errc{})
            missing.insert(value);
    }
    return joinedRuns(missing);
}

} // namespace

ArchiveCheck auditArchive() {
    const ArchiveCheck check = verifyArchive();
    if (check.problem != ArchiveProblem::None)
        return check;
    const std::vector<std::string> names = archivedFileNames().value_or(std::vector<std::string>{});
    std::map<std::string, einvoice::CiiSummary, std::less<>> archived;
    for (const std::string& name : names) {
        const std::string number(invoiceNumberOf(name));
        if (name != number + ".xml" && name != number + "-xrechnung.xml")
            continue;
        const std::optional<std::string> xml = readArchiveFile(name);
        const auto summary = xml ? einvoice::readCiiSummary(*xml) : std::nullopt;
        if (!summary || summary->number != number)
            return problem(ArchiveProblem::NumberDiffers, name);
        if (name == number + ".xml")
            archived.emplace(number, *summary);
    }
    for (const std::string& name : names) {
        if (name != std::string(invoiceNumberOf(name)) + ".pdf")
            continue;
        if (const auto found = attachmentProblem(name))
            return *found;
    }
    if (const auto found = listProblem(archived))
        return *found;
    ArchiveCheck audited = check;
    audited.withoutCopy = invoicesWithoutCopy(names);
    return audited;
}
