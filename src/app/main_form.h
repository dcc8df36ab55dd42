#pragma once
// The main window: every control of the form, its event handlers, and the banner link. The
// handlers' bodies are split by area into the other files of this folder (replace_commands,
// replace_all_command, file_list_events, file_type_events, folder_events, viewer_events,
// settings_events); the subsystems they call never see the form.
#include "app/main_form_layout.h"
#include "app/progress_window.h"
#include "browse/file_list_box.h"
#include "browse/file_type_selector.h"
#include "browse/folder_name_edit.h"
#include "platform/profile_store.h"
#include "platform/unique_handle.h"
#include "viewer/rich_viewer.h"
#include "widgets/graphic_button.h"
#include "widgets/hints.h"
#include "widgets/panel.h"
#include "widgets/picture.h"
#include "widgets/splitter.h"
#include "widgets/window.h"

#include <functional>
#include <memory>
#include <string>

namespace platform {
class Shell;
}

namespace app {

class TForm1 : public widgets::Window {
public:
    explicit TForm1(platform::Shell& shell,
                    platform::FolderBrowser& folderBrowser = platform::SystemFolderBrowser());
    ~TForm1() override;

    // Makes the window visible for the first time; runs FormShow before it appears, then opens
    // `startPath` (a folder or a file; none when empty) as a browse would.
    void Show(const platform::Path& startPath = {});

    // A control's window by its place in the layout; null for the picture buttons, which the
    // panel draws. The viewer's is asked of it each time: it makes a fresh pane for a file.
    HWND Control(Ctl control) const noexcept {
        return control == Ctl::memHTML ? memHTML_->Handle() : controls_[static_cast<int>(control)];
    }
    // The controls, named as on the form.
    widgets::Picture& imgBan() { return *imgBan_; }
    widgets::Picture& imgWeb() { return *imgWeb_; }
    widgets::Panel& Panel1() { return *panel_; }
    HWND cbFileType() const noexcept { return cbFileType_->Handle(); }
    browse::FileTypeSelector& FileTypeSelector() { return *cbFileType_; }
    HWND cbWarn() const noexcept { return Control(Ctl::cbWarn); }
    HWND cbSaveSearch() const noexcept { return Control(Ctl::cbSaveSearch); }
    HWND cbWordWrap() const noexcept { return Control(Ctl::cbWordWrap); }
    widgets::GraphicButton& btnReplace() { return btnReplace_; }
    widgets::GraphicButton& btnGlobReplace() { return btnGlobReplace_; }
    HWND edSearch() const noexcept { return Control(Ctl::edSearch); }
    HWND edReplace() const noexcept { return Control(Ctl::edReplace); }
    HWND edFolder() const noexcept { return edFolder_->Handle(); }
    HWND edFolderButton() const noexcept { return edFolder_->Button(); }
    browse::FileListBox& FileListBox() { return *fileList_; }
    const browse::FileListBox& FileListBox() const { return *fileList_; }
    widgets::Splitter& Splitter1() { return *splitter_; }
    viewer::RichViewer& memHTML() { return *memHTML_; }
    HWND StatBar() const noexcept { return Control(Ctl::StatBar); }
    // The progress window the replace commands show; start-up attaches it right after the form.
    ProgressWindow& frmSearchSplash();
    void SetProgressWindow(ProgressWindow& window) noexcept { progress_ = &window; }
    // The private-profile service the settings file is read and written through.
    void SetProfileStore(platform::ProfileStore& store) noexcept { profiles_ = &store; }
    // Where the replace commands keep their journals and the last one's undo: the user's own
    // folder, never a listed one.
    platform::Path JournalFolder() const;
    platform::Path UndoFolder() const;
    void SetStateFolder(platform::Path folder) { stateFolder_ = std::move(folder); }
    // While a replace command or an undo runs, and its pumps let other handlers run, no undo starts.
    bool CommandRunning() const noexcept { return runningCommands_ > 0; }
    class RunningCommand {
    public:
        explicit RunningCommand(TForm1& form) : form_(form) { ++form_.runningCommands_; }
        ~RunningCommand() { --form_.runningCommands_; }
        RunningCommand(const RunningCommand&) = delete;
        RunningCommand& operator=(const RunningCommand&) = delete;

    private:
        TForm1& form_;
    };
    widgets::Hints& Hints() { return *hints_; }
    // The clock Replace All paces the viewer by; tests may replace it.
    std::function<DWORD()> TickCount = [] { return ::GetTickCount(); };

    int Dpi() const noexcept { return dpi_; }
    int ListWidth() const noexcept { return listWidth_; }
    void SetListWidth(int width);
    // Places every control for the current client size.
    void ApplyLayout();

    // The file list's FilePath: the listed folder joined with the selected entry, empty when none.
    platform::Path FilePath() const;

