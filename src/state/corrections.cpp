#include "state/corrections.h"

std::vector<Correction>& corrections() {
    static std::vector<Correction> held;
    return held;
}

void resetCorrections() {
    corrections().clear();
}

const Correction* correctionNumbered(std::string_view number) {
    for (const Correction& c : corrections()) {
        if (c.number == number)
            return &c;
    }
    return nullptr;
}

std::vector<const Correction*> correctionsOf(std::string_view original) {
    std::vector<const Correction*> found;
    for (const Correction& c : corrections()) {
        if (c.original == original)
            found.push_back(&c);
    }
    return found;
}

std::string correctionStatus(std::string_view number, std::int64_t ownTotal, std::int64_t creditedTotal) {
    if (const Correction* own = correctionNumbered(number)) {
        std::string status = own->kind == CorrectionKind::Cancellation ? "Storno zu " : "Gutschrift zu ";
        return status.append(own->original);
    }
    const std::vector<const Correction*> of = correctionsOf(number);
    if (of.empty())
        return {};
    if (const Correction* cancellation = cancellationOf(number))
        return "storniert durch " + cancellation->number;
    return creditedTotal < ownTotal ? "teilweise gutgeschrieben" : "gutgeschrieben";
}

const Correction* cancellationOf(std::string_view original) {
    for (const Correction* c : correctionsOf(original)) {
        if (c->kind == CorrectionKind::Cancellation)
            return c;
    }
    return nullptr;
}
