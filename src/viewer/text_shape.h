#pragma once
// What a plain text will look like in the pane, found by one quick pass over its bytes: how many
// rows it makes and how wide its longest line is. The pane uses it to put its scroll bars in
// place before the text goes in: a bar that appears while the text streams in makes the control
// lay the whole text out again, and under Wine a vertical one makes the load quadratic.
#include "viewer/line_breaks.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace viewer {

struct TextShape {
    // Line breaks, a CR LF pair, a lone CR and a lone LF each counted once.
    std::uint64_t breaks = 0;
    // Bytes in the longest line, its break not counted.
    std::uint64_t longestLine = 0;
    // Only printable ASCII besides the breaks: every byte is one character of the same width in
    // a fixed-pitch font, so the longest line's width is known.
    bool evenWidth = true;
    // Begins with "{\rtf", as every rich text does. Wine's rich-edit 1.0 control takes any text
    // that begins with "{" for rich text and shows it mangled.
    bool richTextHeader = false;
};

// Builds a shape from a text that arrives in pieces; a CR that ends one piece and an LF that
// starts the next are one break.
class TextShapeScanner {
public:
    void Add(const char* bytes, size_t size) noexcept;
    const TextShape& Shape() const noexcept { return shape_; }

private:
    TextShape shape_;
    std::uint64_t bytes_ = 0;
    std::uint64_t headerBytes_ = 0;
    std::uint64_t line_ = 0;
    LineBreaks lineBreaks_;
};

// The size of one character cell of the pane's font; width 0 when its characters differ in width.
struct CellSize {
    int width = 0;
    int height = 0;
};

struct ScrollBars {
    bool vertical = false;
    bool horizontal = false;
};

// The bars that the pane may want for a text of `shape` in a text area of `area` (no bars
// shown), with bars `thickness` thick (cx the vertical bar's width, cy the horizontal bar's
// height). The vertical bar is predicted also where wrapping may add rows; the horizontal one
// only where the width is known and lines do not wrap.
ScrollBars PredictScrollBars(const TextShape& shape, CellSize cell, SIZE area, SIZE thickness, bool wordWrap) noexcept;

}  // namespace viewer
