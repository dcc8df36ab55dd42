// The viewer as a person meets it: a file clicked in the main window's list, through the real
// window. For each file: the time until the first screen is painted with its path in the status
// bar, the time until all that is shown is in the pane, the process's peak memory, and the
// longest the window took to answer a message another thread sent it meanwhile. Beside it, in the
// same run, the baseline: the whole file put in at once, as before pieces and a bound (the same
// load with no bound and one piece). Each case runs in a fresh process of its own, so that the
// peak belongs to that case. Then a click on a small file in the middle of a large load, and
// selecting a one-letter text near the end of a shown file.
//
//   bench_viewer [--large]    --large adds the 200 MiB files, and the baseline of text lines at 32 MiB
#include "bench_util.h"

#include "app/main_form.h"
#include "platform/file_system.h"
#include "platform/shell.h"
#include "platform/unique_handle.h"
#include "viewer/highlight_text.h"
#include "viewer/load_viewer_file.h"
#include "viewer/rich_viewer.h"

#include <windows.h>
#include <psapi.h>
#include <richedit.h>
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
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

// Text lines of about 60 bytes; one line without breaks; bytes of every value.
std::string MakeFile(const std::string& kind, size_t size) {
    std::string bytes;
    bytes.reserve(size + 128);
    if (kind == "binary") {
        std::mt19937 random(7);
        while (bytes.size() < size) bytes += static_cast<char>(random() & 0xFF);
    } else {
        const bool lines = kind == "lines";
        for (size_t line = 0; bytes.size() < size; ++line)
            bytes += std::to_string(line) + " The quick brown fox jumps over the lazy dog, q times." + (lines ? "\r\n" : " ");
    }
    bytes.resize(size);
    return bytes;
}

