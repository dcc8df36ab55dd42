#include "viewer/shown_part.h"

#include "viewer/line_breaks.h"

#include <cstdio>

namespace viewer {

size_t ShownLength(std::string_view start, std::uint64_t fileSize, const ShowLimits& limits) {
    LineBreaks breaks;
    size_t line = 0, afterLastBreak = 0;
    std::uint64_t cost = 0;
    for (size_t i = 0; i < start.size(); ++i) {
        const char c = start[i];
        cost += ByteCost(c);
        if (cost > limits.shownCost) return afterLastBreak > 0 ? afterLastBreak : i;
        if (breaks.Next(c) != LineBreaks::Byte::Text) {
            line = 0;
            afterLastBreak = i + 1;
        } else if (++line > limits.longestLine) {
            return i;
        }
    }
    if (start.size() >= fileSize || afterLastBreak == 0) return start.size();
    return afterLastBreak;
}

size_t PieceEnd(std::string_view text, size_t from, size_t pieceCost) {
    size_t at = from;
    for (size_t cost = 0; at < text.size() && cost < pieceCost; ++at) cost += ByteCost(text[at]);
    at = text.find_first_of("\r\n", at);
    if (at == std::string_view::npos) return text.size();
    return at + (text.compare(at, 2, "\r\n") == 0 ? 2 : 1);
}

namespace {

// 197132288 as "197,132,288".
std::string Grouped(std::uint64_t number) {
    std::string digits = std::to_string(number), grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

}  // namespace

std::string NotShownNote(std::uint64_t notShown) {
    char mebibytes[32];
    std::snprintf(mebibytes, sizeof mebibytes, "%.1f", static_cast<double>(notShown) / (1 << 20));
    return "--- The file goes on: " + Grouped(notShown) + " more bytes (" + mebibytes + " MiB) are not shown here ---";
}

}  // namespace viewer
