#include "viewer/shown_part.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

TEST(ShownPart, WhereTheShownPartAndEachPieceEnd) {
    struct Case {
        std::string start;
        std::uint64_t fileSize;
        size_t shownCost, longestLine, shown;
    };
    const Case cases[] = {
        {"ab\ncd\n", 6, 6, 10, 6},         // the whole file
        {"ab\ncd", 5, 5, 10, 5},           // the whole file, no break at its end
        {"ab\ncd", 9, 5, 10, 3},           // cut for its size: after the last whole line
        {"ab\r\ncd", 9, 6, 10, 4},         // ... with its CR LF
        {"abcdef", 9, 6, 10, 6},           // no break read: as far as read
        {"ab\ncdefg\nh", 10, 10, 4, 7},    // a line outgrows the longest line: cut within it
        {"abcd\nefgh", 9, 9, 4, 9},        // lines exactly as long as the longest
        {"a\tb\ncd\n", 9, 10, 10, 4},      // a tab counts as six bytes
        {"\x01\xE9\n", 3, 12, 10, 2},      // so do control and high bytes
        {"", 0, 0, 4, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(viewer::ShownLength(c.start, c.fileSize, {c.shownCost, c.longestLine, 1}), c.shown) << c.start;

    // Each piece ends at the first break at or past its size, a CR LF kept whole.
    const std::string text = "aaaa\r\nbb\ncc\r";
    EXPECT_EQ(viewer::PieceEnd(text, 0, 2), 6u);
    EXPECT_EQ(viewer::PieceEnd(text, 6, 2), 9u);
    EXPECT_EQ(viewer::PieceEnd(text, 9, 2), 12u);
    EXPECT_EQ(viewer::PieceEnd(text, 0, 100), 12u);
}

}  // namespace
