#include "app/main_form.h"

#include "app/file_type_masks.h"
#include "app/pictures.h"
#include "platform/errors.h"
#include "platform/module_path.h"
#include "platform/shell.h"
#include "app/private_state.h"
#include "resource_ids.h"
#include "widgets/application.h"
#include "widgets/display.h"
#include "widgets/dpi.h"
#include "widgets/form_font.h"
#include "widgets/gdi.h"
#include "widgets/window_text.h"

#include <commctrl.h>

#include <utility>

namespace app {

namespace {

constexpr const char* kCaption = "Zavotek - String Search & Replace Utility";
constexpr const wchar_t* kWebAddress = L"https://zavotek.example/";
constexpr const wchar_t* kStatusNotice = L" Copyright (c) 2005 Zavotek - https://zavotek.example/";
constexpr int kFileListItemHeight = 18, kFileTypeItemHeight = 13, kBrowseButtonWidth = 20;
constexpr SIZE kBannerPicture{600, 50}, kButtonPicture{16, 16};
constexpr int kWebIcon = 32;
// WM_SYSCOMMAND's low four bits are the system's own; the command is in the rest.
constexpr WPARAM kSysCommandMask = 0xFFF0;

constexpr const char* kBanHint = "Visit Zavotek Website";

// Control ids start above the small numbers the system's own dialog ids use (IDOK ...).
constexpr UINT_PTR kFirstControlId = 100;
UINT_PTR IdOf(Ctl c) { return kFirstControlId + static_cast<UINT_PTR>(c); }

constexpr DWORD kLabelStyle = SS_LEFTNOWORDWRAP | SS_NOPREFIX;
constexpr DWORD kCheckBoxStyle = WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kEditStyle = WS_TABSTOP | ES_AUTOHSCROLL;

// The panel's controls, which lie together in Ctl, and the file list show their text in the
// form's font; the pictures, the viewer and the status bar draw their own.
bool TakesFormFont(Ctl c) { return (c >= Ctl::Label4 && c <= Ctl::edFolder) || c == Ctl::FileListBox; }

SIZE LabelSize(HWND label, HFONT font) {
    const std::string text = widgets::AnsiWindowText(label);
    widgets::WindowDc dc(label);
    widgets::SelectScope select(dc.Dc(), font);
    SIZE size{};
    ::GetTextExtentPoint32A(dc.Dc(), text.data(), static_cast<int>(text.size()), &size);
    return size;
}

// Moves a control without copying its old pixels along: by the time it moves, a neighbour laid out
// before it may already have drawn over its old place, and only the newly uncovered part of it
// would be repainted.
void Place(HWND control, int x, int y, int width, int height) {
    ::SetWindowPos(control, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

// The centre of the whole primary screen, task bar included.
RECT StartPlace(int dpi) {
    const SIZE size{widgets::Scale(kMinimumWindow.cx, dpi), widgets::Scale(kMinimumWindow.cy, dpi)};
    const POINT at = widgets::CentreIn(widgets::DisplayRect(widgets::PrimaryDisplay()), size);
    return RECT{at.x, at.y, at.x + size.cx, at.y + size.cy};
}

}  // namespace

TForm1::TForm1(platform::Shell& shell, platform::FolderBrowser& folderBrowser)
    : shell_(shell),
      dpi_(widgets::ScreenDpi()),
      listWidth_(widgets::Scale(kListWidth, dpi_)),
      stateFolder_(PrivateStateFolder()),
      btnReplace_("Replace", {}),
      btnGlobReplace_("Replace All", {}) {
    font_ = widgets::CreateFormFont(dpi_);
    // The main window belongs to the application's window, whose task-bar button shows the title.
    auto* application = widgets::Application::Current();
    const bool main = application && !application->MainWindow();
    Create("TForm1", WS_EX_CONTROLPARENT, kCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, StartPlace(dpi_),
           main ? application->Handle() : nullptr, 0, nullptr, ::GetSysColorBrush(COLOR_BTNFACE), CS_DBLCLKS);
    if (main) {
        application->SetMainWindow(Handle());
        application->TakeShortcut = [this](const MSG& message) { return TakeShortcut(message); };
        takesShortcuts_ = true;
    }
    CreateBanner();
    CreatePanel(folderBrowser);
    CreateListAndViewer();
    CreateHints();
    AddUndoMenuItem();
    ApplyFont();
    LoadPictures();
    ApplyLayout();
    // Built at the screen's dpi; a display of another (on a system that has per-display dpi)
    // scales it again, centred there as well.
    if (const int shown = widgets::WindowDpi(Handle()); shown != dpi_) ApplyDpi(shown, StartPlace(shown));
}

TForm1::~TForm1() {
    if (auto* application = widgets::Application::Current(); application && takesShortcuts_)
        application->TakeShortcut = nullptr;
}

HWND TForm1::Keep(Ctl control, HWND window) noexcept { return controls_[static_cast<int>(control)] = window; }

HWND TForm1::CreateChild(HWND parent, const char* className, const char* text, DWORD style, Ctl control,
                         DWORD exStyle) {
    return Keep(control, widgets::CreateControl(parent, className, text, style, RECT{}, IdOf(control), exStyle));
}

widgets::GraphicButton* TForm1::PictureButton(Ctl control) noexcept {
    if (control == Ctl::btnReplace) return &btnReplace_;
    if (control == Ctl::btnGlobReplace) return &btnGlobReplace_;
    return nullptr;
}

void TForm1::CreateBanner() {
    imgBan_ = std::make_unique<widgets::Picture>(Handle(), RECT{}, IdOf(Ctl::imgBan));
    imgWeb_ = std::make_unique<widgets::Picture>(imgBan_->Handle(), RECT{}, IdOf(Ctl::imgWeb));
    for (widgets::Picture* link : {imgBan_.get(), imgWeb_.get()}) link->OnClick = [this] { imgBanClick(); };
    Keep(Ctl::imgBan, imgBan_->Handle());
    Keep(Ctl::imgWeb, imgWeb_->Handle());
}

// The panel and its controls, created in tab order.
void TForm1::CreatePanel(platform::FolderBrowser& folderBrowser) {
    panel_ = std::make_unique<widgets::Panel>(Handle(), RECT{}, IdOf(Ctl::Panel1));
    HWND p = Keep(Ctl::Panel1, panel_->Handle());
    CreateChild(p, "STATIC", "File Type:", kLabelStyle, Ctl::Label4);
    cbFileType_ = std::make_unique<browse::FileTypeSelector>(p, IdOf(Ctl::cbFileType), font_.get(),
                                                             widgets::Scale(kFileTypeItemHeight, dpi_), FileTypeTexts());
    cbFileType_->OnChange = [this] { cbFileTypeChange(); };
    Keep(Ctl::cbFileType, cbFileType_->Handle());
    CreateChild(p, "BUTTON", "Confirm", kCheckBoxStyle, Ctl::cbWarn);
    CreateChild(p, "BUTTON", "Save Search", kCheckBoxStyle, Ctl::cbSaveSearch);
    CreateChild(p, "STATIC", "Search For:", kLabelStyle, Ctl::Label1);
    CreateChild(p, "EDIT", "", kEditStyle, Ctl::edSearch, WS_EX_CLIENTEDGE);
    CreateChild(p, "STATIC", "Replace With:", kLabelStyle, Ctl::Label2);
    CreateChild(p, "EDIT", "", kEditStyle, Ctl::edReplace, WS_EX_CLIENTEDGE);
    CreateChild(p, "STATIC", "Select Folder:", kLabelStyle, Ctl::Label3);
    edFolder_ = std::make_unique<browse::FolderNameEdit>(p, IdOf(Ctl::edFolder),
                                                         widgets::Scale(kBrowseButtonWidth, dpi_), folderBrowser);
    edFolder_->DialogTitle = L"Select a Folder...";
    edFolder_->OnChange = [this] { edFolderChange(); };
    Keep(Ctl::edFolder, edFolder_->Handle());
    CreateChild(p, "BUTTON", "Word Wrap", kCheckBoxStyle, Ctl::cbWordWrap);
    panel_->AddButton(btnReplace_);
    panel_->AddButton(btnGlobReplace_);
    btnReplace_.SetHint("Replace all instances of the string within the selected file");
    btnGlobReplace_.SetHint("Replace all instances of the string in all the files in the currently selected folder");
    btnReplace_.OnClick = [this] { btnReplaceClick(); };
    btnGlobReplace_.OnClick = [this] { btnGlobReplaceClick(); };
}

void TForm1::CreateListAndViewer() {
    fileList_ = std::make_unique<browse::FileListBox>(
        Handle(), IdOf(Ctl::FileListBox), font_.get(), widgets::Scale(kFileListItemHeight, dpi_),
        widgets::SystemMetricAt(SM_CXSMICON, dpi_), platform::ExecutableFolder(), L"*.txt",
        browse::TFileType{browse::ftArchive, browse::ftNormal}, shell_);
    fileList_->Listing().OnChange = [this] { FileListBoxChange(); };
    Keep(Ctl::FileListBox, fileList_->Handle());

    splitter_ = std::make_unique<widgets::Splitter>(Handle(), RECT{}, IdOf(Ctl::Splitter1));
    splitter_->OnMoved = [this](int width) { SetListWidth(width); };
    Keep(Ctl::Splitter1, splitter_->Handle());

    memHTML_ = std::make_unique<viewer::RichViewer>(Handle(), RECT{}, IdOf(Ctl::memHTML), dpi_);
    // The colour goes first, so the text is laid out once.
    memHTML_->SetFontColor(kWelcomeColour);
    memHTML_->SetText(kWelcomeText);

    // The status bar keeps the system's status-bar font. Its one panel spans the whole width: a
    // single part rather than simple mode, whose text not every comctl32 reads back by index.
    HWND statBar = CreateChild(Handle(), STATUSCLASSNAMEA, "",
                               SBARS_SIZEGRIP | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, Ctl::StatBar);
    int wholeWidth = -1;
    ::SendMessageA(statBar, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&wholeWidth));
    SetStatusText(kStatusNotice);
}

void TForm1::CreateHints() {
    hints_ = std::make_unique<widgets::Hints>(Handle());
    // Names a screen reader reads for controls that show no text: the link pictures by their hint,
    // the picture-only browse button by what it does. Neither name is drawn.
    for (HWND link : {imgBan_->Handle(), imgWeb_->Handle()}) {
        hints_->Add(link, kBanHint);
        ::SetWindowTextA(link, kBanHint);
    }
    ::SetWindowTextW(edFolder_->Button(), L"Browse");
    hints_->Add(cbWarn(), "Diaplay a confirmation box before opening each file");
    hints_->Add(cbSaveSearch(), "Save the Search/Replace strings after closing this application");
    hints_->Add(cbWordWrap(), "Wrap the text in the viewer");
    // A picture button's hint covers its place on the panel, under the button's own control id.
    for (Ctl button : {Ctl::btnReplace, Ctl::btnGlobReplace})
        hints_->AddRegion(panel_->Handle(), IdOf(button), {}, PictureButton(button)->Hint());
}

void TForm1::ApplyFont() {
    const WPARAM font = reinterpret_cast<WPARAM>(font_.get());
    for (int i = 0; i < static_cast<int>(Ctl::Count); ++i)
        if (controls_[i] && TakesFormFont(static_cast<Ctl>(i))) ::SendMessageA(controls_[i], WM_SETFONT, font, FALSE);
    // The panel draws the picture buttons' captions in it.
    panel_->SetFont(font_.get());
}

void TForm1::LoadPictures() {
    imgBan_->SetBitmap(LoadPicture(IDB_BANNER, kBannerPicture, dpi_));
    imgWeb_->SetIcon(LoadIconAt(IDI_WEB, kWebIcon, dpi_));
    btnReplace_.SetPicture(LoadPicture(IDB_REPLACE, kButtonPicture, dpi_));
    btnGlobReplace_.SetPicture(LoadPicture(IDB_REPLACE_ALL, kButtonPicture, dpi_));
    edFolder_->SetButtonGlyph(LoadGlyph(IDB_BROWSE, dpi_));
}

void TForm1::ApplyDpi(int dpi, const RECT& place) {
    listWidth_ = MulDiv(listWidth_, dpi, dpi_);
    dpi_ = dpi;
    // The old font goes when this function ends, once no control uses it.
    const platform::UniqueHFont old = std::exchange(font_, widgets::CreateFormFont(dpi_));
    ApplyFont();
    cbFileType_->SetItemHeight(widgets::Scale(kFileTypeItemHeight, dpi_));
    edFolder_->SetButtonWidth(widgets::Scale(kBrowseButtonWidth, dpi_));
    fileList_->SetSizes(widgets::Scale(kFileListItemHeight, dpi_), widgets::SystemMetricAt(SM_CXSMICON, dpi_));
    memHTML_->SetDpi(dpi_);
    LoadPictures();
    ::SetWindowPos(Handle(), nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyLayout();  // also when the size stayed and no WM_SIZE came
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT TForm1::OnDpiChanged(WPARAM dpi, const RECT& suggested) {
    ApplyDpi(LOWORD(dpi), suggested);
    return 0;
}

void TForm1::SetListWidth(int width) {
    listWidth_ = ClampListWidth(width, dpi_);
    ApplyLayout();
}

void TForm1::ApplyLayout() {
    RECT client;
    ::GetClientRect(Handle(), &client);
    const MainLayout layout = ComputeMainLayout(SIZE{client.right, client.bottom}, listWidth_, dpi_);
    for (int i = 0; i < static_cast<int>(Ctl::Count); ++i) {
        const Ctl c = static_cast<Ctl>(i);
        const RECT& r = layout[c];
        const HWND window = Control(c);
        if (widgets::GraphicButton* button = PictureButton(c)) {
            button->SetPlace(r);
            hints_->MoveRegion(panel_->Handle(), IdOf(c), r);
        } else if (IsLabel(c)) {
            // Labels take the size of their text, from where the layout puts them.
            const SIZE text = LabelSize(window, font_.get());
            Place(window, r.left, r.top, text.cx, text.cy);
        } else if (c == Ctl::cbFileType) {
            cbFileType_->SetPlace(r);
        } else {
            Place(window, r.left, r.top, r.right - r.left, r.bottom - r.top);
        }
    }
    // The panel draws the picture buttons at their new places.
    ::InvalidateRect(panel_->Handle(), nullptr, TRUE);
    splitter_->SetControlLeft(layout[Ctl::FileListBox].left);
    splitter_->SetLimits(widgets::Scale(kListMinWidth, dpi_), widgets::Scale(kListMaxWidth, dpi_));
}

void TForm1::Show(const platform::Path& startPath) {
    // The handlers of the first show run before the window appears. A failing FormShow, or a
    // start path that cannot be listed, is reported like any handler's failure, and the window is
    // shown all the same.
    widgets::Guarded(Handle(), [this] { FormShow(); });
    if (!startPath.empty()) widgets::Guarded(Handle(), [&] { OpenStartPath(startPath); });
    if (auto* application = widgets::Application::Current()) application->ShowTaskBarButton();
    ::ShowWindow(Handle(), SW_SHOWNORMAL);
    ::UpdateWindow(Handle());
}

void TForm1::SetStatusText(const std::wstring& text) {
    ::SendMessageW(StatBar(), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int TForm1::FileTypeIndex() const { return cbFileType_->ItemIndex(); }

void TForm1::SetFileTypeIndex(int index) { cbFileType_->SetItemIndex(index); }

std::wstring TForm1::FolderText() const { return edFolder_->Text(); }
std::string TForm1::SearchText() const { return widgets::AnsiWindowText(edSearch()); }
std::string TForm1::ReplaceText() const { return widgets::AnsiWindowText(edReplace()); }
bool TForm1::WarnTicked() const { return ::SendMessageA(cbWarn(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TForm1::SetFolderText(const std::wstring& text) { edFolder_->SetText(text); }

std::wstring TForm1::StatusText() const {
    auto length = LOWORD(::SendMessageW(StatBar(), SB_GETTEXTLENGTHW, 0, 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::SendMessageW(StatBar(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

// The shell opens an address as it opens a document.
void TForm1::imgBanClick() { shell_.Open(nullptr, platform::Path(kWebAddress)); }

LRESULT TForm1::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE: ApplyLayout(); return 0;
    case WM_GETMINMAXINFO: return OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
    case widgets::kDpiChanged: return OnDpiChanged(wParam, *reinterpret_cast<const RECT*>(lParam));
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_MEASUREITEM: return OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    case WM_DRAWITEM: return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_ACTIVATE: return OnActivate(wParam, lParam);
    case WM_SYSCOMMAND: return OnSysCommand(wParam, lParam);
    case WM_INITMENUPOPUP: return UpdateUndoMenuItem(), Default(message, wParam, lParam);
    case WM_CONTEXTMENU: return OnContextMenu(reinterpret_cast<HWND>(wParam), lParam);
    case WM_CLOSE: return OnClose();
    case WM_DESTROY:
        if (auto* application = widgets::Application::Current()) application->Terminate();
        return 0;
    default: return Default(message, wParam, lParam);
    }
}

LRESULT TForm1::OnGetMinMaxInfo(MINMAXINFO& info) {
    info.ptMinTrackSize = POINT{widgets::Scale(kMinimumWindow.cx, dpi_), widgets::Scale(kMinimumWindow.cy, dpi_)};
    return 0;
}

LRESULT TForm1::OnMeasureItem(MEASUREITEMSTRUCT& measure) {
    if (measure.CtlID == IdOf(Ctl::FileListBox)) measure.itemHeight = widgets::Scale(kFileListItemHeight, dpi_);
    return TRUE;
}

LRESULT TForm1::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (fileList_ && item.hwndItem == fileList_->Handle()) fileList_->DrawItem(item);
    else if (cbFileType_ && item.hwndItem == cbFileType_->Handle()) cbFileType_->DrawItem(item);
    return TRUE;
}

// The control that had the keyboard focus when the window lost the activation (to a message box,
// the folder browser, the progress window or another program) gets it back when the window is
// activated again, as in a dialog box.
LRESULT TForm1::OnActivate(WPARAM state, LPARAM other) {
    if (LOWORD(state) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(Handle(), focus)) lastFocus_ = focus;
        return Default(WM_ACTIVATE, state, other);
    }
    if (!HIWORD(state) && lastFocus_ && ::IsWindow(lastFocus_) && ::IsChild(Handle(), lastFocus_) &&
        ::IsWindowVisible(lastFocus_) && ::IsWindowEnabled(lastFocus_)) {
        ::SetFocus(lastFocus_);
        return 0;
    }
    return Default(WM_ACTIVATE, state, other);
}

// Minimising the program minimises the application's window, which takes this window out of sight
// and keeps the task-bar button; an owned window minimised alone would lie on the desktop instead.
LRESULT TForm1::OnSysCommand(WPARAM command, LPARAM where) {
    if ((command & kSysCommandMask) == kUndoCommand) return mnuUndoClick(), 0;
    auto* application = widgets::Application::Current();
    if ((command & kSysCommandMask) != SC_MINIMIZE || !application || application->MainWindow() != Handle())
        return Default(WM_SYSCOMMAND, command, where);
    application->Minimize();
    return 0;
}

LRESULT TForm1::OnClose() {
    // A settings file that cannot be written is reported but does not keep the window open:
    // otherwise every close would fail the same way and the program could never be ended.
    widgets::Guarded(Handle(), [this] { FormClose(); });
    ::DestroyWindow(Handle());
    return 0;
}

LRESULT TForm1::OnCommand(WPARAM wParam, LPARAM lParam) {
    HWND from = reinterpret_cast<HWND>(lParam);
    WORD code = HIWORD(wParam);
    if (cbFileType_ && from == cbFileType_->Handle()) cbFileType_->Notified(code);
    else if (from == cbWordWrap() && code == BN_CLICKED) cbWordWrapClick();
    else if (fileList_ && from == fileList_->Handle() && code == LBN_SELCHANGE) fileList_->SelectionChanged();
    else if (fileList_ && from == fileList_->Handle() && code == LBN_DBLCLK) FileListBoxDblClick();
    return 0;
}

}  // namespace app
