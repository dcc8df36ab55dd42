#include "app/main_form.h"

namespace app {

// The Replace and Replace All commands arrive with the progress window.
void TForm1::btnReplaceClick() {}
void TForm1::btnGlobReplaceClick() {}

}  // namespace app
