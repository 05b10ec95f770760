#pragma once
// The about window (window 20).

/// Menu item "About": opens the about window, replacing one that is open.
void openAboutWindow();
/// Button "Schließen" (control 15000): closes the about window and brings the main window to the front.
void closeAboutWindow();
