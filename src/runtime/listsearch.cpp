#include "runtime/listsearch.h"

#include "runtime/listmodel.h"
#include "runtime/lists.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr std::array<unsigned char, 256> makeFoldTable() {
    std::array<unsigned char, 256> table{};
    for (int b = 0; b < 256; ++b) {
        const bool capital = (b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7);
        table[static_cast<std::size_t>(b)] = static_cast<unsigned char>(capital ? b + 0x20 : b);
    }
    return table;
}

constexpr std::array<unsigned char, 256> kFold = makeFoldTable();

bool sameFolded(char textByte, char foldedByte) {
    return static_cast<char>(kFold[static_cast<unsigned char>(textByte)]) == foldedByte;
}

} // namespace

char foldCase(char c) {
    return static_cast<char>(kFold[static_cast<unsigned char>(c)]);
}

std::string foldCase(std::string_view text) {
    std::string folded(text);
    for (char& c : folded)
        c = foldCase(c);
    return folded;
}

bool containsFolded(std::string_view text, std::string_view foldedNeedle) {
    return foldedNeedle.empty() || std::search(text.begin(), text.end(), foldedNeedle.begin(),
                                               foldedNeedle.end(), sameFolded) != text.end();
}

bool startsWithFolded(std::string_view text, std::string_view foldedPrefix) {
    return text.size() >= foldedPrefix.size() &&
           std::equal(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(foldedPrefix.size()),
                      foldedPrefix.begin(), sameFolded);
}

int findRowContaining(int number, int after, std::string_view text) {
    const ListModel* list = findList(number);
    if (!list || text.empty())
        return -1;
    const std::string needle = foldCase(text);
    std::vector<int> shown;
    for (int c = 0; c < list->columns(); ++c) {
        if (listColumnShown(number, c))
            shown.push_back(c);
    }
    const int rows = list->rows();
    const int first = (after < 0 || after >= rows) ? 0 : after + 1;
    for (int i = 0; i < rows; ++i) {
        const int row = (first + i) % rows;
        for (const int c : shown) {
            if (containsFolded(list->cell(row, c), needle))
                return row;
        }
    }
    return -1;
}

int findRowWith(int number, std::span<const int> columns, std::string_view text) {
    const ListModel* list = findList(number);
    if (!list || text.empty())
        return -1;
    const std::string folded = foldCase(text);
    for (int row = 0; row < list->rows(); ++row) {
        for (const int c : columns) {
            if (containsFolded(list->cell(row, c), folded))
                return row;
        }
    }
    return -1;
}

int findRowStartingWith(int number, std::span<const int> columns, std::string_view prefix) {
    const ListModel* list = findList(number);
    if (!list || prefix.empty())
        return -1;
    const std::string folded = foldCase(prefix);
    for (int row = 0; row < list->rows(); ++row) {
        for (const int c : columns) {
            if (startsWithFolded(list->cell(row, c), folded))
                return row;
        }
    }
    return -1;
}
