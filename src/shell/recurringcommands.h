#pragma once
// Recurring invoices in the main window: "Serie" makes the selected invoice a template; the list of the
// due templates, at start and through "File" -> "Fällige Serienrechnungen...", creates them once the
// user confirms with "Erstellen".

/// "Serie" (235): opens the template dialog for the selected invoice.
void seriesClicked();
/// The template dialog's "OK": adds the template to Serien.dat and closes the dialog.
void seriesOkClicked();
/// At start: lists the due templates when there are any; nothing otherwise.
void offerDueInvoicesAtStart();
/// "Fällige Serienrechnungen...": lists the due templates, or says that none is due.
void dueSeriesClicked();
/// "Erstellen" of the list: creates every due template's invoice and says what was not created.
void createDueSeriesClicked();
/// "Abbruch" of the list: closes it, creating nothing.
void cancelDueSeriesClicked();
