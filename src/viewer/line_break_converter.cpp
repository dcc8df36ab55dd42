#include "viewer/line_break_converter.h"

namespace viewer {

size_t LineBreakConverter::Convert(const char* in, size_t size, char* out) noexcept {
    char* next = out;
    for (size_t i = 0; i < size; ++i) {
        const char c = in[i];
        switch (breaks_.Next(c)) {
        case LineBreaks::Byte::Text: *next++ = c; break;
        case LineBreaks::Byte::Break:
            *next++ = '\r';
            *next++ = '\n';
            break;
        case LineBreaks::Byte::RestOfBreak: break;
        }
    }
    return static_cast<size_t>(next - out);
}

}  // namespace viewer
