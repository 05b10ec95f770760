#pragma once
// The buttons of a received e-invoice's window.

/// "Drucken": the invoice as the window shows it, through the print dialog; a printer that refuses
/// it is reported.
void printReceivedClicked();

/// "In Eingangsrechnungen ablegen": keeps the original file in Eingang and lists it; a second time
/// is refused with a note, a failure is reported.
void keepReceivedClicked();

/// "Anhänge speichern...": asks for a file name for each embedded attachment in turn and writes it
/// there; a cancelled dialog ends the saving, a failure is reported.
void saveAttachmentsClicked();
