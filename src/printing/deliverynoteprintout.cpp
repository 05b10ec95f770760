#include "printing/deliverynoteprintout.h"

#include "printing/linetable.h"
#include "printing/pageframe.h"
#include "printing/printjob.h"
#include "state/invoicestate.h"

PrintResult printDeliveryNote() {
    if (const PrintResult begun = beginPrintout("test"); !begun)
        return begun;
    setTransparentText();
    drawLetterhead();
    drawTitleBlock("Lieferschein Nr.:", invoiceState().deliveryNoteNumber);
    drawColumnTitles(false);
    for (int row = 0; row < invoiceState().invoiceLineCount; ++row)
        drawLineRow(row);
    placeLine(25, 220, 185, 220, 1);
    drawFooter();
    endPrintout();
    return {};
}
