#pragma once
// The delivery note printout: the page frame, the number the invoice will get, and the lines of the
// new-invoice window without prices or totals, over as many pages as they need.

#include "printing/printjob.h"

/// Prints the delivery note with number deliveryNoteNumber; what became of it. Changes no program
/// state.
PrintResult printDeliveryNote();

/// Draws every page of the delivery note onto the open print job, which stays open. False when the
/// device refused a page.
bool drawDeliveryNote();
