#pragma once
// "Mahnung" on the invoices page.

/// "Mahnung" (221): prints the next letter for the selected overdue invoice through the print dialog
/// (reminder, then first and second dunning letter), remembers it in Mahnungen.dat and keeps it in the
/// archive. An invoice that is not overdue gets no letter, and the user is told why.
void dunningClicked();
