#include "state/shellstate.h"

namespace {
ShellState theShellState;
}

ShellState& shellState() {
    return theShellState;
}

void resetShellState() {
    theShellState = ShellState{};
}
