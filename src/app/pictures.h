#pragma once
// The program's own pictures at the size a dpi asks for: the drawing made for 100%, 150% or 200%
// (the first at or above the dpi's scale), stretched only for a dpi between those.
#include "platform/unique_handle.h"

namespace app {

// A bitmap resource whose size at 96 dpi is `design`.
platform::UniqueHBitmap LoadPicture(int id, SIZE design, int dpi);
// A 16 x 16 button picture whose magenta pixels are transparent, as an icon a button can show.
platform::UniqueHIcon LoadGlyph(int id, int dpi);
// An icon resource, `design` pixels square at 96 dpi.
platform::UniqueHIcon LoadIconAt(int id, int design, int dpi);

}  // namespace app
