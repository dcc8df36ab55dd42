#pragma once
// Turns every line break of a byte stream into CR LF: a CR LF pair, a lone CR and a lone LF each
// become one CR LF. The stream arrives in pieces; a CR that ends one piece and an LF that starts
// the next are still one break.
#include "viewer/line_breaks.h"

#include <cstddef>

namespace viewer {

class LineBreakConverter {
public:
    // Converts the next `size` bytes of the stream into `out`, which has room for 2 * size bytes;
    // returns the number written.
    size_t Convert(const char* in, size_t size, char* out) noexcept;

private:
    // A CR is written as CR LF at once; the LF that may follow it belongs to it.
    LineBreaks breaks_;
};

}  // namespace viewer
