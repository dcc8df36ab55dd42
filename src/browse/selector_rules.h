#pragma once
// What the keyboard, the wheel and typing pick in a read-only drop-down list of fixed entries.
// No window here: the selector asks and does what the answer says.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace browse {

// What a key going down on the selector asks for.
struct KeyAction {
    enum Kind {
        PassOn,   // the control's own handling
        Swallow,  // nothing at all
        Pick,     // the entry `pick` is chosen
        Toggle,   // the list opens, or closes without a pick
    };
    Kind kind;
    int pick = -1;
    friend bool operator==(const KeyAction&, const KeyAction&) = default;
};

class SelectorRules {
public:
    explicit SelectorRules(std::vector<std::string> entries);

    // A key going down with Alt held or not, the list open or closed, `index` chosen (any value
    // that names no entry counts as none).
    KeyAction Key(UINT virtualKey, bool alt, bool dropped, int index) const;
    // A turn of the wheel on the closed list by `delta` (WHEEL_DELTA a notch, positive away from
    // the user, which goes up the list). Parts of a notch add up until they make one.
    std::optional<int> Wheel(int delta, int index);
    // A character typed at tick `now`: the first entry from the top that begins with the
    // characters typed so far, letter case ignored. They are forgotten 500 ms after the last one.
    std::optional<int> Typed(wchar_t character, DWORD now);

private:
    // The entry `steps` away from `index`, if it stays within the entries.
    std::optional<int> Step(int index, int steps) const;
    int Count() const noexcept { return static_cast<int>(entries_.size()); }

    std::vector<std::string> entries_;
    std::wstring typed_;
    DWORD lastTyped_ = 0;
    int wheel_ = 0;
};

}  // namespace browse
