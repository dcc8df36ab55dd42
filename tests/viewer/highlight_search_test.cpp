#include "viewer/highlight_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>

namespace {

using viewer::PassesSelectionStart;

class StringSource final : public viewer::TextSource {
public:
    explicit StringSource(std::wstring text, size_t extraLength = 0)
        : text_(std::move(text)), extraLength_(extraLength) {}
    size_t Length() override { return text_.size() + extraLength_; }
    std::wstring Range(size_t start, size_t end) override {
        if (start >= text_.size()) return {};
        std::wstring part = text_.substr(start, end - start);
        charactersRead += part.size();
        return part;
    }
    size_t charactersRead = 0;

private:
    std::wstring text_;
    size_t extraLength_;
};

// The documented passes, with the control's search over a range clipped at the text's end.
std::optional<size_t> LiteralPasses(std::wstring_view text, std::wstring_view needle) {
    auto find = [&](size_t start, size_t length) -> std::optional<size_t> {
        size_t end = std::min(text.size(), start + length);
        if (start > end) return std::nullopt;
        size_t at = text.substr(start, end - start).find(needle);
        if (at == std::wstring_view::npos) return std::nullopt;
        return start + at;
    };
    std::optional<size_t> selection;
    for (size_t n = text.size(), p = 0; find(p, n); p += needle.size()) {
        n = text.size() - p;
        selection = find(p, n);
    }
    return selection;
}

TEST(TextMatcher, FindsFirstAndLastOccurrencesIncludingOverlappingOnes) {
    viewer::TextMatcher matcher(L"aba");
    EXPECT_EQ(matcher.FindFirst(L"xxababa"), 2u);
    EXPECT_EQ(matcher.FindFirst(L"xxababa", 3), 4u);
    EXPECT_EQ(matcher.FindLast(L"xxababax"), 4u);
    EXPECT_EQ(matcher.FindLast(L"ABA"), viewer::TextMatcher::npos);
    EXPECT_EQ(viewer::TextMatcher(L"aab").FindFirst(L"aaab"), 1u);
}

TEST(PassesSelectionStart, SameAsTheLiteralPassesOnRandomTexts) {
    // L = 3, last occurrence at 7, its stretch starts at 6, where another occurrence starts.
    StringSource stretch(L"......aaaa");
    EXPECT_EQ(PassesSelectionStart(stretch, L"aaa"), 6u);
    std::mt19937 random(20240611);
    const std::wstring letters = L"aab\r\nA";
    const std::wstring needles[] = {L"a", L"b", L"aa", L"ab", L"aba", L"aaa", L"\r\na", L"A", L"baab"};
    for (int round = 0; round < 3000; ++round) {
        std::wstring text(random() % 80, L' ');
        for (wchar_t& c : text) c = letters[random() % letters.size()];
        const std::wstring& needle = needles[random() % std::size(needles)];
        // Small ranges make occurrences straddle the boundaries between reads; a length that
        // overstates the text is allowed.
        size_t firstRange = 1 + random() % 9;
        StringSource source(text, random() % 3 == 0 ? random() % 5 : 0);
        ASSERT_EQ(PassesSelectionStart(source, needle, firstRange), LiteralPasses(text, needle))
            << "round " << round << " range " << firstRange;
    }
    StringSource any(L"text");
    EXPECT_EQ(PassesSelectionStart(any, L""), std::nullopt);
}

TEST(PassesSelectionStart, ReadsOnlyTheEndWhenTheLastOccurrenceIsNearIt) {
    std::wstring text(1 << 22, L'a');
    text.replace(text.size() - 100, 1, L"b");
    StringSource source(text);
    EXPECT_EQ(PassesSelectionStart(source, L"b", 4096), text.size() - 100);
    EXPECT_EQ(source.charactersRead, 4096u);
    // Absent: the whole text is read once; ranges overlap by one character less than the text.
    StringSource absent(text);
    EXPECT_EQ(PassesSelectionStart(absent, L"c", 4096), std::nullopt);
    EXPECT_EQ(absent.charactersRead, text.size());
}

}  // namespace