platform::Path WriteFile(const platform::Path& path, const std::string& bytes) {
    platform::UniqueFile file{
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
    DWORD written = 0;
    if (!file || !::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        throw std::runtime_error("Cannot write a scratch file");
    return path;
}

std::wstring FileName(const std::string& kind, size_t size) {
    return std::wstring(kind.begin(), kind.end()) + std::to_wstring(size / kMiB) + L".txt";
}

double WorkingSetMB(bool peak) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(peak ? counters.PeakWorkingSetSize : counters.WorkingSetSize) / 1e6;
}

// Sends the window an empty message every 10 ms from another thread and keeps the longest wait
// for its answer.
class Prober {
public:
    explicit Prober(HWND window)
        : thread_([this, window] {
              while (!stop_) {
                  bench::Stopwatch watch;
                  DWORD_PTR result = 0;
                  ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &result);
                  longest_ = std::max(longest_.load(), watch.Seconds());
                  ::Sleep(10);
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

// Handles the window's messages until `done`, as the program's own loop does; waits for the next
// at most 5 ms, as a load may end with none left to come.
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

void PaintNow(app::TForm1& form) {
    ::RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

class Form {
public:
    explicit Form(const platform::Path& folder) : form_(platform::SystemShell()) {
        form_.Show();
        form_.FileListBox().Listing().ApplyPathText(folder.Text() + L"\\");
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    }
    app::TForm1& Get() { return form_; }

    // Selects `name` as a click on its row does; `whole` shows it at once, unbounded, as before.
    void Click(const std::wstring& name, bool whole) {
        browse::FileListing& listing = form_.FileListBox().Listing();
        for (int i = 0; i < listing.Count(); ++i)
            if (listing.Entry(i) == name) listing.SelectIndex(i);
        if (!whole) return form_.FileListBox().SelectionChanged();
        const viewer::ShowLimits unbounded{SIZE_MAX, SIZE_MAX, SIZE_MAX};
        viewer::LoadViewerFile(form_.memHTML(), form_.FilePath(), viewer::kWindowTextColor,
                               platform::SystemFileSystem(), unbounded);
        form_.SetStatusText(form_.FilePath().Text());
    }

private:
    app::TForm1 form_;
};

// One case in this process: prints size, first screen, whole, peak, answer, characters shown.
int OneCase(const std::wstring& name, bool whole) {
    Form form(ScratchFolder());
    app::TForm1& f = form.Get();
    const double before = WorkingSetMB(false);
    double first = 0, all = 0, answer = 0;
    {
        Prober prober(f.Handle());
        ::Sleep(30);
        bench::Stopwatch watch;
        form.Click(name, whole);
        PaintNow(f);
        first = watch.Seconds();
        RunUntil([&] { return !f.memHTML().Loading(); });
        PaintNow(f);
        all = watch.Seconds();
        answer = prober.Longest();
    }
    const bool ok = f.StatusText() == f.FilePath().Text();
    std::printf("%7.2f %7.2f %6.0f %6.0f %6.0f %7.0f %10ld%s\n", first, all, before, WorkingSetMB(false),
                WorkingSetMB(true), answer * 1e3, f.memHTML().TextLength(), ok ? "" : " (wrong)");
    return 0;
}

// A click on a small file while a large one is going in: how soon the small one is on screen.
int SwitchCase(const std::wstring& large, const std::wstring& small) {
    Form form(ScratchFolder());
    app::TForm1& f = form.Get();
    form.Click(large, false);
    PaintNow(f);
    bench::Stopwatch later;
    RunUntil([&] { return later.Seconds() > 1.0 || !f.memHTML().Loading(); });
    const LONG in = ::GetWindowTextLengthA(f.memHTML().Handle());
    bench::Stopwatch watch;
    form.Click(small, false);
    PaintNow(f);
    std::printf("  with %ld characters of it in the pane: %.3f s until the small file is on screen\n", in,
                watch.Seconds());
    return 0;
}

// HighlightText on a shown file whose every line holds a "q": selects the last one.
int HighlightCase(const std::wstring& name) {
    Form form(ScratchFolder());
    app::TForm1& f = form.Get();
    form.Click(name, false);
    f.memHTML().FinishLoading();
    HWND pane = f.memHTML().Handle();
    const int length = ::GetWindowTextLengthA(pane);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    bench::Timing getText = bench::BestTiming(3, [&] { ::GetWindowTextA(pane, text.data(), length + 1); });
    bench::Timing nearEnd = bench::BestTiming(3, [&] { viewer::HighlightText(f.memHTML(), "q"); });
    std::printf("  HighlightText \"q\" near the end of %d characters: %.2f ms (%.2fx one WM_GETTEXT of the text)\n",
                length, nearEnd.wall * 1e3, nearEnd.wall / getText.wall);
    return 0;
}

// Runs this program again for one case and waits for it; its figures go to the same console.
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
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argc == 4 && std::wcscmp(argv[1], L"--case") == 0) return OneCase(argv[2], std::wcscmp(argv[3], L"whole") == 0);
    if (argc == 4 && std::wcscmp(argv[1], L"--switch") == 0) return SwitchCase(argv[2], argv[3]);
    if (argc == 3 && std::wcscmp(argv[1], L"--highlight") == 0) return HighlightCase(argv[2]);
    const bool large = argc > 1 && std::wcscmp(argv[1], L"--large") == 0;

    const platform::Path folder = ScratchFolder();
    ::CreateDirectoryW(folder.c_str(), nullptr);
    std::vector<size_t> sizes = {1 * kMiB, 8 * kMiB, 32 * kMiB};
    if (large) sizes.push_back(200 * kMiB);
    const std::vector<std::string> kinds = {"lines", "oneline", "binary"};
    std::vector<platform::Path> written;
    for (const std::string& kind : kinds)
        for (size_t size : sizes) written.push_back(WriteFile(folder.Join(FileName(kind, size)), MakeFile(kind, size)));

    std::printf("A file clicked in the list of the main window, each case in a process of its own. first: seconds\n"
                "until the first screen is painted with the path in the status bar; whole: until all that is shown\n"
                "is in the pane; MB: the working set before the click, after the load, and its peak; answer: the longest wait, in\n"
                "ms, for the window's answer to a message sent every 10 ms during the load. \"whole at once\" is the\n"
                "baseline, measured in the same run: the same load with no bound and in one piece, as before.\n\n");
    std::printf("%-8s %-8s %-14s %7s %7s %6s %6s %6s %7s %10s\n", "file", "size", "way", "first", "whole", "MB:",
                "after", "peak", "answer", "chars");
    for (const std::string& kind : kinds) {
        for (size_t size : sizes) {
            const std::wstring name = FileName(kind, size);
            std::printf("%-8s %4zu MiB %-14s ", kind.c_str(), size / kMiB, "pieces, bound");
            InChild(L"--case " + name + L" pieces");
            // The baseline of one long line grows faster than its length (over ten seconds at 1 MiB);
            // random bytes take about 600 bytes of memory each (32 MiB would take 19 GB).
            const size_t baselineUpTo = kind == "oneline" ? 1 : kind == "binary" || !large ? 8 : 32;
            if (size <= baselineUpTo * kMiB) {
                std::printf("%-8s %4zu MiB %-14s ", kind.c_str(), size / kMiB, "whole at once");
                InChild(L"--case " + name + L" whole");
            }
        }
    }
    const size_t biggest = sizes.back();
    std::printf("\nA click on the 1 MiB text file one second after a click on the %zu MiB one:\n", biggest / kMiB);
    InChild(L"--switch " + FileName("lines", biggest) + L" " + FileName("lines", 1 * kMiB));
    InChild(L"--highlight " + FileName("lines", 8 * kMiB));
    for (const platform::Path& path : written) ::DeleteFileW(path.c_str());
    ::RemoveDirectoryW(folder.c_str());
    return 0;
}
