#include "settings/optionswindow.h"
// Filled in by the issue that builds these handlers; until then they do nothing.
void openOptionsWindow() {}
void saveOptionsClicked() {}
