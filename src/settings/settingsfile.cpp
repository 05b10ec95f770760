#include "settings/settingsfile.h"
// Filled in by the issue that builds these handlers; until then they do nothing.
void loadSettings() {}
bool saveSettings() { return false; }
