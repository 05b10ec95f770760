#pragma once
// The e-invoice of the invoice in the new-invoice window, read from the program's state: the company
// data, the chosen customer (the address on paper, the e-invoice data in the row's hidden cells), the
// window's lines and the settings' tax rate and price mode.

#include "einvoice/document.h"
#include "runtime/conversions.h"

#include <cstdint>
#include <string>
#include <vector>

/// What reading the invoice found: the document, or why the program's data give none.
struct InvoiceDocument {
    einvoice::Document doc;
    /// Reasons beyond the document's own check (missingFor), in the same form ("Leistungsdatum ist
    /// kein Datum"); the document is not to be written while there is one.
    std::vector<std::string> reasons;
    /// The customer has a Leitweg-ID (not blanks only): the XRechnung is written too.
    bool xrechnung = false;
};

/// The invoice in the new-invoice window as number `number` issued on issueDate. Line amounts are
/// quantity × unit price by the money rules; with gross prices the lines are turned net so that they
/// add up to the net total; a small business charges no tax (category E). The due date is issueDate
/// plus the invoice's Zahlungsziel in days.
InvoiceDocument invoiceDocument(std::int32_t number, DateValue issueDate);

/// Every reason why the invoice cannot give a valid e-invoice: the program's own and the document's
/// check for the profile it is written in; empty when it can.
std::vector<std::string> reasonsAgainst(const InvoiceDocument& invoice);
