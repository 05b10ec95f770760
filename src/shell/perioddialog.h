#pragma once
// The small dialog that asks an export for its period: "von" and "bis" (dd.mm.yyyy), for the DATEV
// export also "Zahlungen exportieren", and "OK", in this Tab order, the focus in "von".

#include "accounting/records.h"

#include <optional>
#include <string_view>

/// Opens the dialog titled `title` with the period to start with; okButton (kDatevOkButton,
/// kVatOkButton or kAuditOkButton) tells its "OK" which export follows. The check box only for
/// the DATEV export.
void openPeriodDialog(std::string_view title, const accounting::Period& start, int okButton);

/// The period typed into the open dialog; nullopt, after telling the user why, when "von" or "bis" is
/// no date or "bis" lies before "von".
std::optional<accounting::Period> typedPeriod();

/// Closes the dialog.
void closePeriodDialog();
