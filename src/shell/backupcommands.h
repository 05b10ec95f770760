#pragma once
// "Datensicherung..." and "Datensicherung zurückspielen..." in the "File" menu.

/// "Datensicherung..." (10033): asks for the ZIP file (Quillora-Sicherung-<date>.zip to start with)
/// and writes the data folder into it.
void backupClicked();
/// "Datensicherung zurückspielen..." (10034): asks for a backup and an empty folder and restores the
/// backup there, checked whole first; says what it restored, or why nothing.
void restoreClicked();
