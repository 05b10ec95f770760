#include "state/offerstate.h"

namespace {
OfferState theOfferState;
}

OfferState& offerState() {
    return theOfferState;
}

void resetOfferState() {
    theOfferState = OfferState{};
}
