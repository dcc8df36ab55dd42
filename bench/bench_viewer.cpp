// The viewer's steps as a person meets them, through the real main window, on files of 1, 8, 48
// and 200 MiB of text lines, of one long line and of random bytes. For each step: the longest the
// window took to answer a message that another thread sent it every 2 ms (how long the window
// thread was busy with one message at most), the whole time until the step's work between
// messages was done, and that time per MiB of the shown part's cost, which is what sets the
// shown bound. The steps: a click on the file in the list; the highlight of a text that does not
// occur (the search reads every range); word wrap on and off (the file read again); Replace;
// Replace All (the file shown in red with its replacement selected, then again in the window-text
// colour); closing the window. Beside them, in the same run, the baseline: the click with the
// whole shown part put in at once, as before pieces. Each file's steps run in a fresh process of
// their own, its file alone in a folder.
//
//   bench_viewer
#include "bench_util.h"

#include "app/main_form.h"
#include "app/progress_window.h"
#include "platform/file_system.h"
#include "platform/shell.h"
#include "platform/unique_handle.h"
#include "support/dialog_driver.h"
#include "viewer/highlight_text.h"
#include "viewer/load_viewer_file.h"
#include "viewer/rich_viewer.h"
#include "viewer/shown_part.h"
#include "widgets/application.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr size_t kMiB = bench::kMebibyte;

platform::Path ScratchFolder() {
    wchar_t base[MAX_PATH + 1];
    DWORD n = ::GetTempPathW(MAX_PATH + 1, base);
    return platform::Path(std::wstring(base, n) + L"zvbench-viewer");
}

// Text lines of about 60 bytes; one line without breaks; bytes of every value. Written a MiB at a
// time, so that a 200 MiB file never sits in memory whole.
void WriteFile(const platform::Path& path, const std::string& kind, size_t size) {
    platform::UniqueFile file{
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (!file) throw std::runtime_error("Cannot write a scratch file");
    std::mt19937 random(7);
    std::string bytes;
    for (size_t written = 0, line = 0; written < size; written += bytes.size()) {
        bytes.clear();
        while (bytes.size() < kMiB) {
            if (kind == "binary") bytes += static_cast<char>(random() & 0xFF);
            else bytes += std::to_string(line++) + " The quick brown fox jumps over the lazy dog, q times." + (kind == "lines" ? "\r\n" : " ");
        }
        bytes.resize(std::min(bytes.size(), size - written));
        DWORD done = 0;
        if (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr))
            throw std::runtime_error("Cannot write a scratch file");
    }
}

// Sends the window an empty message every 2 ms from another thread and keeps the longest wait
// for its answer: the longest the window thread was busy with one message.
class Prober {
public:
    explicit Prober(HWND window)
        : thread_([this, window] {
              while (!stop_) {
                  bench::Stopwatch watch;
                  DWORD_PTR result = 0;
                  ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &result);
                  longest_ = std::max(longest_.load(), watch.Seconds());
                  ::Sleep(2);
              }
              finished_ = true;
          }) {}
    // The last message may still wait for its answer.
    ~Prober() {
        stop_ = true;
        MSG msg;
        while (!finished_)
            if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        thread_.join();
    }
    double Longest() const { return longest_; }

private:
    std::atomic<bool> stop_{false}, finished_{false};
    std::atomic<double> longest_{0};
    std::thread thread_;
};

// Handles the window's messages, as the program's own loop does, until `done`.
template <typename Done>
void RunUntil(Done&& done) {
    MSG msg;
    while (!done()) {
        if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        } else {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    }
}

// Until the viewer's work between messages is done, and then a little longer, so that a pane it
// replaced is gone before the next step.
void RunUntilIdle(app::TForm1& form) {
    RunUntil([&] { return !form.memHTML().Working(); });
    bench::Stopwatch settle;
    RunUntil([&] { return settle.Seconds() > 0.05; });
}

class NoProgressWindow : public app::ProgressWindow {
public:
    void Show() override {}
    void Hide() override {}
};

// One step: its longest answer in ms, its whole time in s, and that time per MiB of shown cost.
void Step(app::TForm1& form, const char* name, double shownMiB, const std::function<void()>& step) {
    double whole = 0, answer = 0;
    {
        Prober prober(form.Handle());
        ::Sleep(20);
        bench::Stopwatch watch;
        step();
        RunUntil([&] { return !form.memHTML().Working(); });
        whole = watch.Seconds();
        RunUntilIdle(form);
        answer = prober.Longest();
    }
    std::printf("  %-22s %8.0f %8.2f %9.2f\n", name, answer * 1e3, whole, whole / shownMiB);
}

// The shown part's cost in MiB, as the shown bound counts it.
double ShownCostMiB(const std::string& text) {
    size_t cost = 0;
    for (char c : text) cost += viewer::ByteCost(c);
    return static_cast<double>(cost) / kMiB;
}

