#pragma once
// The main window: every control of the form, the event table, and the banner link. The
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

    // Makes the window visible for the first time; runs FormShow before it appears.
    void Show();

    // The controls, named as on the form.
    widgets::Picture& imgBan() { return *imgBan_; }
    widgets::Picture& imgWeb() { return *imgWeb_; }
    widgets::Panel& Panel1() { return *panel_; }
    HWND cbFileType() const noexcept { return cbFileType_->Handle(); }
    browse::FileTypeSelector& FileTypeSelector() { return *cbFileType_; }
    HWND cbWarn() const noexcept { return cbWarn_; }
    HWND cbSaveSearch() const noexcept { return cbSaveSearch_; }
    HWND cbWordWrap() const noexcept { return cbWordWrap_; }
    widgets::GraphicButton& btnReplace() { return btnReplace_; }
    widgets::GraphicButton& btnGlobReplace() { return btnGlobReplace_; }
    HWND edSearch() const noexcept { return edSearch_; }
    HWND edReplace() const noexcept { return edReplace_; }
    HWND edFolder() const noexcept { return edFolder_->Handle(); }
    HWND edFolderButton() const noexcept { return edFolder_->Button(); }
    browse::FileListBox& FileListBox() { return *fileList_; }
    const browse::FileListBox& FileListBox() const { return *fileList_; }
    widgets::Splitter& Splitter1() { return *splitter_; }
    viewer::RichViewer& memHTML() { return *memHTML_; }
    HWND StatBar() const noexcept { return statBar_; }
    // The progress window the replace commands show; start-up attaches it right after the form.
    ProgressWindow& frmSearchSplash();
    void SetProgressWindow(ProgressWindow& window) noexcept { progress_ = &window; }
    // The private-profile service the settings file is read and written through.
    void SetProfileStore(platform::ProfileStore& store) noexcept { profiles_ = &store; }
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

    // The event table's handlers.
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

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Shows the selected file in the viewer and its path in the status bar.
    void ShowSelectedFile();
    void CreateControls(platform::FolderBrowser& folderBrowser);
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
    LRESULT OnClose();
    LRESULT OnMeasureItem(MEASUREITEMSTRUCT& measure);
    LRESULT OnDrawItem(const DRAWITEMSTRUCT& item);

    platform::Shell& shell_;
    ProgressWindow* progress_ = nullptr;
    platform::ProfileStore* profiles_ = &platform::SystemProfileStore();
    int dpi_;
    int listWidth_;
    platform::UniqueHFont font_;
    std::unique_ptr<widgets::Picture> imgBan_, imgWeb_;
    std::unique_ptr<widgets::Panel> panel_;
    widgets::GraphicButton btnReplace_, btnGlobReplace_;
    std::unique_ptr<widgets::Splitter> splitter_;
    std::unique_ptr<viewer::RichViewer> memHTML_;
    std::unique_ptr<widgets::Hints> hints_;
    HWND labels_[4]{};
    std::unique_ptr<browse::FileTypeSelector> cbFileType_;
    HWND cbWarn_ = nullptr, cbSaveSearch_ = nullptr, cbWordWrap_ = nullptr;
    HWND edSearch_ = nullptr, edReplace_ = nullptr;
    std::unique_ptr<browse::FolderNameEdit> edFolder_;
    std::unique_ptr<browse::FileListBox> fileList_;
    HWND statBar_ = nullptr;
    HWND lastFocus_ = nullptr;
};

// The blue text the viewer greets the user with.
extern const char* const kWelcomeText;

}  // namespace app
