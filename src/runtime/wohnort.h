#pragma once
// The postcode and town in a customer's "Wohnort", the line of the address on paper that holds them.

#include <optional>
#include <string>
#include <string_view>

struct WohnortPlace {
    std::string postcode;
    std::string town;
    bool operator==(const WohnortPlace&) const = default;
};

/// "12345 Großstadt" gives "12345" and "Großstadt": a Wohnort that begins with a digit gives its first
/// word as the postcode and what follows the blanks after it as the town; any other gives both empty.
WohnortPlace placeOfWohnort(std::string_view wohnort);

/// The place of a Wohnort that begins with a German postcode: five digits, blanks, a town; nullopt for
/// any other ("1010 Wien", "12345", "Musterstadt").
std::optional<WohnortPlace> germanPlaceOfWohnort(std::string_view wohnort);
