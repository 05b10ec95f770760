#pragma once
// What the fuzz targets of the received-invoice readers demand of every answer: a refusal names its
// reason; an invoice has figures beside each line, allowance and VAT rate, and its check and view run.

#include "incoming/invoicecheck.h"
#include "incoming/invoiceview.h"

#include <cstdlib>

inline void requireReason(const std::string& refusal) {
    if (refusal.empty())
        std::abort();
}

inline void requireCoherent(const incoming::ReadResult& result) {
    if (!result.invoice) {
        requireReason(result.refusal);
        return;
    }
    const incoming::ReceivedInvoice& invoice = *result.invoice;
    const einvoice::Document& doc = invoice.document;
    if (invoice.figures.lines.size() != doc.lines.size() ||
        invoice.figures.allowancesCharges.size() != doc.allowancesCharges.size() ||
        invoice.figures.vat.size() != doc.vatBreakdown.size())
        std::abort();
    const std::vector<incoming::Finding> findings = incoming::checkInvoice(invoice);
    const incoming::InvoiceView view = incoming::viewOf(invoice, findings);
    if (view.lines.size() != doc.lines.size() || view.findings.size() != findings.size())
        std::abort();
    for (const incoming::Finding& f : findings) {
        if (f.text.empty())
            std::abort();
    }
}
