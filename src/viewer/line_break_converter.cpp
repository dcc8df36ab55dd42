#include "viewer/line_break_converter.h"

namespace viewer {

size_t LineBreakConverter::Convert(const char* in, size_t size, char* out) noexcept {
    char* next = out;
    for (size_t i = 0; i < size; ++i) {
        char c = in[i];
        bool wasAfterCr = afterCr_;
        afterCr_ = c == '\r';
        if (c == '\n' && wasAfterCr) continue;
        if (c == '\r' || c == '\n') {
            *next++ = '\r';
            *next++ = '\n';
        } else {
            *next++ = c;
        }
    }
    return static_cast<size_t>(next - out);
}

}  // namespace viewer
