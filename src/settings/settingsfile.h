#pragma once
// Option.ini: the settings as 31 lines without keys, the last one without a line end.

#include <string_view>

inline constexpr std::string_view kSettingsName = "Option.ini";

/// Reads Option.ini into the settings, or sets the defaults when there is none. False when a read
/// failed before the end: Option.ini is then protected from every replacement in this run.
bool loadSettings();
/// Replaces Option.ini with the settings. False when the file could not be written (the old one stays).
bool saveSettings();
