#include "datafiles/registerfile.h"
// Filled in by the issue that builds these handlers; until then they do nothing.
void loadRegister() {}
