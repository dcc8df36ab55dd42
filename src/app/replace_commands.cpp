#include "app/main_form.h"
#include "app/replace_steps.h"
#include "platform/errors.h"
#include "replace/replace_checks.h"
#include "replace/replace_in_file.h"
#include "viewer/highlight_text.h"

namespace app {

ProgressWindow& TForm1::frmSearchSplash() {
    if (!progress_) throw platform::EInvalidOperation("No progress window is attached to the main window");
    return *progress_;
}

void TForm1::btnReplaceClick() {
    const std::string failed = replace::FailedInputCheck(replace::Scope::SelectedFile, FileListBox().Listing().Count(),
                                                         FilePath(), SearchText(), ReplaceText());
    if (!failed.empty()) return Inform(failed);
    if (WarnTicked() && !ConfirmedWithOK(replace::kReplaceSelectedQuestion)) return;
    if (FilePath().empty()) return;

    // Read again after the pump; a close the pump handled takes the controls with the window, and
    // the command then goes on with what it read before.
    std::string path, search, replacement;
    auto read = [&] {
        path = FilePath();
        search = SearchText();
        replacement = ReplaceText();
    };
    read();
    frmSearchSplash().Show();
    PumpMessages();
    if (FormAlive(*this)) read();
    replace::ReplaceInFile(path, search, replacement, PumpMessages);
    if (FormAlive(*this)) {
        ShowSelectedFile();
        viewer::HighlightText(memHTML(), ReplaceText());
    }
    frmSearchSplash().Hide();
}

}  // namespace app
