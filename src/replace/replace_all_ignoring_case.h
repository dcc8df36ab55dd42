#pragma once
// The text step of a rewrite: every occurrence of a search text replaced, without regard to case.
#include "platform/code_page.h"

#include <string>

namespace replace {

// Returns `text` with each occurrence of `search` replaced by `replacement`, matching the two in
// the code page's upper-case form. Occurrences are taken from left to right without overlap and
// the inserted text is never searched again. Matching ends at the text's first zero byte (one
// right behind a lead byte too: a zero byte is never a second byte) and uses the search text
// only up to its own first zero byte, though each occurrence still removes search.size() bytes.
// In a code page with lead bytes no occurrence starts on the second byte of a character, counting
// characters afresh behind each occurrence. Linear in the text's length.
std::string ReplaceAllIgnoringCase(const std::string& text, const std::string& search,
                                   const std::string& replacement, platform::CodePage& codePage);
std::string ReplaceAllIgnoringCase(const std::string& text, const std::string& search,
                                   const std::string& replacement);

}  // namespace replace
