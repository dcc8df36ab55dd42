// What each key, wheel turn and typed character picks in the file-type list, as one run of inputs
// (typed letters and parts of a wheel notch carry over from row to row).
#include "app/file_type_masks.h"
#include "browse/selector_rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using browse::KeyAction;

enum class In { Key, AltKey, Wheel, Char };
constexpr int kNone = -1;

struct Row {
    In input;
    int value;      // virtual key, wheel delta or character
    bool dropped;   // keys only
    int index;      // the index chosen before the input
    DWORD at;       // characters only: the tick they are typed at
    KeyAction::Kind kind;  // keys only: what the key asks for
    int pick;       // the entry picked, or kNone
};

constexpr KeyAction::Kind kPass = KeyAction::PassOn, kSwallow = KeyAction::Swallow, kPick = KeyAction::Pick,
                          kToggle = KeyAction::Toggle;

// Entries, top to bottom: ASCII Text, Web, PHP Code, INI Files, CFG Files.
const Row kRows[] = {
    // Up and Down on the closed list step without wrapping; nothing at either end.
    {In::Key, VK_DOWN, false, 0, 0, kPick, 1},
    {In::Key, VK_DOWN, false, 3, 0, kPick, 4},
    {In::Key, VK_DOWN, false, 4, 0, kSwallow, kNone},
    {In::Key, VK_UP, false, 4, 0, kPick, 3},
    {In::Key, VK_UP, false, 1, 0, kPick, 0},
    {In::Key, VK_UP, false, 0, 0, kSwallow, kNone},
    // With no entry chosen, Down takes the first and Up has nowhere to go; so with a kept
    // out-of-range index.
    {In::Key, VK_DOWN, false, -1, 0, kPick, 0},
    {In::Key, VK_UP, false, -1, 0, kSwallow, kNone},
    {In::Key, VK_DOWN, false, 7, 0, kPick, 0},
    {In::Key, VK_UP, false, -2, 0, kSwallow, kNone},
    // The other moving keys pick nothing on the closed list.
    {In::Key, VK_HOME, false, 2, 0, kSwallow, kNone},
    {In::Key, VK_END, false, 2, 0, kSwallow, kNone},
    {In::Key, VK_PRIOR, false, 2, 0, kSwallow, kNone},
    {In::Key, VK_NEXT, false, 2, 0, kSwallow, kNone},
    {In::Key, VK_LEFT, false, 2, 0, kSwallow, kNone},
    {In::Key, VK_RIGHT, false, 2, 0, kSwallow, kNone},
    // F4 and Alt with Up or Down open and close; Alt+F4 is the window's, not the list's.
    {In::Key, VK_F4, false, 2, 0, kToggle, kNone},
    {In::Key, VK_F4, true, 2, 0, kToggle, kNone},
    {In::AltKey, VK_DOWN, false, 2, 0, kToggle, kNone},
    {In::AltKey, VK_UP, true, 2, 0, kToggle, kNone},
    {In::AltKey, VK_F4, false, 2, 0, kPass, kNone},
    // The open list moves its highlight and takes Enter and Esc itself.
    {In::Key, VK_DOWN, true, 2, 0, kPass, kNone},
    {In::Key, VK_RETURN, true, 2, 0, kPass, kNone},
    {In::Key, VK_ESCAPE, true, 2, 0, kPass, kNone},
    {In::Key, VK_TAB, false, 2, 0, kPass, kNone},
    // The wheel: a notch away from the user goes up, towards the user down, as long as the
    // result stays within the entries.
    {In::Wheel, -WHEEL_DELTA, false, 0, 0, kPick, 1},
    {In::Wheel, WHEEL_DELTA, false, 1, 0, kPick, 0},
    {In::Wheel, WHEEL_DELTA, false, 0, 0, kPick, kNone},
    {In::Wheel, -2 * WHEEL_DELTA, false, 1, 0, kPick, 3},
    {In::Wheel, -2 * WHEEL_DELTA, false, 3, 0, kPick, kNone},
    {In::Wheel, -WHEEL_DELTA, false, 4, 0, kPick, kNone},
    {In::Wheel, -WHEEL_DELTA, false, -1, 0, kPick, 0},
    // Parts of a notch add up.
    {In::Wheel, -WHEEL_DELTA / 2, false, 2, 0, kPick, kNone},
    {In::Wheel, -WHEEL_DELTA / 2, false, 2, 0, kPick, 3},
    // Typing: the first entry from the top that begins with the letters, case ignored.
    {In::Char, 'w', false, 0, 1000, kPick, 1},
    {In::Char, 'c', false, 1, 2000, kPick, 4},
    {In::Char, 'F', false, 4, 2100, kPick, 4},
    {In::Char, 'g', false, 4, 2200, kPick, 4},
    {In::Char, ' ', false, 4, 2300, kPick, 4},
    // A pause of 500 ms forgets the letters; 499 does not.
    {In::Char, 'I', false, 4, 3000, kPick, 3},
    {In::Char, 'n', false, 3, 3499, kPick, 3},
    {In::Char, 'p', false, 3, 3998, kPick, kNone},
    {In::Char, 'p', false, 3, 4498, kPick, 2},
    {In::Char, 'h', false, 2, 4600, kPick, 2},
    {In::Char, 'x', false, 2, 4700, kPick, kNone},
    // A key that matched nothing still counts as the last key.
    {In::Char, 'a', false, 2, 5100, kPick, kNone},
    {In::Char, 'a', false, 2, 5700, kPick, 0},
    {In::Char, 's', false, 0, 5800, kPick, 0},
    {In::Char, 'c', false, 0, 5900, kPick, 0},
    // Control characters are not letters: they neither pick nor count.
    {In::Char, '\b', false, 0, 6000, kPick, kNone},
    {In::Char, 'i', false, 0, 6050, kPick, 0},
    // Beyond ASCII no entry begins with it.
    {In::Char, 0x00C4, false, 0, 9000, kPick, kNone},
};

TEST(SelectorRules, EachKeyWheelTurnAndTypedCharacterPicksAsTheTableSays) {
    browse::SelectorRules rules(app::FileTypeTexts());
    int line = 0;
    for (const Row& row : kRows) {
        ++line;
        SCOPED_TRACE(testing::Message() << "row " << line);
        switch (row.input) {
        case In::Key:
        case In::AltKey: {
            const KeyAction expected = row.kind == kPick ? KeyAction{kPick, row.pick} : KeyAction{row.kind};
            EXPECT_EQ(rules.Key(static_cast<UINT>(row.value), row.input == In::AltKey, row.dropped, row.index),
                      expected);
            break;
        }
        case In::Wheel: EXPECT_EQ(rules.Wheel(row.value, row.index).value_or(kNone), row.pick); break;
        case In::Char:
            EXPECT_EQ(rules.Typed(static_cast<wchar_t>(row.value), row.at).value_or(kNone), row.pick);
            break;
        }
    }
}

}  // namespace
