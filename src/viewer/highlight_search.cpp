#include "viewer/highlight_search.h"

#include <algorithm>

namespace viewer {

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

PassesSearch::PassesSearch(std::wstring_view text, size_t firstRange, size_t largestRange)
    : text_(text), matcher_(text), range_(std::max<size_t>(firstRange, 1)), largest_(std::max(largestRange, range_)),
      done_(text.empty()) {}

bool PassesSearch::Step(TextSource& source) {
    if (done_) return true;
    const size_t length = text_.size();
    const size_t high = high_ ? *high_ : source.Length();
    if (high == 0) return done_ = true;
    // This range looks for occurrences that start in [low, high); the next step reads the range
    // before. An occurrence that starts here may end up to length - 1 characters after high.
    const size_t low = high > range_ ? high - range_ : 0;
    const std::wstring part = source.Range(low, high + length - 1);
    const size_t last = matcher_.FindLast(part);
    high_ = low;
    range_ = std::min(range_ * 2, largest_);
    if (last == TextMatcher::npos) return done_ = low == 0;
    const size_t lastStart = low + last;
    const size_t stretch = lastStart - lastStart % length;
    // Either range holds the last occurrence itself, so each search finds one.
    start_ = stretch >= low ? low + matcher_.FindFirst(part, stretch - low)
                            : stretch + matcher_.FindFirst(source.Range(stretch, lastStart + length));
    return done_ = true;
}

std::optional<size_t> PassesSelectionStart(TextSource& source, std::wstring_view text, size_t firstRange) {
    PassesSearch search(text, firstRange);
    while (!search.Step(source)) {
    }
    return search.Start();
}

}  // namespace viewer
