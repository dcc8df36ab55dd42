#include "app/main_form.h"
#include "platform/errors.h"

namespace app {

ProgressWindow& TForm1::frmSearchSplash() {
    if (!progress_) throw platform::EInvalidOperation("No progress window is attached to the main window");
    return *progress_;
}

// The Replace and Replace All commands arrive with the progress window.
void TForm1::btnReplaceClick() {}
void TForm1::btnGlobReplaceClick() {}

}  // namespace app
