#pragma once
// The main window: menu bar and the four pages with their buttons and lists.

#include "runtime/numbers.h"

/// Builds the main window (window 0). Returns false when the window could not be opened.
bool buildMainWindow();
