#include "replace/replace_all_ignoring_case.h"

#include "platform/upper_case_table.h"
#include "replace/pattern_finders.h"

#include <cstring>
#include <string_view>
#include <utility>

namespace replace {

namespace {

// Calls keep(begin, end) for each stretch of the text copied unchanged and insert() for each
// occurrence, in order.
template <typename Finder, typename Keep, typename Insert>
void Walk(size_t size, size_t removed, Finder finder, Keep keep, Insert insert) {
    size_t pos = 0;
    while (pos < size) {
        size_t at = finder.Find(pos);
        if (at == kNotFound) break;
        keep(pos, at);
        insert();
        pos = size - at > removed ? at + removed : size;
    }
    keep(pos, size);
}

// Builds the result in place. Pieces are mostly short where occurrences are dense, so a short
// piece is copied as one fixed-size block: the buffer keeps a block to spare at its end, and a
// source is never read past its own end.
class Writer {
public:
    static constexpr size_t kBlock = 16;

    explicit Writer(size_t length) : result_(length + kBlock, '\0'), out_(result_.data()) {}
    void Put(const char* from, size_t count, size_t readable) {
        if (count <= kBlock && readable >= kBlock)
            std::memcpy(out_, from, kBlock);
        else
            std::memcpy(out_, from, count);
        out_ += count;
    }
    std::string Finish() {
        result_.resize(static_cast<size_t>(out_ - result_.data()));
        return std::move(result_);
    }

private:
    std::string result_;
    char* out_;
};

template <typename Finder>
std::string Rewrite(std::string_view text, std::string_view replacement, size_t removed, const Finder& finder) {
    // A replacement no longer than the search text cannot make the result longer than this;
    // otherwise one pass measures it, so the result never grows by copying.
    size_t length = text.size() + replacement.size();
    if (replacement.size() > removed) {
        length = 0;
        Walk(text.size(), removed, finder, [&](size_t b, size_t e) { length += e - b; },
             [&] { length += replacement.size(); });
    }
    std::string padded(replacement);
    padded.resize(replacement.size() + Writer::kBlock);
    Writer writer(length);
    Walk(text.size(), removed, finder, [&](size_t b, size_t e) { writer.Put(text.data() + b, e - b, text.size() - b); },
         [&] { writer.Put(padded.data(), replacement.size(), padded.size()); });
    return writer.Finish();
}

}  // namespace

std::string ReplaceAllIgnoringCase(const std::string& text, const std::string& search,
                                   const std::string& replacement, platform::CodePage& codePage) {
    // Cut before upper-casing too, so that a zero byte never pairs with a lead byte before it.
    std::string pattern = search.substr(0, std::strlen(search.c_str()));
    codePage.UpperInPlace(pattern.data(), pattern.size());
    pattern.resize(std::strlen(pattern.c_str()));
    if (pattern.empty() || text.empty()) return text;

    const platform::UpperCaseTable& table = codePage.Table();
    if (table.HasLeadBytes())
        return Rewrite(text, replacement, search.size(), DoubleByteFinder(text, pattern, table));
    return Rewrite(text, replacement, search.size(), SingleByteFinder(text, pattern, table));
}

std::string ReplaceAllIgnoringCase(const std::string& text, const std::string& search,
                                   const std::string& replacement) {
    return ReplaceAllIgnoringCase(text, search, replacement, platform::SystemCodePage());
}

}  // namespace replace
