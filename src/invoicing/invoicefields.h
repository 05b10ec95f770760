#pragma once
// The fields of the new-invoice window right of the customer pick list: "Kunde suchen", the
// Leistungsdatum and, with company data, the Zahlungsziel, and the checks of what was typed into them.

/// Creates the fields into the window; they follow the customer pick list in the Tab order.
void createInvoiceFields();

/// Takes the Leistungsdatum into the invoice state. False, after telling the user, when it is no
/// date dd.mm.yyyy of the calendar.
bool takeDeliveryDate();

/// Takes the Leistungsdatum and, with company data, the Zahlungsziel into the invoice state. False,
/// after telling the user about the first one refused.
bool takeInvoiceFields();

/// "Kunde suchen" (322) edited, or Enter in it: selects and shows the first customer whose name or
/// first name begins with the text, ignoring case; the selection chooses the customer as a click does.
void customerSearchEdited();
