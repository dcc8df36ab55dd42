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
    // The texts the checks pass are the texts used: a change made while a question is open
    // does not reach this command.
    const std::string search = SearchText(), replacement = ReplaceText();
    const std::wstring failed = replace::FailedInputCheck(replace::Scope::SelectedFile, FileListBox().Listing().Count(),
                                                         FilePath(), search, replacement);
    if (!failed.empty()) return Inform(failed);
    if (WarnTicked() && !ConfirmedWithOK(replace::kReplaceSelectedQuestion)) return;
    if (FilePath().empty()) return;

    ProgressShown progress(frmSearchSplash());
    PumpMessages();
    // A close the pumps handled has taken the list, the texts and the viewer with the window;
    // the user ended the program before the file was touched.
    if (FormAlive(*this)) replace::ReplaceInFile(FilePath(), search, replacement, PumpMessages);
    if (FormAlive(*this)) {
        ShowSelectedFile();
        viewer::HighlightText(memHTML(), replacement);
    }
}

}  // namespace app
