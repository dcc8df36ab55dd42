#include "browse/path_text.h"

namespace browse {

size_t NextBackslash(const std::string& text, size_t from, platform::CodePage& codePage) {
    for (size_t i = 0; i < text.size(); i += platform::CharacterLength(codePage, text, i)) {
        if (i >= from && text[i] == '\\') return i;
    }
    return std::string::npos;
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
