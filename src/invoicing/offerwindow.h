#pragma once
// Offers made in the new-invoice window, and invoices made from offers.

#include <string_view>

/// What "Angebot erstellen" did with the offer.
enum class OfferOutcome {
    /// Printed, listed, and its item file, line record and the register written.
    Registered,
    /// Printed and listed, but a file could not be written; the user is told.
    SavedIncompletely,
    /// The print dialog was cancelled: no number used, the window keeps customer and lines.
    NotPrinted,
    /// The printer refused it: no number used, the window stays open.
    Refused,
    /// Nothing printed, no number used: no customer, no lines and the user declined, a total out of
    /// range, or a refused field (tax rate, Leistungsdatum, "Gültig bis").
    Kept,
};

/// "Gültig bis" (default today + 30 days) with its label, in the window composing an offer.
void createOfferFields();

/// "Angebot erstellen" (22010): numbers, prints and registers the offer and closes the window.
void createOffer();
/// The steps of "Angebot erstellen", with what became of the offer.
OfferOutcome createAndRegisterOffer();

/// "Als Rechnung" (232): opens "Neue Rechnung" with the selected offer's customer and lines; an offer
/// already invoiced asks first.
void offerToInvoice();

/// The invoice invoiceNumber was made in the window: the offer it was made from, if any, becomes
/// "abgerechnet mit Rechnung <n>" in the list and the register.
void settleSourceOffer(std::string_view invoiceNumber);
