#pragma once
// Where the passes that highlight a text leave the selection, found in one sweep.
//
// The passes select, for P = 0, L, 2L, ... (L the text's length), the first occurrence that starts
// at or after P, as long as one does. With M the start of the last occurrence, the last pass runs
// at P = L x (M div L), so the selection left is the first occurrence in the stretch of L
// characters that holds M. Reading the text backwards from its end finds M; the occurrences of
// that stretch all lie within L characters before it.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace viewer {

// Finds a text in another, comparing characters exactly, in time linear in both (Knuth, Morris
// and Pratt).
class TextMatcher {
public:
    static constexpr size_t npos = std::wstring_view::npos;

    // `needle` is not empty.
    explicit TextMatcher(std::wstring_view needle);
    size_t FindFirst(std::wstring_view text, size_t from = 0) const;
    size_t FindLast(std::wstring_view text) const;

private:
    size_t Scan(std::wstring_view text, size_t from, bool wantLast) const;

    std::wstring needle_;
    // For each prefix of the needle, the length of its longest proper prefix that is also its suffix.
    std::vector<size_t> fallback_;
};

// A text read in ranges of characters.
class TextSource {
public:
    virtual ~TextSource() = default;
    // The number of characters; may be more than there are.
    virtual size_t Length() = 0;
    // The characters from `start` up to `end`, fewer where the text ends first.
    virtual std::wstring Range(size_t start, size_t end) = 0;
};

// The search for where the passes leave the selection, one range of the source at a time, so that
// a window can answer between two ranges. Reads the source from its end in ranges that double
// from `firstRange` characters up to `largestRange`.
class PassesSearch {
public:
    explicit PassesSearch(std::wstring_view text, size_t firstRange = 65536, size_t largestRange = size_t{1} << 18);
    // Searches the next range; true once the answer is known.
    bool Step(TextSource& source);
    // The start of the selection, or nothing when the text does not occur or is empty.
    std::optional<size_t> Start() const noexcept { return start_; }

private:
    std::wstring text_;
    TextMatcher matcher_;
    size_t range_, largest_;
    // Where the range still to be read ends; unknown before the first step.
    std::optional<size_t> high_;
    bool done_;
    std::optional<size_t> start_;
};

// The whole search at once.
std::optional<size_t> PassesSelectionStart(TextSource& source, std::wstring_view text, size_t firstRange = 65536);

}  // namespace viewer
