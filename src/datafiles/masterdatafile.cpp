#include "datafiles/masterdatafile.h"
// Filled in by the issue that builds these handlers; until then they do nothing.
void loadMasterData() {}
bool saveMasterData() { return false; }
