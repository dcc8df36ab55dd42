#include "app/main_form.h"
#include "app/replace_steps.h"
#include "app/work_aside.h"
#include "platform/errors.h"
#include "replace/replace_checks.h"
#include "replace/replace_in_file.h"
#include "replace/undo_store.h"
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

    // The file is read again after the pump; once a close in the pump took the list with the
    // window, the command goes on to its end with the file it was started for.
    RunningCommand running(*this);
    platform::Path path = FilePath();
    // The file is about to change: the rest of its old text is not worth putting in meanwhile.
    memHTML().StopLoading();
    ProgressShown progress(frmSearchSplash());
    PumpMessages();
    if (FormAlive(*this)) path = FilePath();
    replace::UndoKeeper undo(platform::SystemFileSystem(), UndoFolder(), replace::UndoKind::Replace, path.Folder());
    WorkAside([&] { replace::ReplaceInFile(path, search, replacement, JournalFolder(), &undo); });
    PumpMessages();
    if (FormAlive(*this)) {
        ShowSelectedFile();
        viewer::HighlightText(memHTML(), replacement);
    }
}

}  // namespace app
