#include "shell/labelledfields.h"

#include "toolkit/toolkit.h"

#include <algorithm>

void createLabelledFields(std::span<const FieldPlace> places, int firstField,
                          std::span<const std::string> texts, std::string_view forbidden) {
    for (std::size_t i = 0; i < places.size(); ++i) {
        const FieldPlace& place = places[i];
        const int field = firstField + static_cast<int>(i);
        createLabel(kAnonymous, 10, place.y, place.labelWidth, 20, place.caption);
        createTextField(field, 10, place.y + 20, place.fieldWidth, 20, i < texts.size() ? texts[i] : "");
        setForbiddenCharacters(field, forbidden);
    }
}

void readLabelledFields(int firstField, std::span<std::string> values) {
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = getText(firstField + static_cast<int>(i));
}

bool hasText(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return c != ' ' && c != '\t'; });
}
