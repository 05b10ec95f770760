#include "runtime/recordtext.h"

namespace {

std::string blanked(std::string_view text, std::string_view splitters) {
    std::string cleaned(text);
    for (char& c : cleaned) {
        if (splitters.find(c) != std::string_view::npos)
            c = ' ';
    }
    return cleaned;
}

} // namespace

std::string lineText(std::string_view text) {
    return blanked(text, std::string_view("\r\n\0", 3));
}

std::string fieldText(std::string_view text) {
    return blanked(text, std::string_view("\r\n\0|", 4));
}
