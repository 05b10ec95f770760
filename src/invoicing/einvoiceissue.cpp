#include "invoicing/einvoiceissue.h"

#include "archive/archivefiles.h"
#include "einvoice/ciiwriter.h"
#include "einvoice/facturx.h"
#include "invoicing/einvoicedocument.h"
#include "printing/invoicepdf.h"
#include "runtime/conversions.h"
#include "runtime/numbers.h"
#include "state/companydata.h"
#include "state/invoicestate.h"
#include "toolkit/toolkit.h"

#include <string>

namespace {

// Going to the customer's data now would replace the window and its lines.
constexpr const char* kCompleteLater = " Bitte die Rechnung abbrechen oder nur auf Papier erstellen und die "
                                       "Kundendaten danach erg\xE4nzen.";

std::string joined(const std::vector<std::string>& reasons) {
    std::string text;
    for (const std::string& reason : reasons)
        text += (text.empty() ? "" : ", ") + reason;
    return text;
}

} // namespace

std::optional<EInvoiceFiles> registeredInvoiceFiles() {
    const InvoiceState& state = invoiceState();
    const InvoiceDocument invoice = invoiceDocument(
        state.invoiceCounter, parseDate(state.invoiceDateText).value_or(issueDateOrNow(state)));
    EInvoiceFiles files;
    files.xml = einvoice::ciiXml(invoice.doc, einvoice::Profile::En16931);
    const auto drawn = invoicePdf();
    // The PDF is dated with the invoice, so that the same invoice gives the same bytes. It carries the
    // archive's chain value before it, so that every copy that leaves the office anchors the archive.
    const einvoice::PdfInfo info{"Rechnung " + invoice.doc.number, invoice.doc.seller.name,
                                 invoice.doc.issueDate - invoice.doc.issueDate % (24 * 60 * 60),
                                 nextChainLink().value_or("")};
    auto pdf = drawn ? einvoice::makeFacturX(*drawn, files.xml, info) : std::nullopt;
    if (!pdf)
        return std::nullopt;
    files.pdf = std::move(*pdf);
    if (invoice.xrechnung)
        files.xrechnung = einvoice::ciiXml(invoice.doc, einvoice::Profile::XRechnung);
    return files;
}

EInvoicePlan planEInvoice(std::int32_t number) {
    if (!companyData().present)
        return EInvoicePlan::None;
    const std::vector<std::string> reasons =
        reasonsAgainst(invoiceDocument(number, issueDateOrNow(invoiceState())));
    if (reasons.empty())
        return EInvoicePlan::Write;
    const int answer = messageBox(
        "Hinweis!",
        "F\xFCr diese Rechnung kann keine g\xFCltige E-Rechnung erstellt werden: " + joined(reasons) +
            ". Trotzdem nur auf Papier erstellen?" + kCompleteLater,
        kMessageYesNo);
    return answer == kAnswerYes ? EInvoicePlan::PaperOnly : EInvoicePlan::Back;
}

std::optional<ArchiveOutcome> issueEInvoice(EInvoicePlan plan) {
    if (plan != EInvoicePlan::Write && plan != EInvoicePlan::PaperOnly)
        return std::nullopt;
    const InvoiceState& state = invoiceState();
    ArchiveOutcome outcome = ArchiveOutcome::FileFailed;
    if (plan == EInvoicePlan::PaperOnly) {
        // Without a valid e-invoice the archive still keeps what the customer got.
        if (const auto pdf = invoicePdf())
            outcome = archivePaperCopy(state.invoiceCounter, *pdf);
        if (outcome != ArchiveOutcome::Archived)
            messageBox("Fehler!",
                       "Die Archivkopie der Rechnung Nr.:" + formatInt(state.invoiceCounter) +
                           " konnte nicht gespeichert werden!",
                       kMessageOk);
        return outcome;
    }
    const auto files = registeredInvoiceFiles();
    if (files)
        outcome = archiveInvoice(state.invoiceCounter, files->xml, files->pdf, files->xrechnung);
    if (outcome != ArchiveOutcome::Archived) {
        messageBox("Fehler!", archiveFailureText(state.invoiceCounter), kMessageOk);
        return outcome;
    }
    // Where the user finds the files to send.
    const std::string n = formatInt(state.invoiceCounter);
    setStatusText(kMainWindow, "E-Rechnung gespeichert: Archiv/" + n + ".xml, " + n + ".pdf" +
                                   (files->xrechnung ? ", " + n + "-xrechnung.xml" : std::string()));
    return outcome;
}
