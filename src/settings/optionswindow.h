#pragma once
// The options window (window 1): every setting except the font face.

/// Menu item "Algemeine Einstellungen" (10009): opens the options window filled from the settings.
void openOptionsWindow();
/// "Speichern der Optionen" (6008): takes the values over, writes Option.ini, closes the window. A tax
/// rate isValidTaxRate refuses is told, and the window stays open with nothing taken over.
void saveOptionsClicked();
