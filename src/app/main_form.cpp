#include "app/main_form.h"

#include "app/file_type_masks.h"
#include "app/pictures.h"
#include "platform/errors.h"
#include "platform/module_path.h"
#include "platform/shell.h"
#include "replace/rewrite_journal.h"
#include "resource_ids.h"
#include "widgets/anchors.h"
#include "widgets/application.h"
#include "widgets/dpi.h"
#include "widgets/form_font.h"
#include "widgets/gdi.h"
#include "widgets/window_text.h"

#include <commctrl.h>

namespace app {

namespace {

constexpr const char* kCaption = "Zavotek - String Search & Replace Utility";
constexpr const wchar_t* kWebAddress = L"https://zavotek.example/";
constexpr const wchar_t* kStatusNotice = L" Copyright (c) 2005 Zavotek - https://zavotek.example/";
constexpr int kFileListItemHeight = 18, kFileTypeItemHeight = 13, kBrowseButtonWidth = 20;
constexpr SIZE kBannerPicture{600, 50}, kButtonPicture{16, 16};
constexpr int kWebIcon = 32;
constexpr UINT_PTR kReplaceHintId = 1, kGlobReplaceHintId = 2;

constexpr const char* kBanHint = "Visit Zavotek Website";

UINT_PTR IdOf(Ctl c) { return 100 + static_cast<UINT_PTR>(c); }

HWND NewControl(HWND parent, const char* className, const char* text, DWORD style, Ctl control, DWORD exStyle = 0) {
    return widgets::CreateControl(parent, className, text, style, RECT{}, IdOf(control), exStyle);
}

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

RECT StartPlace(int dpi) {
    int w = widgets::Scale(kMinimumWindow.cx, dpi), h = widgets::Scale(kMinimumWindow.cy, dpi);
    // The centre of the whole screen, task bar included.
    int x = (::GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    int y = (::GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    return RECT{x, y, x + w, y + h};
}

}  // namespace

TForm1::TForm1(platform::Shell& shell, platform::FolderBrowser& folderBrowser)
    : shell_(shell),
      dpi_(widgets::ScreenDpi()),
      listWidth_(widgets::Scale(kListWidth, dpi_)),
      btnReplace_("Replace", {}),
      btnGlobReplace_("Replace All", {}) {
    font_ = widgets::CreateFormFont(dpi_);
    // The main window belongs to the application's window, whose task-bar button shows the title.
    auto* application = widgets::Application::Current();
    const bool main = application && !application->MainWindow();
    Create("TForm1", WS_EX_CONTROLPARENT, kCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, StartPlace(dpi_),
           main ? application->Handle() : nullptr, 0, nullptr, ::GetSysColorBrush(COLOR_BTNFACE), CS_DBLCLKS);
    if (main) application->SetMainWindow(Handle());
    CreateControls(folderBrowser);
    LoadPictures();
    ApplyLayout();
    // Built at the screen's dpi; a display of another (on a system that has per-display dpi)
    // scales it again, centred there as well.
    if (const int shown = widgets::WindowDpi(Handle()); shown != dpi_) ApplyDpi(shown, StartPlace(shown));
}

TForm1::~TForm1() = default;

HWND TForm1::CreateChild(HWND parent, const char* className, const char* text, DWORD style, Ctl control,
                         DWORD exStyle) {
    HWND child = NewControl(parent, className, text, style, control, exStyle);
    ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return child;
}

void TForm1::CreateControls(platform::FolderBrowser& folderBrowser) {
    const RECT none{};
    imgBan_ = std::make_unique<widgets::Picture>(Handle(), none, IdOf(Ctl::imgBan));
    imgBan_->OnClick = [this] { imgBanClick(); };
    imgWeb_ = std::make_unique<widgets::Picture>(imgBan_->Handle(), none, IdOf(Ctl::imgWeb));
    imgWeb_->OnClick = [this] { imgBanClick(); };

    // The panel and its controls, created in tab order.
    panel_ = std::make_unique<widgets::Panel>(Handle(), none, IdOf(Ctl::Panel1));
    panel_->SetFont(font_.get());
    HWND p = panel_->Handle();
    labels_[0] = CreateChild(p, "STATIC", "File Type:", SS_LEFTNOWORDWRAP | SS_NOPREFIX, Ctl::Label4);
    cbFileType_ = std::make_unique<browse::FileTypeSelector>(p, IdOf(Ctl::cbFileType), font_.get(),
                                                             widgets::Scale(kFileTypeItemHeight, dpi_), FileTypeTexts());
    cbFileType_->OnChange = [this] { cbFileTypeChange(); };
    cbWarn_ = CreateChild(p, "BUTTON", "Confirm", WS_TABSTOP | BS_AUTOCHECKBOX, Ctl::cbWarn);
    cbSaveSearch_ = CreateChild(p, "BUTTON", "Save Search", WS_TABSTOP | BS_AUTOCHECKBOX, Ctl::cbSaveSearch);
    labels_[1] = CreateChild(p, "STATIC", "Search For:", SS_LEFTNOWORDWRAP | SS_NOPREFIX, Ctl::Label1);
    edSearch_ = CreateChild(p, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, Ctl::edSearch, WS_EX_CLIENTEDGE);
    labels_[2] = CreateChild(p, "STATIC", "Replace With:", SS_LEFTNOWORDWRAP | SS_NOPREFIX, Ctl::Label2);
    edReplace_ = CreateChild(p, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, Ctl::edReplace, WS_EX_CLIENTEDGE);
    labels_[3] = CreateChild(p, "STATIC", "Select Folder:", SS_LEFTNOWORDWRAP | SS_NOPREFIX, Ctl::Label3);
    edFolder_ = std::make_unique<browse::FolderNameEdit>(p, IdOf(Ctl::edFolder),
                                                         widgets::Scale(kBrowseButtonWidth, dpi_), folderBrowser);
    ::SendMessageA(edFolder_->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    edFolder_->DialogTitle = L"Select a Folder...";
    edFolder_->OnChange = [this] { edFolderChange(); };
    cbWordWrap_ = CreateChild(p, "BUTTON", "Word Wrap", WS_TABSTOP | BS_AUTOCHECKBOX, Ctl::cbWordWrap);
    panel_->AddButton(btnReplace_);
    panel_->AddButton(btnGlobReplace_);
    btnReplace_.SetHint("Replace all instances of the string within the selected file");
    btnGlobReplace_.SetHint("Replace all instances of the string in all the files in the currently selected folder");
    btnReplace_.OnClick = [this] { btnReplaceClick(); };
    btnGlobReplace_.OnClick = [this] { btnGlobReplaceClick(); };

    fileList_ = std::make_unique<browse::FileListBox>(
        Handle(), IdOf(Ctl::FileListBox), font_.get(), widgets::Scale(kFileListItemHeight, dpi_),
        widgets::SystemMetricAt(SM_CXSMICON, dpi_), platform::ExecutableFolder(), L"*.txt",
        browse::TFileType{browse::ftArchive, browse::ftNormal}, shell_,
        // A rewrite that a stopped run left part-written is finished before its folder is shown.
        [](const platform::Path& folder) { replace::FinishInterruptedRewrites(platform::SystemFileSystem(), folder); });
    fileList_->Listing().OnChange = [this] { FileListBoxChange(); };

    splitter_ = std::make_unique<widgets::Splitter>(Handle(), none, IdOf(Ctl::Splitter1));
    splitter_->OnMoved = [this](int width) { SetListWidth(width); };

    memHTML_ = std::make_unique<viewer::RichViewer>(Handle(), none, IdOf(Ctl::memHTML), dpi_);
    // The welcome text is the program's blue; the colour goes first, so the text is laid out once.
    memHTML_->SetFontColor(RGB(0, 0, 255));
    memHTML_->SetText(kWelcomeText);

    // The status bar keeps the system's status-bar font. Its one panel spans the whole width: a
    // single part rather than simple mode, whose text not every comctl32 reads back by index.
    statBar_ = NewControl(Handle(), STATUSCLASSNAMEA, "",
                          SBARS_SIZEGRIP | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, Ctl::StatBar);
    int wholeWidth = -1;
    ::SendMessageA(statBar_, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&wholeWidth));
    SetStatusText(kStatusNotice);

    hints_ = std::make_unique<widgets::Hints>(Handle());
    hints_->Add(imgBan_->Handle(), kBanHint);
    hints_->Add(imgWeb_->Handle(), kBanHint);
    // Names a screen reader reads for controls that show no text: the link pictures by their hint,
    // the picture-only browse button by what it does. Neither name is drawn.
    ::SetWindowTextA(imgBan_->Handle(), kBanHint);
    ::SetWindowTextA(imgWeb_->Handle(), kBanHint);
    ::SetWindowTextW(edFolder_->Button(), L"Browse");
    hints_->Add(cbWarn_, "Diaplay a confirmation box before opening each file");
    hints_->Add(cbSaveSearch_, "Save the Search/Replace strings after closing this application");
    hints_->Add(cbWordWrap_, "Wrap the text in the viewer");
    hints_->AddRegion(p, kReplaceHintId, {}, btnReplace_.Hint());
    hints_->AddRegion(p, kGlobReplaceHintId, {}, btnGlobReplace_.Hint());
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
    platform::UniqueHFont font = widgets::CreateFormFont(dpi_);
    const WPARAM f = reinterpret_cast<WPARAM>(font.get());
    for (HWND control : {labels_[0], labels_[1], labels_[2], labels_[3], cbFileType_->Handle(), cbWarn_, cbSaveSearch_,
                         cbWordWrap_, edSearch_, edReplace_, edFolder_->Handle(), fileList_->Handle()})
        ::SendMessageA(control, WM_SETFONT, f, FALSE);
    panel_->SetFont(font.get());
    font_ = std::move(font);  // the old one goes only now that no control uses it
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
    MainLayout layout = ComputeMainLayout(SIZE{client.right, client.bottom}, listWidth_, dpi_);
    auto move = [&](HWND window, Ctl c) {
        const RECT& r = layout[c];
        Place(window, r.left, r.top, r.right - r.left, r.bottom - r.top);
    };
    // Labels take the size of their text, from where the layout puts them.
    auto moveLabel = [&](HWND label, Ctl c) {
        const RECT& r = layout[c];
        SIZE text = LabelSize(label, font_.get());
        Place(label, r.left, r.top, text.cx, text.cy);
    };
    move(imgBan_->Handle(), Ctl::imgBan);
    move(imgWeb_->Handle(), Ctl::imgWeb);
    move(panel_->Handle(), Ctl::Panel1);
    moveLabel(labels_[0], Ctl::Label4);
    cbFileType_->SetPlace(layout[Ctl::cbFileType]);
    move(cbWarn_, Ctl::cbWarn);
    move(cbSaveSearch_, Ctl::cbSaveSearch);
    move(cbWordWrap_, Ctl::cbWordWrap);
    moveLabel(labels_[1], Ctl::Label1);
    move(edSearch_, Ctl::edSearch);
    moveLabel(labels_[2], Ctl::Label2);
    move(edReplace_, Ctl::edReplace);
    moveLabel(labels_[3], Ctl::Label3);
    move(edFolder_->Handle(), Ctl::edFolder);
    btnReplace_.SetPlace(layout[Ctl::btnReplace]);
    btnGlobReplace_.SetPlace(layout[Ctl::btnGlobReplace]);
    hints_->MoveRegion(panel_->Handle(), kReplaceHintId, layout[Ctl::btnReplace]);
    hints_->MoveRegion(panel_->Handle(), kGlobReplaceHintId, layout[Ctl::btnGlobReplace]);
    ::InvalidateRect(panel_->Handle(), nullptr, TRUE);
    move(fileList_->Handle(), Ctl::FileListBox);
    move(splitter_->Handle(), Ctl::Splitter1);
    splitter_->SetControlLeft(layout[Ctl::FileListBox].left);
    splitter_->SetLimits(widgets::Scale(kListMinWidth, dpi_), widgets::Scale(kListMaxWidth, dpi_));
    move(memHTML_->Handle(), Ctl::memHTML);
    move(statBar_, Ctl::StatBar);
}

void TForm1::Show() {
    // The handlers of the first show run before the window appears. A failing FormShow is
    // reported like any handler's failure, and the window is shown all the same.
    widgets::Guarded(Handle(), [this] { FormShow(); });
    if (auto* application = widgets::Application::Current()) application->ShowTaskBarButton();
    ::ShowWindow(Handle(), SW_SHOWNORMAL);
    ::UpdateWindow(Handle());
}

void TForm1::SetStatusText(const std::wstring& text) {
    ::SendMessageW(statBar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int TForm1::FileTypeIndex() const { return cbFileType_->ItemIndex(); }

void TForm1::SetFileTypeIndex(int index) { cbFileType_->SetItemIndex(index); }

std::wstring TForm1::FolderText() const { return edFolder_->Text(); }
std::string TForm1::SearchText() const { return widgets::AnsiWindowText(edSearch_); }
std::string TForm1::ReplaceText() const { return widgets::AnsiWindowText(edReplace_); }
bool TForm1::WarnTicked() const { return ::SendMessageA(cbWarn_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TForm1::SetFolderText(const std::wstring& text) { edFolder_->SetText(text); }

std::wstring TForm1::StatusText() const {
    auto length = LOWORD(::SendMessageW(statBar_, SB_GETTEXTLENGTHW, 0, 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::SendMessageW(statBar_, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

void TForm1::imgBanClick() { shell_.Open(nullptr, kWebAddress); }

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
    auto* application = widgets::Application::Current();
    if ((command & 0xFFF0) != SC_MINIMIZE || !application || application->MainWindow() != Handle())
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
    else if (from == cbWordWrap_ && code == BN_CLICKED) cbWordWrapClick();
    else if (fileList_ && from == fileList_->Handle() && code == LBN_SELCHANGE) fileList_->SelectionChanged();
    else if (fileList_ && from == fileList_->Handle() && code == LBN_DBLCLK) FileListBoxDblClick();
    return 0;
}

}  // namespace app
