#include "state/invoicestate.h"

namespace {
InvoiceState theInvoiceState;
}

InvoiceState& invoiceState() {
    return theInvoiceState;
}

DateValue issueDateOrNow(const InvoiceState& invoice) {
    return invoice.issueDate ? *invoice.issueDate : currentDate();
}

void resetInvoiceState() {
    theInvoiceState = InvoiceState{};
}
