#include "runtime/wohnort.h"

#include <algorithm>

WohnortPlace placeOfWohnort(std::string_view wohnort) {
    WohnortPlace place;
    if (wohnort.empty() || wohnort[0] < '0' || wohnort[0] > '9')
        return place;
    const std::size_t blank = wohnort.find(' ');
    place.postcode = wohnort.substr(0, blank);
    const std::size_t town = blank == std::string_view::npos ? blank : wohnort.find_first_not_of(' ', blank);
    if (town != std::string_view::npos)
        place.town = wohnort.substr(town);
    return place;
}

std::optional<WohnortPlace> germanPlaceOfWohnort(std::string_view wohnort) {
    WohnortPlace place = placeOfWohnort(wohnort);
    const bool digits = std::all_of(place.postcode.begin(), place.postcode.end(),
                                    [](char c) { return c >= '0' && c <= '9'; });
    if (place.postcode.size() != 5 || !digits || place.town.empty())
        return std::nullopt;
    return place;
}
