#pragma once
// The customer and article dialogs: a caption above each text field, the fields numbered in column
// order from a first number.

#include <span>
#include <string>
#include <string_view>

/// One caption and its field below it: the label at y, the field at y + 20, both 20 high.
struct FieldPlace {
    int y;
    int labelWidth;
    int fieldWidth;
    const char* caption;
};

/// Creates a label and a field at x 10 for each place, field i numbered firstField + i and filled with
/// texts[i]. A "|" would split the field when Daten.dat is read back, so none can be typed or pasted;
/// forbidden names every byte kept out.
void createLabelledFields(std::span<const FieldPlace> places, int firstField,
                          std::span<const std::string> texts, std::string_view forbidden = "|");

/// The texts of the fields firstField, firstField + 1, ... into values, one per value.
void readLabelledFields(int firstField, std::span<std::string> values);

/// Whether a field's text holds more than blanks (spaces and tabs).
bool hasText(std::string_view text);
