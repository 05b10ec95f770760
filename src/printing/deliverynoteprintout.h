#pragma once
// The delivery note printout: the page frame, the number the invoice will get, and the lines of the
// new-invoice window without prices or totals.

/// Prints the delivery note with number deliveryNoteNumber. False when the print dialog was
/// cancelled. Changes no program state.
bool printDeliveryNote();
