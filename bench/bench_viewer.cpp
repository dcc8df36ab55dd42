// The viewer as a person meets it: a file selected in the main window's list until its path stands
// in the status bar and the pane is painted, first as the window opens and then over a file of the
// same size. Beside it, in the same run, the baseline of streaming into the pane as it stands,
// over whatever it holds, with the colour set afterwards. Then selecting a one-letter text whose last
// occurrence is near the end of the largest file.
//
//   bench_viewer [--large]    --large adds 16 MiB files and the old way for 1 MiB (many minutes)
#include "bench_util.h"

#include "app/main_form.h"
#include "platform/shell.h"
#include "platform/unique_handle.h"
#include "viewer/highlight_text.h"
#include "viewer/line_break_converter.h"
#include "viewer/pane_stream.h"
#include "viewer/rich_viewer.h"

#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Files in a fresh folder under the temporary folder, removed at the end.
class ScratchFiles {
public:
    ScratchFiles() {
        wchar_t base[MAX_PATH + 1];
        DWORD n = ::GetTempPathW(MAX_PATH + 1, base);
        folder_ = platform::Path(std::wstring(base, n) + L"zvbench-viewer-" + std::to_wstring(::GetCurrentProcessId()));
        if (!::CreateDirectoryW(folder_.c_str(), nullptr)) throw std::runtime_error("Cannot create the scratch folder");
    }
    ~ScratchFiles() {
        for (const platform::Path& path : paths_) ::DeleteFileW(path.c_str());
        ::RemoveDirectoryW(folder_.c_str());
    }
    const platform::Path& Folder() const { return folder_; }
    platform::Path Write(const std::wstring& name, const std::string& bytes) {
        platform::Path path = folder_.Join(name);
        platform::UniqueFile file{
            ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
        DWORD written = 0;
        if (!file || !::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
            throw std::runtime_error("Cannot write a scratch file");
        paths_.push_back(path);
        return path;
    }

private:
    platform::Path folder_;
    std::vector<platform::Path> paths_;
};

// Numbered lines of prose of about 60 bytes ending in CR LF; every line holds a "q". `variant`
// makes files of the same size with other text.
std::string MakeText(size_t size, char variant) {
    std::string text;
    text.reserve(size + 128);
    for (size_t line = 0; text.size() < size; ++line)
        text += std::to_string(line) + " The quick brown fox jumps over the lazy dog, " + variant + " times.\r\n";
    text.resize(size - 2);
    text += "\r\n";
    return text;
}

std::string ReadWhole(const platform::Path& path) {
    platform::UniqueFile file{::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr)};
    std::string bytes;
    std::vector<char> buffer(bench::kMebibyte);
    DWORD read = 0;
    while (::ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) && read > 0)
        bytes.append(buffer.data(), read);
    return bytes;
}

// Handles every waiting message: what the window does before the person sees the file.
void Paint() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// The baseline: into the window as it stands, rich text first, half of each offered buffer read
// and its breaks made CR LF, the colour set afterwards.
class OldSource final : public viewer::StreamSource {
public:
    explicit OldSource(std::string bytes) : bytes_(std::move(bytes)) {}
    bool Read(char* buffer, LONG capacity, LONG& produced) override {
        for (;;) {
            size_t n = std::min(bytes_.size() - position_, static_cast<size_t>(capacity / 2));
            produced = static_cast<LONG>(converter_.Convert(bytes_.data() + position_, n, buffer));
            position_ += n;
            if (produced > 0 || n == 0) return true;
        }
    }
    bool Rewind() override {
        position_ = 0;
        converter_ = {};
        return true;
    }

private:
    std::string bytes_;
    size_t position_ = 0;
    viewer::LineBreakConverter converter_;
};

void OldShowSelectedFile(app::TForm1& form) {
    const platform::Path path = form.FilePath();
    OldSource source(ReadWhole(path));
    HWND pane = form.memHTML().Handle();
    if (!viewer::StreamIn(pane, SF_RTF, source)) {
        source.Rewind();
        viewer::StreamIn(pane, SF_TEXT, source);
    }
    form.memHTML().LiftTextLimit();
    form.memHTML().SetFontColor(viewer::kWindowTextColor);
    form.SetStatusText(path.Text());
}

