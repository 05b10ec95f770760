#pragma once
// The buttons of the offers page that change the offers themselves.

/// "Löschen" (231): after asking, removes the selected offer, its item file and line record, and its
/// line of the register.
void deleteSelectedOffer();
/// "Angenommen" (233) and "Abgelehnt" (234): the selected offer's status; an offer already invoiced
/// keeps its status.
void markOfferAccepted();
void markOfferRejected();
