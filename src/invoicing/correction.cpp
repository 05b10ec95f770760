#include "invoicing/correction.h"

#include "archive/archivefiles.h"
#include "archive/archivewriter.h"
#include "datafiles/correctionfile.h"
#include "datafiles/itemfile.h"
#include "datafiles/masterdatafile.h"
#include "datafiles/registerfile.h"
#include "einvoice/ciisummary.h"
#include "einvoice/ciiwriter.h"
#include "einvoice/facturx.h"
#include "invoicing/correctionstatus.h"
#include "invoicing/einvoicedocument.h"
#include "invoicing/newinvoicewindow.h"
#include "payments/openitemcolumns.h"
#include "printing/invoicepdf.h"
#include "printing/invoiceprintout.h"
#include "runtime/conversions.h"
#include "runtime/linefile.h"
#include "runtime/listmodel.h"
#include "runtime/lists.h"
#include "runtime/numbers.h"
#include "runtime/wholefile.h"
#include "state/companydata.h"
#include "state/customernumbers.h"
#include "state/invoicestate.h"
#include "state/settings.h"
#include "state/shellstate.h"
#include "toolkit/toolkit.h"

#include <optional>

namespace {

// The register's columns a correction reads.
constexpr int kNumberColumn = 0;
constexpr int kCustomerColumn = 2;
constexpr int kTotalColumn = 3;
constexpr int kDateColumn = 4;

// The Leistungsdatum the original's archived e-invoice names (dd.mm.yyyy); its invoice date when it
// has none, or no e-invoice was archived.
std::string supplyDateOf(const std::string& original, const std::string& invoiceDate) {
    const std::optional<std::string> xml = readWholeFile(platformPath(archivePath(original + ".xml")));
    const std::optional<einvoice::CiiSummary> summary = xml ? einvoice::readCiiSummary(*xml) : std::nullopt;
    const std::string& d = summary ? summary->deliveryDate : invoiceDate;
    if (d.size() != 8 || d.find_first_not_of("0123456789") != std::string::npos)
        return invoiceDate;
    return d.substr(6, 2) + "." + d.substr(4, 2) + "." + d.substr(0, 4);
}

// A correction borrows the program's invoice state and lines list to print, register and archive as an
// invoice is made; the invoice in the new-invoice window, if any, gets them back whole.
class BorrowedInvoice {
  public:
    BorrowedInvoice() : saved_(invoiceState()), window_(findList(kLinesList)) {
        for (int c = 0; c < 9; ++c)
            lines_.insertColumnAt(c, "");
        registerList(kLinesList, &lines_);
    }
    ~BorrowedInvoice() {
        registerList(kLinesList, window_);
        const std::int32_t counter = invoiceState().invoiceCounter;
        invoiceState() = std::move(saved_);
        invoiceState().invoiceCounter = counter;
    }
    BorrowedInvoice(const BorrowedInvoice&) = delete;
    BorrowedInvoice& operator=(const BorrowedInvoice&) = delete;

    /// The lines list holds lines, each amount and price times sign.
    void fill(const std::vector<InvoiceLine>& lines, int sign) {
        while (lines_.rows() > 0)
            lines_.removeRowAt(0);
        money::Amount sum;
        for (const InvoiceLine& l : lines) {
            const money::Amount amount{sign * l.amount.units};
            sum = money::add(sum, amount).value_or(sum);
            lines_.insertRowAt(
                -1,
                formatInt(lines_.rows() + 1) + "|" + l.designation + "|" + l.description + "|" +
                    money::formatDecimal(sign * l.unitPrice.units, money::Price::kDecimals, 2, ',') + "|" +
                    money::formatQuantity(l.quantity) + "|" + money::formatAmount(amount) + "|" +
                    money::formatDecimal(l.rate.units, money::Rate::kDecimals, 0, ',') + "|" + l.category +
                    "|" + l.unit,
                '|');
        }
        InvoiceState& invoice = invoiceState();
        invoice.invoiceLineCount = lines_.rows();
        invoice.invoiceTotal = sum;
        invoice.invoiceTotalText = money::formatAmount(sum);
    }

