#include "browse/path_text.h"

namespace browse {

namespace {

// Calls `visit(position)` for the first byte of each whole character of `text` from `from`;
// stops early when it returns true and gives that position, or npos.
template <typename Visit>
size_t ScanCharacters(const std::string& text, size_t from, platform::CodePage& codePage, Visit visit) {
    const bool lead = codePage.HasLeadBytes();
    for (size_t i = 0; i < text.size();) {
        if (i >= from && visit(i)) return i;
        i += (lead && codePage.IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
    }
    return std::string::npos;
}

}  // namespace

size_t LastDelimiter(const std::string& text, std::string_view delimiters, platform::CodePage& codePage) {
    size_t last = std::string::npos;
    ScanCharacters(text, 0, codePage, [&](size_t i) {
        if (delimiters.find(text[i]) != std::string_view::npos) last = i;
        return false;
    });
    return last;
}

size_t NextBackslash(const std::string& text, size_t from, platform::CodePage& codePage) {
    return ScanCharacters(text, from, codePage, [&](size_t i) { return text[i] == '\\'; });
}

bool EndsWithBackslash(const std::string& text, platform::CodePage& codePage) {
    return !text.empty() && LastDelimiter(text, "\\", codePage) == text.size() - 1;
}

bool SameFileName(const std::string& a, const std::string& b, platform::CodePage& codePage) {
    // The ANSI case mapping keeps the length, so texts of other lengths never match.
    if (a.size() != b.size()) return false;
    std::string upperA = a, upperB = b;
    codePage.UpperInPlace(upperA.data(), upperA.size());
    codePage.UpperInPlace(upperB.data(), upperB.size());
    return upperA == upperB;
}

}  // namespace browse