struct Shown {
    double handler = 0;  // seconds until the path stands in the status bar
    double painted = 0;  // seconds until the window has handled every message after that
    bool ok = false;     // the status bar and the pane show the file
};

class Form {
public:
    explicit Form(const platform::Path& folder) : form_(platform::SystemShell()) {
        form_.Show();
        form_.FileListBox().Listing().ApplyPathText(folder.Text() + L"\\");
        Paint();
    }
    app::TForm1& Get() { return form_; }

    // Selects `name` as a click on its row does, and shows it the new way or the old.
    Shown Select(const std::wstring& name, size_t bytes, bool old) {
        browse::FileListing& listing = form_.FileListBox().Listing();
        int index = -1;
        for (int i = 0; i < listing.Count(); ++i)
            if (listing.Entry(i) == name) index = i;
        bench::Stopwatch watch;
        listing.SelectIndex(index);
        if (old) {
            OldShowSelectedFile(form_);
        } else {
            form_.FileListBox().SelectionChanged();
        }
        Shown shown;
        shown.handler = watch.Seconds();
        Paint();
        shown.painted = watch.Seconds();
        shown.ok = form_.StatusText() == form_.FilePath().Text() && !form_.FilePath().empty() &&
                   ::GetWindowTextLengthA(form_.memHTML().Handle()) == static_cast<int>(bytes);
        return shown;
    }

private:
    app::TForm1 form_;
};

std::string Seconds(const Shown& s) {
    char text[48];
    std::snprintf(text, sizeof text, "%7.2f %7.2f%s", s.handler, s.painted, s.ok ? "" : " (wrong)");
    return text;
}

std::string SizeName(size_t bytes) {
    return bytes < bench::kMebibyte ? std::to_string(bytes >> 10) + " KiB" : std::to_string(bytes >> 20) + " MiB";
}

}  // namespace

