#include "viewer/text_shape.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

using viewer::CellSize;
using viewer::PredictScrollBars;
using viewer::ScrollBars;
using viewer::TextShape;
using viewer::TextShapeScanner;

TextShape ShapeOf(const std::string& text, size_t piece = 1 << 16) {
    TextShapeScanner scanner;
    for (size_t at = 0; at < text.size(); at += piece) scanner.Add(text.data() + at, std::min(piece, text.size() - at));
    return scanner.Shape();
}

TEST(TextShape, EachKindOfBreakCountsOnceWhereverThePiecesEnd) {
    const std::string text = "ab\r\ncde\rf\n\n\r\r\nlongest line\r";
    for (size_t piece : {1u, 2u, 3u, 4u, 100u}) {
        TextShape shape = ShapeOf(text, piece);
        EXPECT_EQ(shape.breaks, 7u) << piece;
        EXPECT_EQ(shape.longestLine, 12u) << piece;
        EXPECT_TRUE(shape.evenWidth) << piece;
    }
    EXPECT_EQ(ShapeOf("").breaks, 0u);
    EXPECT_EQ(ShapeOf("no break").longestLine, 8u);
}

TEST(TextShape, TabsControlAndHighBytesMakeTheWidthUnknown) {
    EXPECT_FALSE(ShapeOf("a\tb").evenWidth);
    EXPECT_FALSE(ShapeOf("caf\xE9").evenWidth);
    EXPECT_FALSE(ShapeOf(std::string("a\0b", 3)).evenWidth);
    EXPECT_FALSE(ShapeOf("a\x7F").evenWidth);
    EXPECT_TRUE(ShapeOf(" ~\r\n").evenWidth);
}

TEST(TextShape, OnlyTheRichTextHeaderMarksRichText) {
    EXPECT_TRUE(ShapeOf("{\\rtf1 x}").richTextHeader);
    EXPECT_TRUE(ShapeOf("{\\rtf1 x}", 1).richTextHeader);
    EXPECT_FALSE(ShapeOf("{\\rt", 1).richTextHeader);
    EXPECT_FALSE(ShapeOf("{\"json\": 1}").richTextHeader);
    EXPECT_FALSE(ShapeOf(" {\\rtf1 x}").richTextHeader);
    EXPECT_FALSE(ShapeOf("{\\RTF1 x}").richTextHeader);
}

// A text area of 10 x 10 cells of 6 x 11 pixels; bars 2 cells thick, so that one bar can tip the
// other.
constexpr CellSize kCell{6, 11};
constexpr SIZE kArea{60, 110};
constexpr SIZE kBars{12, 22};

ScrollBars Predict(std::uint64_t breaks, std::uint64_t longest, bool wrap = false, bool even = true) {
    return PredictScrollBars(TextShape{breaks, longest, even}, kCell, kArea, kBars, wrap);
}

TEST(TextShape, BarsArePredictedWhenTheTextOutgrowsTheArea) {
    EXPECT_FALSE(Predict(9, 10).vertical);  // ten rows fill the area exactly
    EXPECT_FALSE(Predict(9, 10).horizontal);
    EXPECT_TRUE(Predict(10, 10).vertical);
    EXPECT_TRUE(Predict(0, 11).horizontal);
    EXPECT_FALSE(Predict(0, 11).vertical);
    // One bar narrows the area enough to need the other.
    EXPECT_TRUE(Predict(10, 9).horizontal);
    EXPECT_FALSE(Predict(10, 8).horizontal);
    EXPECT_TRUE(Predict(8, 11).vertical);
    EXPECT_FALSE(Predict(7, 11).vertical);
}

TEST(TextShape, WrappingNeverPredictsTheHorizontalBarAndDoubtsTheVertical) {
    EXPECT_FALSE(Predict(0, 1000, true).horizontal);
    // Long lines may wrap into more rows than the area holds; short ones cannot.
    EXPECT_TRUE(Predict(0, 11, true).vertical);
    EXPECT_FALSE(Predict(0, 10, true).vertical);
    EXPECT_TRUE(Predict(0, 5, true, false).vertical);
    // Without a known width no horizontal bar is predicted.
    EXPECT_FALSE(Predict(0, 1000, false, false).horizontal);
    // Without a row height, the vertical bar is assumed.
    EXPECT_TRUE(PredictScrollBars(TextShape{}, CellSize{}, kArea, kBars, false).vertical);
}

}  // namespace
