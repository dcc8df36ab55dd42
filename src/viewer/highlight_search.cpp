#include "viewer/highlight_search.h"

#include <algorithm>

namespace viewer {

namespace {
// Keeps each range within what the text conversions take in one call.
constexpr size_t kLargestRange = size_t{1} << 24;
}  // namespace

TextMatcher::TextMatcher(std::wstring_view needle) : needle_(needle), fallback_(needle.size(), 0) {
    size_t matched = 0;
    for (size_t i = 1; i < needle_.size(); ++i) {
        while (matched > 0 && needle_[i] != needle_[matched]) matched = fallback_[matched - 1];
        if (needle_[i] == needle_[matched]) ++matched;
        fallback_[i] = matched;
    }
}

size_t TextMatcher::FindFirst(std::wstring_view text, size_t from) const { return Scan(text, from, false); }

size_t TextMatcher::FindLast(std::wstring_view text) const { return Scan(text, 0, true); }

size_t TextMatcher::Scan(std::wstring_view text, size_t from, bool wantLast) const {
    size_t found = npos;
    size_t matched = 0;
    for (size_t i = from; i < text.size(); ++i) {
        while (matched > 0 && text[i] != needle_[matched]) matched = fallback_[matched - 1];
        if (text[i] == needle_[matched]) ++matched;
        if (matched == needle_.size()) {
            found = i + 1 - matched;
            if (!wantLast) return found;
            matched = fallback_[matched - 1];
        }
    }
    return found;
}

std::optional<size_t> PassesSelectionStart(TextSource& source, std::wstring_view text, size_t firstRange) {
    if (text.empty()) return std::nullopt;
    const size_t length = text.size();
    TextMatcher matcher(text);
    size_t range = std::max<size_t>(firstRange, 1);
    // Each round looks for occurrences that start in [low, high); the one after it reads the range
    // before. An occurrence that starts there may end up to length - 1 characters after high.
    for (size_t high = source.Length(); high > 0; range = std::min(range * 2, kLargestRange)) {
        size_t low = high > range ? high - range : 0;
        std::wstring part = source.Range(low, high + length - 1);
        size_t last = matcher.FindLast(part);
        if (last != TextMatcher::npos) {
            size_t lastStart = low + last;
            size_t stretch = lastStart - lastStart % length;
            // Either range holds the last occurrence itself, so each search finds one.
            if (stretch >= low) return low + matcher.FindFirst(part, stretch - low);
            return stretch + matcher.FindFirst(source.Range(stretch, lastStart + length));
        }
        high = low;
    }
    return std::nullopt;
}

}  // namespace viewer
