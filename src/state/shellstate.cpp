#include "state/shellstate.h"

namespace {
ShellState theShellState;
}

ShellState& shellState() {
    return theShellState;
}

void markDataChanged() {
    theShellState.savedFlag = 0;
    theShellState.dataChanged = true;
}

void resetShellState() {
    theShellState = ShellState{};
}