    // The file-type selector's index: -1 for no entry, else the entry's place in the list.
    int FileTypeIndex() const;
    // Sets the index without raising the change event.
    void SetFileTypeIndex(int index);
    // The folder edit's text; setting it raises no change event.
    std::wstring FolderText() const;
    void SetFolderText(const std::wstring& text);
    // The search and replacement texts exactly as typed, in the ANSI code page, and "Confirm".
    std::string SearchText() const;
    std::string ReplaceText() const;
    bool WarnTicked() const;

    void SetStatusText(const std::wstring& text);
    std::wstring StatusText() const;

    // The event handlers, named after their control and event.
    void FormShow();
    void FormClose();
    void FileListBoxChange();
    void FileListBoxDblClick();
    void cbFileTypeChange();
    void edFolderChange();
    void cbWordWrapClick();
    void btnReplaceClick();
    void btnGlobReplaceClick();
    void imgBanClick();
    // The system menu's "Undo Replace All" (or "Undo Replace"), the same on the context menu of the
    // list and the viewer, and Ctrl+Z in them.
    void mnuUndoClick();

    // Lists the folder `path` names, or the folder of the file it names with the file selected and
    // shown, as if chosen with the folder button; the folder edit shows the folder. A name that
    // cannot be listed raises the folder row's error and leaves everything as it was.
    void OpenStartPath(const platform::Path& path);

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Shows the selected file in the viewer and its path in the status bar.
    void ShowSelectedFile();
    // The controls, made in tab order: the banner, the panel, the list with the viewer and the
    // status bar, and the hints over them.
    void CreateBanner();
    void CreatePanel(platform::FolderBrowser& folderBrowser);
    void CreateListAndViewer();
    void CreateHints();
    // Notes `window` as `control`'s in the table of controls.
    HWND Keep(Ctl control, HWND window) noexcept;
    // The two buttons the panel draws itself, which have no window; null for every other control.
    widgets::GraphicButton* PictureButton(Ctl control) noexcept;
    // The form's font to every control that shows its text in it.
    void ApplyFont();
    // The pictures drawn for the current dpi.
    void LoadPictures();
    // Scales everything to `dpi` (fonts, pictures, the layout) and puts the window at `place`.
    void ApplyDpi(int dpi, const RECT& place);
    LRESULT OnDpiChanged(WPARAM dpi, const RECT& suggested);
    HWND CreateChild(HWND parent, const char* className, const char* text, DWORD style, Ctl control,
                     DWORD exStyle = 0);
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetMinMaxInfo(MINMAXINFO& info);
    LRESULT OnActivate(WPARAM state, LPARAM other);
    LRESULT OnSysCommand(WPARAM command, LPARAM where);
    // The undo's item in the system menu: made once, brought up to date each time the menu opens.
    // Under Wine a window manager shows its own menu for the window instead, so the file list and
    // the viewer offer the same item on their context menu.
    void AddUndoMenuItem();
    void UpdateUndoMenuItem();
    LRESULT OnContextMenu(HWND from, LPARAM where);
    // Ctrl+Z typed into the file list or the viewer; the edits keep it for their own undo.
    bool TakeShortcut(const MSG& message);
    // The list read again and the viewer showing the selected file as it now is.
    void ShowFolderAsItIs();
    LRESULT OnClose();
    LRESULT OnMeasureItem(MEASUREITEMSTRUCT& measure);
    LRESULT OnDrawItem(const DRAWITEMSTRUCT& item);

    platform::Shell& shell_;
    ProgressWindow* progress_ = nullptr;
    platform::ProfileStore* profiles_ = &platform::SystemProfileStore();
    int dpi_;
    int listWidth_;
    platform::Path stateFolder_;
    int runningCommands_ = 0;
    bool takesShortcuts_ = false;
    platform::UniqueHFont font_;
    std::unique_ptr<widgets::Picture> imgBan_, imgWeb_;
    std::unique_ptr<widgets::Panel> panel_;
    widgets::GraphicButton btnReplace_, btnGlobReplace_;
    std::unique_ptr<widgets::Splitter> splitter_;
    std::unique_ptr<viewer::RichViewer> memHTML_;
    std::unique_ptr<widgets::Hints> hints_;
    std::unique_ptr<browse::FileTypeSelector> cbFileType_;
    std::unique_ptr<browse::FolderNameEdit> edFolder_;
    std::unique_ptr<browse::FileListBox> fileList_;
    // Every control's window, by its place in Ctl, for the loops over all of them: the layout,
    // the font. The plain ones (labels, check boxes, edits, status bar) go with the form's window.
    HWND controls_[static_cast<int>(Ctl::Count)]{};
    HWND lastFocus_ = nullptr;
};

// The system menu's undo item; a command of the program's own has its low four bits clear and
// lies below the system's.
constexpr UINT kUndoCommand = 0x0100;

// The text the viewer greets the user with, in the program's blue.
extern const char* const kWelcomeText;
constexpr COLORREF kWelcomeColour = RGB(0, 0, 255);

}  // namespace app
