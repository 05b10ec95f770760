#include "runtime/runtimestate.h"

#include "runtime/listmodel.h"
#include "runtime/openfile.h"

namespace {
RuntimeState theRuntimeState;
}

RuntimeState::RuntimeState() = default;
RuntimeState::~RuntimeState() = default;

RuntimeState& runtimeState() {
    return theRuntimeState;
}