  private:
    InvoiceState saved_;
    ListModel* window_;
    ListModel lines_;
};

const char* titleOf(CorrectionKind kind) {
    return kind == CorrectionKind::Cancellation ? "Stornorechnung" : "Gutschrift";
}

int customerRowOf(std::string_view number) {
    for (int r = 0; r < rowCount(kCustomerList); ++r) {
        if (customerNumberAt(r) == number)
            return r;
    }
    return -1;
}

money::Amount amountAt(int row) {
    return money::parse<money::Amount>(getCell(kInvoiceList, row, kTotalColumn));
}

// What the invoice's credit notes took off so far, as a positive amount.
std::optional<money::Amount> creditedSoFar(std::string_view number) {
    std::optional<money::Amount> sum = money::Amount{};
    for (const Correction* c : correctionsOf(number)) {
        const int row = invoiceRow(c->number, -1);
        if (sum && row >= 0)
            sum = money::add(*sum, money::Amount{-amountAt(row).units});
    }
    return sum;
}

// The e-invoice of the correction as EN 16931 wants a credit note: the lines at positive amounts,
// type 381, the original named; no payment is asked.
InvoiceDocument creditNoteDocument(const Correction& c, std::int32_t number) {
    InvoiceDocument invoice = invoiceDocument(number, issueDateOrNow(invoiceState()));
    std::erase_if(invoice.reasons, [](const std::string& r) { return r.starts_with("Zahlungsbedingungen"); });
    einvoice::Document& doc = invoice.doc;
    doc.typeCode = "381";
    doc.precedingInvoice = c.original;
    doc.precedingInvoiceDate = parseDate(c.originalDate);
    doc.paymentTerms.clear();
    doc.cashDiscount.reset();
    if (!c.reason.empty())
        doc.notes.push_back(c.reason);
    return invoice;
}

// With company data the correction goes into the archive: its e-invoice, or, when it gives no valid
// one, the printout alone. False when nothing could be archived.
bool archiveCorrection(const std::optional<InvoiceDocument>& credit, const CorrectionPrint& print,
                       std::int32_t number) {
    const auto pdf = documentPdf([&print] { return drawCorrection(print); });
    if (!pdf)
        return false;
    if (!credit || !reasonsAgainst(*credit).empty())
        return archivePaperCopy(number, *pdf) == ArchiveOutcome::Archived;
    const std::string xml = einvoice::ciiXml(credit->doc, einvoice::Profile::En16931);
    const einvoice::PdfInfo info{print.jobName, credit->doc.seller.name,
                                 credit->doc.issueDate - credit->doc.issueDate % (24 * 60 * 60),
                                 nextChainLink().value_or("")};
    const auto facturX = einvoice::makeFacturX(*pdf, xml, info);
    if (!facturX)
        return false;
    std::optional<std::string> xrechnung;
    if (credit->xrechnung)
        xrechnung = einvoice::ciiXml(credit->doc, einvoice::Profile::XRechnung);
    return archiveInvoice(number, xml, *facturX, xrechnung) == ArchiveOutcome::Archived;
}

} // namespace

std::vector<InvoiceLine> correctableLines(std::string_view number, std::string_view registerTotal) {
    InvoiceLines kept = readInvoiceLines(number);
    if (kept.recorded)
        return kept.lines;
    // Without its lines the invoice is corrected as one line of its register total.
    InvoiceLine whole;
    whole.designation = "Rechnung Nr. " + std::string(number);
    whole.quantity = money::Quantity{1000};
    whole.amount = money::parse<money::Amount>(registerTotal);
    whole.unitPrice = money::Price{whole.amount.units * 100};
    whole.rate = money::parse<money::Rate>(settings().taxRate);
    return {whole};
}

std::string correctionRefusal(int row, CorrectionKind kind, const std::vector<InvoiceLine>& lines) {
    const std::string number = getCell(kInvoiceList, row, kNumberColumn);
    if (const Correction* own = correctionNumbered(number))
        return "Die Rechnung Nr. " + number + " ist selbst " +
               (own->kind == CorrectionKind::Cancellation ? "eine Stornorechnung" : "eine Gutschrift") +
               " zur Rechnung Nr. " + own->original + " und kann nicht korrigiert werden.";
    if (const Correction* cancelled = cancellationOf(number))
        return "Die Rechnung Nr. " + number + " wurde bereits durch die Stornorechnung Nr. " +
               cancelled->number + " storniert.";
    const std::optional<money::Amount> credited = creditedSoFar(number);
    if (kind == CorrectionKind::Cancellation) {
        if (credited && credited->units != 0)
            return "Zur Rechnung Nr. " + number +
                   " gibt es bereits Gutschriften; der Rest kann nur gutgeschrieben werden.";
        return {};
    }
    std::optional<money::Amount> asked = credited;
    for (const InvoiceLine& l : lines)
        asked = asked ? money::add(*asked, l.amount) : std::nullopt;
    if (!asked || *asked > amountAt(row))
        return "Die Gutschriften zur Rechnung Nr. " + number +
               " w\xFC"
               "rden den Rechnungsbetrag \xFC"
               "bersteigen.";
    return {};
}

