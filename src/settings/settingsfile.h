#pragma once
// Option.ini: the settings as 31 lines without keys, the last one without a line end.

/// Reads Option.ini into the settings, or sets the defaults when there is none.
void loadSettings();
/// Replaces Option.ini with the settings. False when the file could not be written (the old one stays).
bool saveSettings();
