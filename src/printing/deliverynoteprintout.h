#pragma once
// The delivery note printout: the page frame, the number the invoice will get, and the lines of the
// new-invoice window without prices or totals.

#include "printing/printjob.h"

/// Prints the delivery note with number deliveryNoteNumber; what became of it. Changes no program
/// state.
PrintResult printDeliveryNote();
