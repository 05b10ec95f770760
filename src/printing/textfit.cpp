#include "printing/textfit.h"

#include <algorithm>

namespace {

constexpr auto npos = std::string_view::npos;

// The largest length from low to high whose beginning of text, with suffix after it, fits; low
// when none does. Widths grow with the length, so halving the range finds it.
std::size_t longestFit(std::string_view text, std::size_t low, std::size_t high, double width,
                       std::string_view suffix, const TextMeasure& measure) {
    std::string probe;
    while (low < high) {
        const std::size_t middle = low + (high - low + 1) / 2;
        probe.assign(text.substr(0, middle));
        probe.append(suffix);
        if (measure(probe) <= width)
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

} // namespace

std::string shortenToWidth(std::string_view text, double width, const TextMeasure& measure) {
    if (text.empty() || measure(text) <= width)
        return std::string(text);
    const std::string_view ellipsis(&kEllipsis, 1);
    std::string_view kept = text.substr(0, longestFit(text, 0, text.size() - 1, width, ellipsis, measure));
    while (!kept.empty() && kept.back() == ' ')
        kept.remove_suffix(1);
    return std::string(kept) + kEllipsis;
}

std::vector<std::string> wrapToWidth(std::string_view text, double width, int maxLines,
                                     const TextMeasure& measure) {
    const std::size_t lineLimit = static_cast<std::size_t>(std::max(maxLines, 1));
    const std::size_t n = text.size();
    std::vector<std::string> lines;
    // Blanks in front of a text that must break would count against its first word and cut it.
    std::size_t pos = measure(text) > width ? std::min(text.find_first_not_of(' '), n) : 0;
    for (;;) {
        // The line is text[pos, end): as many words as fit. stop ends the first try that did not fit.
        std::size_t end = pos;
        std::size_t stop = n;
        bool full = false;
        for (std::size_t wordEnd = pos; wordEnd < n;) {
            const std::size_t wordStart = text.find_first_not_of(' ', wordEnd);
            if (wordStart == npos)
                break;
            wordEnd = std::min(text.find(' ', wordStart), n);
            if (measure(text.substr(pos, wordEnd - pos)) > width) {
                full = true;
                stop = wordEnd;
                break;
            }
            end = wordEnd;
        }
        if (full && end == pos) {
            // Not even the first word fits: it is cut, and goes on on the next line.
            end = pos + longestFit(text.substr(pos), 1, stop - pos - 1, width, {}, measure);
            stop = end + 1;
        }
        const std::size_t next = full ? text.find_first_not_of(' ', end) : npos;
        if (next == npos) {
            lines.emplace_back(text.substr(pos, end - pos));
            return lines;
        }
        if (lines.size() + 1 == lineLimit) {
            lines.push_back(shortenToWidth(text.substr(pos, stop - pos), width, measure));
            return lines;
        }
        lines.emplace_back(text.substr(pos, end - pos));
        pos = next;
    }
}
