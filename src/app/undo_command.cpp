// The undo of the last Replace or Replace All, from the system menu or Ctrl+Z.
#include "app/main_form.h"
#include "app/private_state.h"
#include "app/progress_window.h"
#include "app/replace_steps.h"
#include "replace/undo_store.h"
#include "replace/undo_texts.h"

namespace app {

platform::Path TForm1::JournalFolder() const { return JournalFolderIn(stateFolder_); }
platform::Path TForm1::UndoFolder() const { return UndoFolderIn(stateFolder_); }

void TForm1::AddUndoMenuItem() {
    HMENU menu = ::GetSystemMenu(Handle(), FALSE);
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING | MF_GRAYED, kUndoCommand, replace::UndoMenuText(std::nullopt).c_str());
}

// What was kept is read each time: another copy of the program may have changed files since.
void TForm1::UpdateUndoMenuItem() {
    const std::optional<replace::UndoManifest> kept = replace::ReadUndo(platform::SystemFileSystem(), UndoFolder());
    const UINT state = replace::CanUndo(kept) && !CommandRunning() ? MF_ENABLED : MF_GRAYED;
    ::ModifyMenuW(::GetSystemMenu(Handle(), FALSE), kUndoCommand, MF_BYCOMMAND | MF_STRING | state, kUndoCommand,
                  replace::UndoMenuText(kept).c_str());
}

bool TForm1::TakeShortcut(const MSG& message) {
    const bool ctrlZ = message.wParam == 'Z' && (::GetKeyState(VK_CONTROL) & 0x8000) && !(::GetKeyState(VK_MENU) & 0x8000);
    if (!ctrlZ || (message.hwnd != FileListBox().Handle() && message.hwnd != memHTML().Handle())) return false;
    mnuUndoClick();
    return true;
}

void TForm1::mnuUndoClick() {
    const std::optional<replace::UndoManifest> kept = replace::ReadUndo(platform::SystemFileSystem(), UndoFolder());
    if (CommandRunning() || !replace::CanUndo(kept) || !ConfirmedWithOK(replace::UndoQuestion(*kept))) return;
    RunningCommand running(*this);
    // The files are about to change: the rest of the shown one's old text is not worth putting in.
    memHTML().StopLoading();
    replace::PutBackReport report;
    {
        ProgressShown progress(frmSearchSplash());
        PacedPump pump;
        report = replace::PutBack(platform::SystemFileSystem(), UndoFolder(), JournalFolder(), [&] { pump.Now(); });
    }
    Inform(replace::UndoReport(*kept, report));
    if (FormAlive(*this)) ShowFolderAsItIs();
}

void TForm1::ShowFolderAsItIs() {
    browse::FileListing& listing = FileListBox().Listing();
    const std::wstring selected = listing.FileName();
    listing.RefreshEntries();
    if (!selected.empty()) listing.SelectByName(selected);
    if (!FilePath().empty()) ShowSelectedFile();
}

}  // namespace app
