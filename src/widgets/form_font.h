#pragma once
// The font the program's forms are drawn in: Tahoma, 11 pixels high at 96 dpi (8 points).
#include "platform/unique_handle.h"

namespace widgets {

platform::UniqueHFont CreateFormFont(int dpi);

}  // namespace widgets
