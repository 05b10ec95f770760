#pragma once
// The invoice list's "Status" column: what corrects an invoice, or what a correction corrects. It
// stays hidden while the folder has no correction, so that the list, its printout, its export and its
// search stay as they were.

/// The list's column of the status, right of "Brutto".
inline constexpr int kRegisterStatusColumn = 6;

/// Shows the column and fills every row's status, once there is a correction; nothing otherwise.
void showCorrectionStatus();
