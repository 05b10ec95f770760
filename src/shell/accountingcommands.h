#pragma once
// The menu "Buchhaltung": the DATEV export, the VAT return's figures and the audit export. Each asks
// for its period, then (the exports) for where to write; the accounting library makes the bytes.

/// "DATEV-Export..." (10030): without Beraternummer and Mandantennummer says what is missing;
/// otherwise asks for the period, the last finished month to start with.
void datevExportClicked();
/// "OK" of its period dialog: checks the period, makes the batch, asks for the file
/// (EXTF_Buchungsstapel_<von>_<bis>.csv) and writes it. A period without bookings: "Im Zeitraum gibt es
/// keine Buchungen."
void datevPeriodChosen();

/// "Umsatzsteuer-Übersicht..." (10031): asks for a month or quarter, the last finished month to start.
void vatOverviewClicked();
/// "OK" of its period dialog: a month or a quarter opens the figures' window.
void vatPeriodChosen();

/// "Datenexport für die Betriebsprüfung..." (10032): asks for the period, the last finished year to
/// start with.
void auditExportClicked();
/// "OK" of its period dialog: asks for an empty folder and writes the export into it.
void auditPeriodChosen();
