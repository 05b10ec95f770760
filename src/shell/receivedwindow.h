#pragma once
// The window of a received e-invoice ("E-Rechnung <number> von <seller>", owned by the main window):
// the check's result at its head, the invoice's details and its lines below, and the buttons
// "Drucken", "In Eingangsrechnungen ablegen" and "Anhänge speichern...".

#include "incoming/receivedinvoice.h"

#include <string>
#include <vector>

/// The invoice the window shows: as read, the findings of its check and the file's bytes.
struct ShownReceived {
    incoming::ReceivedInvoice invoice;
    std::vector<incoming::Finding> findings;
    std::string original;
};

/// The invoice shown, or nullptr when the window is closed.
const ShownReceived* shownReceived();
/// Forgets the invoice shown (tests, start).
void resetShownReceived();

/// "E-Rechnung öffnen..." (menu item 10020): asks for a file and shows its invoice.
void openEInvoiceClicked();

/// Reads the file at path (a path of the file system) and shows its invoice in the window; a file
/// that is no invoice is answered with "Die Datei ist keine lesbare E-Rechnung: <Grund>.".
void showReceivedFile(const std::string& path);

/// A double click in the list of received invoices shows the kept file of its row.
void openKeptInvoice();
