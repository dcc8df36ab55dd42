// The type-ahead prefix: characters typed close together build it, a pause of 500 ms starts it
// afresh, Backspace takes back one whole character.
#include "browse/type_ahead.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// U+1F600, which arrives as two UTF-16 units, one message each.
constexpr wchar_t kLeadHalf = 0xD83D, kTrailHalf = 0xDE00;

struct Key {
    wchar_t character;
    DWORD tick;
    const wchar_t* prefix;  // after this key
};

TEST(TypeAhead, EachKeyAtItsTickLeavesItsPrefix) {
    const struct {
        const char* name;
        std::vector<Key> keys;
    } cases[] = {
        {"less than 500 ms apart", {{L'a', 10000, L"a"}, {L'p', 10499, L"ap"}, {L'r', 10998, L"apr"}}},
        {"a pause of 500 ms", {{L'a', 10000, L"a"}, {L'p', 10100, L"ap"}, {L'c', 10600, L"c"}, {L'd', 20000, L"d"}}},
        {"the tick count wrapping around", {{L'a', 0xFFFFFF00u, L"a"}, {L'b', 0x10, L"ab"}, {L'c', 0x10 + 500, L"c"}}},
        {"beyond the basic plane",
         {{kLeadHalf, 10000, L"\xD83D"}, {kTrailHalf, 10000, L"\U0001F600"}, {L'x', 10100, L"\U0001F600x"}}},
        {"Backspace", {{L'a', 10000, L"a"}, {L'b', 10100, L"ab"}, {L'c', 10200, L"abc"}, {L'\b', 10300, L"ab"},
                       {L'd', 10400, L"abd"}}},
        {"Backspace after a character beyond the basic plane",
         {{L'a', 10000, L"a"}, {kLeadHalf, 10100, L"a\xD83D"}, {kTrailHalf, 10100, L"a\U0001F600"},
          {L'\b', 10200, L"a"}}},
        {"Backspace to nothing and beyond",
         {{L'a', 10000, L"a"}, {L'\b', 10100, L""}, {L'\b', 10200, L""}, {L'z', 10300, L"z"}}},
        {"Backspace after a pause", {{L'a', 10000, L"a"}, {L'b', 10100, L"ab"}, {L'\b', 10600, L""}}},
    };
    for (const auto& c : cases) {
        browse::TypeAhead typeAhead;
        for (size_t i = 0; i < c.keys.size(); ++i) {
            typeAhead.Type(c.keys[i].character, c.keys[i].tick);
            EXPECT_EQ(typeAhead.Prefix(), c.keys[i].prefix) << c.name << ", key " << i;
        }
    }
}

}  // namespace
