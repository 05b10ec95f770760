#include "accounting/programrecords.h"

#include "archive/archivefiles.h"
#include "datafiles/invoicelines.h"
#include "datafiles/itemfile.h"
#include "payments/openitems.h"
#include "payments/receivables.h"
#include "runtime/linefile.h"
#include "runtime/lists.h"
#include "runtime/numbers.h"
#include "runtime/wholefile.h"
#include "settings/accountingfields.h"
#include "state/companydata.h"
#include "state/corrections.h"
#include "state/customernumbers.h"
#include "state/ratesplit.h"
#include "state/settings.h"

namespace accounting {

namespace {

// The register row's cells: Re. Nr., Name, Kd.-Nr., Gesamtbetrag, Datum.
enum RegisterCell { kNumber, kName, kCustomer, kTotal, kDate };

constexpr int kItemFile = 7;
// An item file begins with five address lines and ends with the total.
constexpr std::size_t kAddressLines = 5;

std::string cell(int list, int row, int column) {
    return std::string(listCell(list, row, column));
}

// An invoice without a line record (of an earlier installation or a plain folder) had one rate and
// category: the options' rate, none for a small business. The register keeps the sum of the lines as
// the list showed it, net or gross.
std::optional<TaxPart> partOf(money::Amount lineSum) {
    const bool smallBusiness = invoicesWithoutTax();
    const money::Rate rate = smallBusiness ? money::Rate{} : money::parse<money::Rate>(settings().taxRate);
    const std::optional<money::Totals> totals = money::totalsOf(lineSum, rate, settings().pricesGross == 1);
    if (!totals)
        return std::nullopt;
    const char* category = smallBusiness ? "E" : rate.units == 0 ? "Z" : "S";
    return TaxPart{category, rate, totals->net, totals->tax};
}

// The parts of an invoice with a line record: one per category and rate of its lines, as it was
// printed. nullopt without a record, so that the register's total at the options' rate stands in.
std::optional<std::vector<TaxPart>> recordedParts(const std::string& number) {
    const InvoiceLines record = readInvoiceLines(number);
    if (!record.recorded || record.lines.empty())
        return std::nullopt;
    std::vector<TaxedAmount> taxed;
    for (const InvoiceLine& line : record.lines)
        taxed.push_back({line.category, line.rate, line.amount});
    const std::optional<RateSplit> split = splitByRate(taxed, settings().pricesGross == 1);
    if (!split)
        return std::nullopt;
    std::vector<TaxPart> parts;
    for (const RateGroup& group : split->groups)
        parts.push_back({group.category, group.rate, group.totals.net, group.totals.tax});
    return parts;
}

std::optional<InvoiceRecord> invoiceOfRow(int row, const std::optional<Period>& within) {
    InvoiceRecord invoice;
    invoice.number = cell(kInvoiceList, row, kNumber);
    invoice.customerName = cell(kInvoiceList, row, kName);
    invoice.customerNumber = parseInt(cell(kInvoiceList, row, kCustomer));
    const std::optional<DateValue> date = parseDate(cell(kInvoiceList, row, kDate));
    const money::Reading total = money::read(cell(kInvoiceList, row, kTotal), 2);
    if (!date || !total.whole || total.overflow)
        return std::nullopt;
    invoice.date = *date;
    if (const Correction* correction = correctionNumbered(invoice.number)) {
        invoice.kind = correction->kind == CorrectionKind::Cancellation ? DocumentKind::Cancellation
                                                                        : DocumentKind::CreditNote;
        invoice.refersTo = correction->original;
    }
    // Line records are read for the period asked only: a folder holds years of invoices.
    if (!within || within->contains(invoice.date)) {
        if (std::optional<std::vector<TaxPart>> parts = recordedParts(invoice.number)) {
            invoice.parts = std::move(*parts);
            return invoice;
        }
    }
    const std::optional<TaxPart> part = partOf(money::Amount{total.units});
    if (!part)
        return std::nullopt;
    invoice.parts.push_back(*part);
    return invoice;
}

// The payments of Zahlungen.dat with their invoice's customer; those without a readable date left out.
std::vector<PaymentRecord> paymentRecords(const std::vector<InvoiceRecord>& invoices) {
    std::vector<PaymentRecord> payments;
    for (const std::string& line : receivables().payments.lines) {
        const ::PaymentRecord read = paymentOf(line);
        const std::optional<DateValue> date = parseDate(std::string(read.date));
        if (!date)
            continue;
        PaymentRecord payment;
        payment.invoiceNumber = std::string(read.invoice);
        payment.date = *date;
        payment.amount = read.amount;
        payment.remark = std::string(recordField(line, 4));
        for (const InvoiceRecord& invoice : invoices) {
            if (invoice.number == payment.invoiceNumber) {
                payment.customerNumber = invoice.customerNumber;
                payment.customerName = invoice.customerName;
                break;
            }
        }
        payments.push_back(std::move(payment));
    }
    return payments;
}

// The lines of an item file between the address and the total; none when it cannot be read.
std::vector<std::string> itemLinesOf(const std::string& number) {
    std::vector<std::string> lines;
    if (!isItemFileNumber(number) || openForReading(kItemFile, itemFileName(number)) == 0)
        return lines;
    while (atEnd(kItemFile) == 0)
        lines.push_back(readLine(kItemFile));
    closeFile(kItemFile);
    if (lines.size() <= kAddressLines + 1)
        return {};
    return {lines.begin() + kAddressLines, lines.end() - 1};
}

} // namespace

ProgramRecords programRecords(const std::optional<Period>& within) {
    ProgramRecords records;
    for (int row = 0; row < listRowCount(kInvoiceList); ++row) {
        if (std::optional<InvoiceRecord> invoice = invoiceOfRow(row, within))
            records.invoices.push_back(std::move(*invoice));
        else
            records.unreadable.push_back(cell(kInvoiceList, row, kNumber));
    }
    records.payments = paymentRecords(records.invoices);
    return records;
}

std::optional<AccountingSetup> programSetup(std::string& reason) {
    const CompanyData& c = companyData();
    reason = accountingRefusal(c);
    const std::optional<std::int64_t> adviser = numberIn(c.adviserNumber, 1001, 9999999);
    const std::optional<std::int64_t> client = numberIn(c.clientNumber, 1, 99999);
    if (reason.empty() && (!adviser || !client))
        reason =
            "F\xFCr den DATEV-Export fehlen in den Firmendaten (Abschnitt Buchhaltung) die Beraternummer "
            "und die Mandantennummer.";
    if (!reason.empty())
        return std::nullopt;
    AccountingSetup setup;
    setup.adviser = *adviser;
    setup.client = *client;
    setup.chart = c.chart == "SKR04" ? Chart::Skr04 : Chart::Skr03;
    const DayOfYear start = *dayOfYear(c.fiscalYearStart);
    setup.fiscalDay = start.day;
    setup.fiscalMonth = start.month;
    setup.accountLength = static_cast<int>(*numberIn(c.accountLength, 4, 8));
    setup.debtors = c.debtors == "je Kunde" ? DebtorMode::PerCustomer : DebtorMode::Collective;
    for (std::size_t i = 0; i < kRevenueCases; ++i)
        setup.revenueAccounts[i] = numberIn(c.accounts[i], 1, 99999999).value_or(0);
    setup.bankAccount = numberIn(c.accounts[kRevenueCases], 1, 99999999).value_or(0);
    return setup;
}

AuditData programAuditData(const Period& period) {
    AuditData data;
    ProgramRecords records = programRecords(period);
    data.invoices = std::move(records.invoices);
    data.payments = std::move(records.payments);
    for (int row = 0; row < listRowCount(kCustomerList); ++row) {
        std::vector<std::string> cells;
        for (int c = 0; c < listColumnCount(kCustomerList); ++c)
            cells.push_back(cell(kCustomerList, row, c));
        data.customers.emplace_back(parseInt(customerNumberAt(row)), std::move(cells));
    }
    for (int row = 0; row < listRowCount(kArticleList); ++row) {
        std::vector<std::string> cells;
        for (int c = 0; c < listColumnCount(kArticleList); ++c)
            cells.push_back(cell(kArticleList, row, c));
        data.articles.push_back(std::move(cells));
    }
    for (const InvoiceRecord& invoice : data.invoices) {
        if (!period.contains(invoice.date))
            continue;
        data.itemLines.emplace_back(invoice.number, itemLinesOf(invoice.number));
        for (const std::string& name :
             {invoice.number + ".xml", invoice.number + ".pdf", invoice.number + "-xrechnung.xml"}) {
            if (std::optional<std::string> bytes = readWholeFile(platformPath(archivePath(name))))
                data.archiveFiles.push_back({name, std::move(*bytes)});
        }
    }
    if (std::optional<std::string> chain = readChainFile(); chain && !chain->empty())
        data.archiveFiles.push_back({std::string(kChainFileName), std::move(*chain)});
    const CompanyData& company = companyData();
    data.supplierName = company.name.empty() ? settings().logoLine1 : company.name;
    data.supplierLocation = company.city;
    return data;
}

} // namespace accounting