int main(int argc, char** argv) {
    const bool large = argc > 1 && std::strcmp(argv[1], "--large") == 0;
    ScratchFiles files;
    std::vector<size_t> sizes = {64 << 10, 256 << 10, bench::kMebibyte, 2 * bench::kMebibyte};
    if (large) sizes.push_back(16 * bench::kMebibyte);
    auto name = [](char which, size_t bytes) {
        std::wstring text(1, which);
        text += std::to_wstring(bytes);
        text += L".txt";
        return text;
    };
    for (size_t bytes : sizes) {
        files.Write(name('a', bytes), MakeText(bytes, 'a'));
        files.Write(name('b', bytes), MakeText(bytes, 'b'));
    }

    std::printf("Selecting a file in the list of the main window until its path is in the status bar, and\n"
                "until the window is painted (seconds, wall clock). First: the pane holds the welcome text;\n"
                "reload: it holds another file of the same size.\n\n");
    std::printf("%-7s | %-15s | %-15s | %-15s || %-15s | %-15s | %9s | %9s\n", "size", "first", "reload",
                "reload again", "old first", "old reload", "old/first", "old/reld");
    std::string largest;
    for (size_t bytes : sizes) {
        Shown first, reload, again, oldFirst, oldReload;
        {
            Form form(files.Folder());
            first = form.Select(name('a', bytes), bytes, false);
            reload = form.Select(name('b', bytes), bytes, false);
            again = form.Select(name('a', bytes), bytes, false);
        }
        // The old way takes minutes from 1 MiB on, and grows with the square of the size.
        if (bytes <= (large ? bench::kMebibyte : 256 << 10)) {
            Form form(files.Folder());
            oldFirst = form.Select(name('a', bytes), bytes, true);
            oldReload = form.Select(name('b', bytes), bytes, true);
        }
        auto ratio = [](const Shown& old, const Shown& now) {
            char text[16];
            if (old.painted > 0) {
                std::snprintf(text, sizeof text, "%8.1fx", old.painted / now.painted);
            } else {
                std::snprintf(text, sizeof text, "%9s", "-");
            }
            return std::string(text);
        };
        std::printf("%-7s | %s | %s | %s || %s | %s | %s | %s\n", SizeName(bytes).c_str(), Seconds(first).c_str(),
                    Seconds(reload).c_str(), Seconds(again).c_str(),
                    oldFirst.painted > 0 ? Seconds(oldFirst).c_str() : "      -       -",
                    oldReload.painted > 0 ? Seconds(oldReload).c_str() : "      -       -",
                    ratio(oldFirst, first).c_str(), ratio(oldReload, reload).c_str());
        std::fflush(stdout);
    }

    // Where the time of a load goes, for the largest file: reading it, emptying the pane (which
    // now means destroying its window and making a fresh one), and what is left for the control.
    const size_t bytes = sizes.back();
    Form form(files.Folder());
    form.Select(name('a', bytes), bytes, false);
    const platform::Path path = form.Get().FilePath();
    double read = bench::BestOf(3, [&] { ReadWhole(path); });
    bench::Stopwatch clearWatch;
    form.Get().memHTML().Clear();
    double clear = clearWatch.Seconds();
    Shown into = form.Select(name('b', bytes), bytes, false);
    form.Select(name('a', bytes), bytes, false);
    ::SendMessageA(form.Get().cbWordWrap(), BM_SETCHECK, BST_CHECKED, 0);
    bench::Stopwatch wrapWatch;
    form.Get().cbWordWrapClick();
    Paint();
    double wrap = wrapWatch.Seconds();
    ::SendMessageA(form.Get().cbWordWrap(), BM_SETCHECK, BST_UNCHECKED, 0);
    form.Get().cbWordWrapClick();
    Paint();
    std::printf("\n%s: reading the file %.3f s; emptying the pane that holds it %.3f s; loading into the empty\n"
                "pane %.2f s until the path shows, %.2f s painted; word wrap switched on while it is shown %.2f s\n",
                SizeName(bytes).c_str(), read, clear, into.handler, into.painted, wrap);

    // Every line holds a "q", so the documented passes would run once for each character up to
    // the last "q", each reading the whole text.
    form.Select(name('b', bytes), bytes, false);
    viewer::RichViewer& pane = form.Get().memHTML();
    HWND handle = pane.Handle();
    const int length = ::GetWindowTextLengthA(handle);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    bench::Timing getText = bench::BestTiming(3, [&] { ::GetWindowTextA(handle, text.data(), length + 1); });
    bench::Timing nearEnd = bench::BestTiming(5, [&] { viewer::HighlightText(pane, "q"); });
    CHARRANGE selection{};
    ::SendMessageA(handle, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    bench::Timing absent = bench::BestTiming(3, [&] { viewer::HighlightText(pane, "#"); });
    const double passes = static_cast<double>(selection.cpMin) + 1;

    std::printf("\nHighlightText on the %s file (%d characters)             wall        cpu\n",
                SizeName(bytes).c_str(), length);
    std::printf("  the whole text through WM_GETTEXT (baseline)      %8.2f ms %8.2f ms\n", getText.wall * 1e3,
                getText.cpu * 1e3);
    std::printf("  \"q\", selected at %ld, %ld from the end   %8.2f ms %8.2f ms (%.2fx WM_GETTEXT)\n",
                selection.cpMin, length - selection.cpMin, nearEnd.wall * 1e3, nearEnd.cpu * 1e3,
                nearEnd.wall / getText.wall);
    std::printf("  \"#\", absent: the whole text read once            %8.2f ms %8.2f ms (%.2fx WM_GETTEXT)\n",
                absent.wall * 1e3, absent.cpu * 1e3, absent.wall / getText.wall);
    std::printf("  documented passes for \"q\": %.0f, each reading the whole text: at least %.0f hours\n", passes,
                passes * getText.wall / 3600);
    return 0;
}
