#pragma once
// The offers: the highest offer number given, and what the new-invoice window does while it composes
// an offer or an invoice made from one. The offer windows change it; the offer printout reads it.

#include <cstdint>
#include <string>

struct OfferState {
    /// The highest offer number given so far; the next offer gets the number after it. Taken from
    /// the offers' register at start, so the series needs no counter of its own.
    std::int32_t highestOffer = 0;
    /// True while the new-invoice window composes an offer ("Neues Angebot").
    bool composingOffer = false;
    /// "Gültig bis" of the offer being printed (dd.mm.yyyy).
    std::string validUntilText;
    /// The number of the offer the invoice in the window is made from; empty for any other invoice.
    std::string sourceOffer;
};

/// The one offer state of the program.
OfferState& offerState();
/// Back to the state at start.
void resetOfferState();
