#include "viewer/text_shape.h"

#include <algorithm>
#include <string_view>

namespace viewer {

namespace {
constexpr std::string_view kRichTextHeader = "{\\rtf";
}  // namespace

void TextShapeScanner::Add(const char* bytes, size_t size) noexcept {
    for (size_t i = 0; i < size; ++i, ++bytes_) {
        char c = bytes[i];
        // Every byte so far belongs to the header.
        if (headerBytes_ == bytes_ && bytes_ < kRichTextHeader.size() && c == kRichTextHeader[bytes_]) ++headerBytes_;
        const LineBreaks::Byte kind = lineBreaks_.Next(c);
        if (kind == LineBreaks::Byte::RestOfBreak) continue;
        if (kind == LineBreaks::Byte::Break) {
            ++shape_.breaks;
            line_ = 0;
            continue;
        }
        shape_.longestLine = std::max(shape_.longestLine, ++line_);
        if (c < 0x20 || c > 0x7E) shape_.evenWidth = false;
    }
    shape_.richTextHeader = headerBytes_ == kRichTextHeader.size();
}

ScrollBars PredictScrollBars(const TextShape& shape, CellSize cell, SIZE area, SIZE thickness, bool wordWrap) noexcept {
    ScrollBars bars;
    // Without a row height, the vertical bar is the safe guess.
    bars.vertical = true;
    if (cell.height <= 0) return bars;
    // Each break starts a row; wrapping may add more.
    const double tall = static_cast<double>(shape.breaks + 1) * cell.height;
    const bool knownWidth = shape.evenWidth && cell.width > 0;
    const double wide = static_cast<double>(shape.longestLine) * cell.width;
    bars.vertical = tall > area.cy || (wordWrap && (!knownWidth || wide > area.cx));
    bars.horizontal = !wordWrap && knownWidth && wide > area.cx - (bars.vertical ? thickness.cx : 0);
    // The horizontal bar takes height from the text area.
    if (bars.horizontal) bars.vertical = bars.vertical || tall > area.cy - thickness.cy;
    return bars;
}

}  // namespace viewer