CorrectionOutcome issueCorrection(const CorrectionRequest& request) {
    const int row = request.row;
    const std::string original = getCell(kInvoiceList, row, kNumberColumn);
    const std::vector<InvoiceLine> lines =
        request.kind == CorrectionKind::Cancellation
            ? correctableLines(original, getCell(kInvoiceList, row, kTotalColumn))
            : request.lines;
    std::string refusal = correctionRefusal(row, request.kind, lines);
    const int customer = customerRowOf(getCell(kInvoiceList, row, kCustomerColumn));
    if (refusal.empty() && customer < 0)
        refusal = "Der Kunde der Rechnung Nr. " + original + " ist nicht mehr in der Kundenliste.";
    if (!refusal.empty()) {
        messageBox("Hinweis!", refusal, kMessageOk);
        return CorrectionOutcome::Refused;
    }
    const Correction correction{"", request.kind, original, getCell(kInvoiceList, row, kDateColumn),
                                request.kind == CorrectionKind::CreditNote ? request.reason : ""};
    BorrowedInvoice borrowed;
    InvoiceState& invoice = invoiceState();
    takeCustomerRow(customer);
    invoice.issueDate = currentDate();
    invoice.invoiceDateText = formatDate("%dd.%mm.%yyyy", *invoice.issueDate);
    // The correction concerns the original's supply: its Leistungsdatum.
    invoice.deliveryDateText = supplyDateOf(original, correction.originalDate);
    invoice.paymentDays = 0;
    const std::int32_t number = nextNumber(invoice.invoiceCounter);
    std::optional<InvoiceDocument> credit;
    if (companyData().present) {
        borrowed.fill(lines, 1);
        Correction numbered = correction;
        numbered.number = formatInt(number);
        credit = creditNoteDocument(numbered, number);
    }
    borrowed.fill(lines, -1);
    const std::string title = titleOf(request.kind);
    const CorrectionPrint print{
        title + " Nr.:", "zur Rechnung Nr. " + original + " vom " + correction.originalDate,
        correction.reason.empty() ? "" : correction.reason, title + " " + formatInt(number)};
    const std::int32_t previous = invoice.invoiceCounter;
    invoice.invoiceCounter = number;
    if (const PrintResult printed = printCorrection(print); !printed) {
        invoice.invoiceCounter = previous;
        if (printed.outcome == PrintOutcome::Cancelled)
            return CorrectionOutcome::NotPrinted;
        messageBox("Fehler!", "Die " + title + " konnte nicht gedruckt werden!", kMessageOk);
        return CorrectionOutcome::Refused;
    }
    // The same order as an invoice's: the list row, the item files, the correction's record and the
    // register line, the counter last; each failure is named.
    invoice.customerLastName = invoice.customerCells.size() > 1 ? invoice.customerCells[1] : std::string();
    addRow(kInvoiceList, -1,
           formatInt(number) + "\n" + invoice.customerLastName + "\n" + invoice.customerNumberText + "\n" +
               invoice.invoiceTotalText + "\n" + invoice.invoiceDateText + "\n" +
               registerGross(invoice.invoiceTotalText));
    std::string missing;
    const auto require = [&missing](bool ok, std::string_view what) {
        if (!ok)
            missing += (missing.empty() ? "" : ", ") + std::string(what);
    };
    require(writeItemFile() && writeInvoiceLines(), "Positionsdatei");
    Correction issued = correction;
    issued.number = formatInt(number);
    require(appendCorrection(issued), kCorrectionsName);
    require(appendRegisterLine(), kRegisterName);
    const bool masterSaved = saveMasterData();
    if (!masterSaved)
        markDataChanged();
    require(masterSaved, "Daten.dat");
    if (missing.empty() && companyData().present)
        require(archiveCorrection(credit, print, number), "Archiv");
    fillOpenItemRow(row);
    fillOpenItemRow(rowCount(kInvoiceList) - 1);
    showCorrectionStatus();
    if (!missing.empty()) {
        messageBox("Fehler!",
                   "Die " + title + " Nr.:" + formatInt(number) +
                       " konnte nicht vollst\xE4ndig gespeichert werden! Es fehlt: " + missing,
                   kMessageOk);
        return CorrectionOutcome::SavedIncompletely;
    }
    return CorrectionOutcome::Issued;
}

void cancelSelectedInvoice() {
    const int r = getState(kInvoiceList);
    shellState().selectedRow = r;
    if (r == -1) {
        messageBox("Hinweis!", "Bitte zuerst eine Rechnung markieren.", kMessageOk);
        return;
    }
    const std::string number = getCell(kInvoiceList, r, kNumberColumn);
    // Refused ones are told before the question.
    if (const std::string refusal = correctionRefusal(r, CorrectionKind::Cancellation, {});
        !refusal.empty()) {
        messageBox("Hinweis!", refusal, kMessageOk);
        return;
    }
    if (messageBox("Hinweis!", "Soll die Rechnung Nr. " + number + " storniert werden?", kMessageYesNo) !=
        kAnswerYes)
        return;
    issueCorrection({CorrectionKind::Cancellation, r, {}, {}});
}
