#pragma once
// The main window's controls against the layout computed for the window's present client size,
// list width and dpi: what only the real windows add is that each one is where it was put.
#include "app/main_form.h"

namespace test_support {

// Labels are checked at their corner (their size is their text's), the file-type box without its
// height (the closed field's, which the control makes), the picture buttons by their places.
void ExpectPlacedAsComputed(app::TForm1& form);

}  // namespace test_support
