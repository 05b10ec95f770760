#include "state/invoicestate.h"

namespace {
InvoiceState theInvoiceState;
}

InvoiceState& invoiceState() {
    return theInvoiceState;
}

void resetInvoiceState() {
    theInvoiceState = InvoiceState{};
}
