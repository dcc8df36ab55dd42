#include "browse/selector_rules.h"

#include <utility>

namespace browse {

namespace {

constexpr DWORD kTypingPause = 500;

wchar_t FoldAscii(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

// The entries are plain ASCII, so folding ASCII letters compares them without regard to case;
// a typed character beyond ASCII begins none of them.
bool BeginsWith(const std::string& entry, const std::wstring& prefix) {
    if (prefix.size() > entry.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        const wchar_t own = static_cast<unsigned char>(entry[i]);
        if (FoldAscii(own) != FoldAscii(prefix[i])) return false;
    }
    return true;
}

}  // namespace

SelectorRules::SelectorRules(std::vector<std::string> entries) : entries_(std::move(entries)) {}

std::optional<int> SelectorRules::Step(int index, int steps) const {
    if (index < 0 || index >= Count()) index = -1;
    const int to = index + steps;
    if (to < 0 || to >= Count()) return std::nullopt;
    return to;
}

KeyAction SelectorRules::Key(UINT virtualKey, bool alt, bool dropped, int index) const {
    const bool arrow = virtualKey == VK_UP || virtualKey == VK_DOWN;
    if ((virtualKey == VK_F4 && !alt) || (arrow && alt)) return {KeyAction::Toggle};
    // The open list moves its highlight, takes Enter and Esc itself.
    if (dropped || alt) return {KeyAction::PassOn};
    if (arrow) {
        const auto to = Step(index, virtualKey == VK_UP ? -1 : 1);
        return to ? KeyAction{KeyAction::Pick, *to} : KeyAction{KeyAction::Swallow};
    }
    switch (virtualKey) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT: return {KeyAction::Swallow};
    default: return {KeyAction::PassOn};
    }
}

std::optional<int> SelectorRules::Wheel(int delta, int index) {
    wheel_ += delta;
    const int notches = wheel_ / WHEEL_DELTA;
    wheel_ -= notches * WHEEL_DELTA;
    if (notches == 0) return std::nullopt;
    return Step(index, -notches);
}

std::optional<int> SelectorRules::Typed(wchar_t character, DWORD now) {
    if (character < L' ') return std::nullopt;
    if (now - lastTyped_ >= kTypingPause) typed_.clear();
    lastTyped_ = now;
    typed_ += character;
    for (int i = 0; i < Count(); ++i)
        if (BeginsWith(entries_[i], typed_)) return i;
    return std::nullopt;
}

}  // namespace browse
