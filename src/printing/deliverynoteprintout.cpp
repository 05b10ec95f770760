#include "printing/deliverynoteprintout.h"

#include "printing/printjob.h"
#include "printing/tableprintout.h"
#include "runtime/conversions.h"
#include "state/invoicestate.h"

bool drawDeliveryNote() {
    TablePrintout note;
    note.label = "Lieferschein Nr.:";
    note.number = invoiceState().deliveryNoteNumber;
    // Each page's rows end with a rule, the last page's too.
    note.drawClosing = [](float pageEnd, std::optional<money::Amount>) {
        placeLine(25, pageEnd, 185, pageEnd, 1);
        return true;
    };
    return drawTablePrintout(note);
}

PrintResult printDeliveryNote() {
    if (const PrintResult begun =
            beginPrintout("Lieferschein " + formatInt(invoiceState().deliveryNoteNumber));
        !begun)
        return begun;
    const bool drawn = drawDeliveryNote();
    if (!endPrintout() || !drawn)
        return {PrintOutcome::Refused};
    return {};
}
