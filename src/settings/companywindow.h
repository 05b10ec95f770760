#pragma once
// The company data dialog (window 1): the seller's data an e-invoice needs, written to Firma.ini.

/// Menu item "Firmendaten (E-Rechnung)" (10010): opens the dialog filled from the company data; the
/// Steuernummer comes from the options while the company data have none.
void openCompanyWindow();
/// "Speichern" (7100): checks the fields; a refused one is named in a message and nothing changes.
/// Otherwise takes the values over, writes Firma.ini and closes the dialog.
void saveCompanyClicked();
