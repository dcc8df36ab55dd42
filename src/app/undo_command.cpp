// The undo of the last Replace or Replace All, from the system menu or Ctrl+Z.
#include "app/main_form.h"
#include "app/private_state.h"
#include "app/progress_window.h"
#include "app/replace_steps.h"
#include "app/work_aside.h"
#include "replace/undo_store.h"
#include "replace/undo_texts.h"

#include <windowsx.h>

#include <utility>

namespace app {

platform::Path TForm1::JournalFolder() const { return JournalFolderIn(stateFolder_); }
platform::Path TForm1::UndoFolder() const { return UndoFolderIn(stateFolder_); }

void TForm1::AddUndoMenuItem() {
    HMENU menu = ::GetSystemMenu(Handle(), FALSE);
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING | MF_GRAYED, kUndoCommand, replace::UndoMenuText(std::nullopt).c_str());
}

namespace {

// The item's text and state, from what was kept: read each time, as another copy of the program
// may have changed files since.
std::pair<std::wstring, UINT> UndoItem(const TForm1& form) {
    const std::optional<replace::UndoManifest> kept = replace::ReadUndo(platform::SystemFileSystem(), form.UndoFolder());
    return {replace::UndoMenuText(kept), replace::CanUndo(kept) && !form.CommandRunning() ? MF_ENABLED : MF_GRAYED};
}

}  // namespace

void TForm1::UpdateUndoMenuItem() {
    const auto [text, state] = UndoItem(*this);
    ::ModifyMenuW(::GetSystemMenu(Handle(), FALSE), kUndoCommand, MF_BYCOMMAND | MF_STRING | state, kUndoCommand,
                  text.c_str());
}

LRESULT TForm1::OnContextMenu(HWND from, LPARAM where) {
    if (from != FileListBox().Handle() && from != memHTML().Handle())
        return Default(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(from), where);
    POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    // From the keyboard (Shift+F10, the menu key): at the control's top left corner.
    if (where == -1) {
        at = POINT{0, 0};
        ::ClientToScreen(from, &at);
    }
    const auto [text, state] = UndoItem(*this);
    const platform::UniqueHMenu menu{::CreatePopupMenu()};
    ::AppendMenuW(menu.get(), MF_STRING | state, kUndoCommand, text.c_str());
    if (::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr) == kUndoCommand)
        mnuUndoClick();
    return 0;
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
        WorkAside([&] { report = replace::PutBack(platform::SystemFileSystem(), UndoFolder(), JournalFolder()); });
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
