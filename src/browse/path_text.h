#pragma once
// Scanning and comparing path texts in the system's ANSI code page, where the second byte of a
// double-byte character may look like a backslash.
#include "platform/code_page.h"

#include <string>
#include <string_view>

namespace browse {

// Position of the last character of `text` that is one of `delimiters`, or npos.
using platform::LastDelimiter;
// Position of the first backslash of `text` at or after `from`, or npos.
size_t NextBackslash(const std::string& text, size_t from, platform::CodePage& codePage = platform::SystemCodePage());
bool EndsWithBackslash(const std::string& text, platform::CodePage& codePage = platform::SystemCodePage());
// Equal as file names: without regard to letter case, and nothing else.
bool SameFileName(const std::string& a, const std::string& b, platform::CodePage& codePage = platform::SystemCodePage());

}  // namespace browse
