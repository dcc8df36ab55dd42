#include "viewer/line_break_converter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// Feeds `input` to one converter in pieces of `size` bytes.
std::string ConvertInPieces(const std::string& input, size_t size) {
    viewer::LineBreakConverter converter;
    std::string output;
    for (size_t at = 0; at < input.size(); at += size) {
        size_t n = std::min(size, input.size() - at);
        std::string out(2 * n, '\0');
        out.resize(converter.Convert(input.data() + at, n, out.data()));
        output += out;
    }
    return output;
}

TEST(LineBreakConverter, EveryKindOfBreakBecomesOneCrLfWhereverThePiecesEnd) {
    // CR LF, lone CR, lone LF; LF CR is two breaks; other bytes pass unchanged.
    const std::string input = "a\r\nb\rc\nd\n\re\r\r\n\n\x01\xff\r";
    const std::string expected = "a\r\nb\r\nc\r\nd\r\n\r\ne\r\n\r\n\r\n\x01\xff\r\n";
    for (size_t size = 1; size <= input.size(); ++size) EXPECT_EQ(ConvertInPieces(input, size), expected) << size;
}

TEST(LineBreakConverter, LfThatStartsAPieceAfterACrEndingTheLastOneGivesNothing) {
    viewer::LineBreakConverter converter;
    char out[4];
    EXPECT_EQ(converter.Convert("x\r", 2, out), 3u);
    EXPECT_EQ(std::string(out, 3), "x\r\n");
    EXPECT_EQ(converter.Convert("\n", 1, out), 0u);
    EXPECT_EQ(converter.Convert("\n", 1, out), 2u);
}

}  // namespace