// The one step that no message can slice: a pane letting its whole text go, as for a new load,
// word wrap or closing the window. Times the message that lets the shown file's pane go (at once,
// or at the next tick when it holds much), best of three, the file shown whole again before each
// and after the last.
double LetGo(app::TForm1& form) {
    double best = 0;
    for (int round = 0; round < 3; ++round) {
        form.FileListBoxChange();
        RunUntilIdle(form);
        const HWND old = form.memHTML().Handle();
        bench::Stopwatch clear;
        form.memHTML().Clear();
        double longest = clear.Seconds();
        MSG msg;
        while (::IsWindow(old)) {
            if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) continue;
            bench::Stopwatch watch;
            ::DispatchMessageW(&msg);
            longest = std::max(longest, watch.Seconds());
        }
        if (round == 0 || longest < best) best = longest;
    }
    form.FileListBoxChange();
    RunUntilIdle(form);
    return best;
}

void ClickWordWrap(app::TForm1& form, bool on) {
    ::SendMessageA(form.cbWordWrap(), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    form.cbWordWrapClick();
}

// Every step on the one file in `folder`, in this process.
int Steps(const platform::Path& folder) {
    widgets::Application application("Zavotek - Search & Replace");
    NoProgressWindow progress;
    app::TForm1 form(platform::SystemShell());
    form.SetProgressWindow(progress);
    form.Show();
    form.SetFileTypeIndex(0);
    form.FileListBox().Listing().ApplyPathText(folder.Text() + L"\\");
    RunUntilIdle(form);
    browse::FileListing& listing = form.FileListBox().Listing();
    // The baseline first: the whole shown part in one piece.
    Step(form, "click, all at once", 1, [&] {
        listing.SelectIndex(0);
        viewer::ShowLimits atOnce;
        atOnce.pieceCost = SIZE_MAX;
        viewer::LoadViewerFile(form.memHTML(), form.FilePath(), viewer::kWindowTextColor, platform::SystemFileSystem(), atOnce);
    });
    form.memHTML().Clear();
    RunUntilIdle(form);
    std::string shown;
    Step(form, "click", 1, [&] { form.FileListBox().SelectionChanged(); });
    shown = form.memHTML().Text().substr(0, static_cast<size_t>(form.memHTML().TextLength()));
    const double cost = std::max(ShownCostMiB(shown), 1.0 / kMiB);
    std::printf("  (shown: %zu characters, a cost of %.2f MiB; figures per MiB below are of that cost)\n", shown.size(), cost);
    const double letGo = LetGo(form);
    std::printf("  %-22s %8.0f %8.2f %9.2f\n", "letting the pane go", letGo * 1e3, letGo, letGo / cost);
    Step(form, "highlight, absent text", cost, [&] { viewer::HighlightText(form.memHTML(), "no such text"); });
    Step(form, "word wrap on", cost, [&] { ClickWordWrap(form, true); });
    Step(form, "word wrap off", cost, [&] { ClickWordWrap(form, false); });
    ::SetWindowTextA(form.edSearch(), "quick");
    ::SetWindowTextA(form.edReplace(), "QUICK");
    Step(form, "Replace", cost, [&] { form.btnReplaceClick(); });
    ::SetWindowTextA(form.edSearch(), "QUICK");
    ::SetWindowTextA(form.edReplace(), "quick");
    Step(form, "Replace All", cost, [&] {
        test_support::DialogDriver driver(
            {test_support::DialogAnswer::Key(VK_RETURN), test_support::DialogAnswer::Key(VK_RETURN)}, 600000);
        form.btnGlobReplaceClick();
        if (!driver.Finish()) std::printf("dialog driver: %s\n", driver.Failure().c_str());
    });
    // The window's last message: the pane lets its whole text go with it.
    bench::Stopwatch close;
    ::DestroyWindow(form.Handle());
    const double closed = close.Seconds();
    std::printf("  %-22s %8.0f %8.2f %9.2f\n", "closing the window", closed * 1e3, closed, closed / cost);
    return 0;
}

// Runs this program again for one file and waits for it; its figures go to the same console.
void InChild(const std::wstring& arguments) {
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" " + arguments;
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    std::fflush(stdout);
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        throw std::runtime_error("Cannot start a case");
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

}  // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argc == 3 && std::wcscmp(argv[1], L"--steps") == 0) return Steps(platform::Path(argv[2]));

    const platform::Path root = ScratchFolder();
    ::CreateDirectoryW(root.c_str(), nullptr);
    std::printf("Each step through the main window, each file in a process of its own. answer: the longest wait,\n"
                "in ms, for the window's answer to a message sent every 2 ms during the step; whole: seconds until\n"
                "the step's work between messages is done; s/MiB: whole per MiB of the shown part's cost. The first\n"
                "row of each file is the baseline, the shown part put in at once, measured in the same run.\n\n");
    for (const std::string kind : {"lines", "oneline", "binary"}) {
        for (size_t size : {size_t{1}, size_t{8}, size_t{48}, size_t{200}}) {
            const platform::Path folder = root.Join(std::wstring(kind.begin(), kind.end()) + std::to_wstring(size));
            ::CreateDirectoryW(folder.c_str(), nullptr);
            const platform::Path file = folder.Join(L"file.txt");
            WriteFile(file, kind, size * kMiB);
            std::printf("%s, %zu MiB                answer ms  whole s  s per MiB\n", kind.c_str(), size);
            InChild(L"--steps \"" + folder.Text() + L"\"");
            ::DeleteFileW(file.c_str());
            ::RemoveDirectoryW(folder.c_str());
        }
    }
    ::RemoveDirectoryW(root.c_str());
    return 0;
}
