#include "browse/type_ahead.h"

namespace browse {

namespace {

// Keys typed further apart than this start a new prefix.
constexpr DWORD kPauseMs = 499;

bool IsTrailSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
bool IsLeadSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

void TypeAhead::Type(wchar_t character, DWORD now) {
    if (now - last_ > kPauseMs) prefix_.clear();
    last_ = now;
    if (character != L'\b') {
        prefix_ += character;
        return;
    }
    // Take back the last whole character, both halves of one beyond the basic plane.
    if (prefix_.empty()) return;
    const wchar_t last = prefix_.back();
    prefix_.pop_back();
    if (IsTrailSurrogate(last) && !prefix_.empty() && IsLeadSurrogate(prefix_.back())) prefix_.pop_back();
}

}  // namespace browse
