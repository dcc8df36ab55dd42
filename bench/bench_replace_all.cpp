// Replace All through the real main window over 1,000 files of 64 KiB, one in ten holding the
// search text, beside ReplaceInFile alone over the same files and beside only reading them; and
// where the run's time goes: rewrites, flushes, viewer loads and highlights, the message pump.
#include "bench_util.h"

#include "app/main_form.h"
#include "app/progress_window.h"
#include "platform/shell.h"
#include "replace/replace_in_file.h"
#include "support/dialog_driver.h"
#include "support/forwarding_file_system.h"
#include "support/temp_folder.h"
#include "support/window_driving.h"
#include "viewer/highlight_text.h"
#include "viewer/load_viewer_file.h"
#include "widgets/application.h"

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

const int kFiles = std::getenv("ZV_FILES") ? std::atoi(std::getenv("ZV_FILES")) : 1000;
constexpr size_t kFileSize = 64 * 1024;
constexpr int kMatchEvery = 10;
constexpr const char* kSearch = "NeedLE";
constexpr const char* kReplacement = "pin";

std::string FileName(int i) {
    char name[32];
    std::snprintf(name, sizeof name, "file%04d.txt", i);
    return name;
}

// Numbered lines of prose; a file that matches holds the search text in a few lines.
std::string MakeText(bool matches) {
    std::string text;
    text.reserve(kFileSize + 128);
    for (size_t line = 0; text.size() < kFileSize; ++line) {
        text += std::to_string(line) + " The quick brown fox jumps over the lazy dog";
        text += matches && line % 200 == 7 ? std::string(", a needle here.\r\n") : std::string(", twice.\r\n");
    }
    text.resize(kFileSize - 2);
    return text + "\r\n";
}

struct BenchFiles {
    test_support::TempFolder folder;
    std::vector<platform::Path> paths;
    const std::string plain = MakeText(false), matching = MakeText(true);

    void Fill() {
        paths.clear();
        for (int i = 0; i < kFiles; ++i)
            paths.push_back(folder.WriteFile(FileName(i), i % kMatchEvery == 0 ? matching : plain));
    }
};

// The real file system, timing the flushes that the rewrites ask for.
class FlushTimingFileSystem final : public test_support::ForwardingFileSystem {
public:
    bool FlushFileBuffers(HANDLE file) override {
        bench::Stopwatch watch;
        bool ok = ForwardingFileSystem::FlushFileBuffers(file);
        seconds += watch.Seconds();
        ++count;
        return ok;
    }
    double seconds = 0;
    int count = 0;
};

// Stands in for the animated window; marks when the run starts and ends.
class TimingProgressWindow : public app::ProgressWindow {
public:
    void Show() override { watch = bench::Stopwatch(); }
    void Hide() override { seconds = watch.Seconds(); }
    bench::Stopwatch watch;
    double seconds = 0;
};

// Counts what the viewer is asked to do during a run: plain-text loads into the pane.
class LoadCounter {
public:
    LoadCounter() : hook_(::SetWindowsHookExA(WH_CALLWNDPROC, Count, nullptr, ::GetCurrentThreadId())) { loads = 0; }
    ~LoadCounter() { ::UnhookWindowsHookEx(hook_); }
    static inline int loads = 0;

private:
    static LRESULT CALLBACK Count(int code, WPARAM wParam, LPARAM lParam) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && sent->message == EM_STREAMIN && (sent->wParam & SF_TEXT)) ++loads;
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK hook_;
};

// Time spent inside one window's procedure (outermost calls only), painting and all.
class TimeInside {
public:
    explicit TimeInside(HWND window) : window_(window) {
        ::SetWindowSubclass(window_, Procedure, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
    }
    ~TimeInside() { ::RemoveWindowSubclass(window_, Procedure, reinterpret_cast<UINT_PTR>(this)); }
    double seconds = 0;

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR data) {
        auto* self = reinterpret_cast<TimeInside*>(data);
        if (self->depth_++ > 0) {
            LRESULT result = ::DefSubclassProc(hwnd, message, wParam, lParam);
            --self->depth_;
            return result;
        }
        bench::Stopwatch watch;
        LRESULT result = ::DefSubclassProc(hwnd, message, wParam, lParam);
        self->seconds += watch.Seconds();
        --self->depth_;
        return result;
    }
    HWND window_;
    int depth_ = 0;
};

double ReadAll(const std::vector<platform::Path>& paths) {
    bench::Stopwatch watch;
    size_t total = 0;
    for (const platform::Path& path : paths) total += test_support::ReadFileBytes(path).size();
    if (total == 0) std::printf("(nothing read)\n");
    return watch.Seconds();
}

struct RunResult {
    double seconds = 0;
    int loads = 0;
    double list = 0;  // time inside the list's window procedure
};

// One Replace All, clicked on the form, the global question and the completion answered with
// Enter; timed from the progress window's showing to its hiding. Looking inside the list costs a
// window-property look-up per message and a hook per sent message, which under Wine slows the run
// several times over: only an instrumented run says where the time goes.
RunResult RunThroughForm(app::TForm1& form, TimingProgressWindow& progress, bool instrumented) {
    test_support::DialogDriver driver({test_support::DialogAnswer::Key(VK_RETURN),
                                       test_support::DialogAnswer::Key(VK_RETURN)},
                                      60000);
    // The viewer's pane is a fresh window for every file it shows, so only the list is looked into.
    std::optional<LoadCounter> counter;
    std::optional<TimeInside> list;
    if (instrumented) {
        counter.emplace();
        list.emplace(form.FileListBox().Handle());
    }
    test_support::LeftClick(form.Panel1().Handle(), test_support::Centre(form.btnGlobReplace().Place()));
    if (!driver.Finish()) std::printf("dialog driver: %s\n", driver.Failure().c_str());
    if (!instrumented) return {progress.seconds, -1, 0};
    return {progress.seconds, LoadCounter::loads, list->seconds};
}

}  // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    widgets::Application application("Zavotek - Search & Replace");
    BenchFiles files;
    TimingProgressWindow progress;
    app::TForm1 form(platform::SystemShell());
    form.SetProgressWindow(progress);
    form.Show();
    ::SetWindowTextA(form.edSearch(), kSearch);
    ::SetWindowTextA(form.edReplace(), kReplacement);
    form.SetFileTypeIndex(0);
    files.Fill();
    form.FileListBox().Listing().ApplyPathText(files.folder.Path().Text() + L"\\");

    // Best of three of each, wall seconds.
    double read = 0, rewrite = 0, flush = 0;
    int flushes = 0;
    RunResult paced, bare;
    for (int round = 0; round < 3; ++round) {
        files.Fill();
        const double r = ReadAll(files.paths);
        if (round == 0 || r < read) read = r;

        FlushTimingFileSystem fs;
        bench::Stopwatch watch;
        for (const platform::Path& path : files.paths)
            replace::ReplaceInFile(path, kSearch, kReplacement, fs, platform::SystemCodePage());
        const double w = watch.Seconds();
        if (round == 0 || w < rewrite) rewrite = w, flush = fs.seconds, flushes = fs.count;

        files.Fill();
        form.TickCount = [] { return ::GetTickCount(); };
        const RunResult p = RunThroughForm(form, progress, false);
        if (round == 0 || p.seconds < paced.seconds) paced = p;

        // The clock stands still: only the first and the last file are shown.
        files.Fill();
        form.TickCount = [] { return DWORD{0}; };
        const RunResult b = RunThroughForm(form, progress, false);
        if (round == 0 || b.seconds < bare.seconds) bare = b;
    }
    // Once more, looking inside: how many files were shown and where the time went.
    files.Fill();
    form.TickCount = [] { return ::GetTickCount(); };
    const RunResult inside = RunThroughForm(form, progress, true);

    // Every file shown, once: what the run would cost if it passed over none.
    RunResult every;
    if (std::getenv("ZV_EVERY")) {
        files.Fill();
        DWORD now = 0;
        form.TickCount = [&now] { return now += 1000; };
        every = RunThroughForm(form, progress, false);
    }

    // Single steps on one rewritten file.
    const platform::Path one = files.paths[0];
    const double show = bench::BestOf(3, [&] {
        for (int i = 0; i < 10; ++i) {
            viewer::LoadViewerFile(form.memHTML(), one, RGB(255, 0, 0));
            form.SetStatusText(one.Text());
            application.ProcessMessages();
        }
    }) / 10;
    const double highlight = bench::BestOf(3, [&] {
        for (int i = 0; i < 10; ++i) viewer::HighlightText(form.memHTML(), kReplacement);
    }) / 10;
    const double pump = bench::BestOf(3, [&] {
        for (int i = 0; i < 1000; ++i) application.ProcessMessages();
    }) / 1000;
    const int selections = std::min(kFiles, 100);
    const double select = bench::BestOf(3, [&] {
        for (int i = 0; i < selections; ++i) {
            form.FileListBox().Listing().SelectIndex(i);
            application.ProcessMessages();
        }
    }) / selections;

    // The run's own steps around each rewrite, without the viewer and the list.
    files.Fill();
    const double pumped = bench::BestOf(1, [&] {
        for (const platform::Path& path : files.paths) {
            replace::ReplaceInFile(path, kSearch, kReplacement, [&] { application.ProcessMessages(); });
            application.ProcessMessages();
        }
    });
    const double reads = bench::BestOf(3, [&] {
        for (int i = 0; i < kFiles; ++i) {
            if (form.SearchText().empty() || form.ReplaceText().empty() || form.WarnTicked() ||
                !::IsWindow(form.Handle()))
                std::printf("?");
        }
    });

    std::printf("Replace All over %d files of %zu KiB, one in %d holding the text (wall seconds, best of 3)\n",
                kFiles, kFileSize / 1024, kMatchEvery);
    std::printf("  %-44s %7.3f\n", "reading every file", read);
    std::printf("  %-44s %7.3f  (%d flushes, %.3f s of it)\n", "ReplaceInFile alone over every file", rewrite,
                flushes, flush);
    auto line = [&](const char* name, const RunResult& r) {
        std::printf("  %-44s %7.3f  %6.2fx the rewrites\n", name, r.seconds, r.seconds / rewrite);
    };
    line("Replace All through the window", paced);
    line("  only the first and last file shown", bare);
    if (std::getenv("ZV_EVERY")) line("  every file shown", every);
    else std::printf("  (every file shown: set ZV_EVERY=1)\n");
    std::printf("  %-44s %7.3f  %d shown; in the list %.3f, the rest %.3f\n",
                "the same run, instrumented (slower)", inside.seconds, inside.loads, inside.list,
                inside.seconds - inside.list);
    std::printf("  %-44s %7.3f\n", "ReplaceInFile with the run's two pumps a file", pumped);
    std::printf("  %-44s %7.3f\n", "reading the texts and Confirm once a file", reads);
    std::printf("  single steps, ms: show a file (load, status, red, paint) %.1f, highlight %.1f, empty pump %.3f, "
                "select an entry and paint %.2f\n",
                show * 1e3, highlight * 1e3, pump * 1e3, select * 1e3);
    // The listing made the folder the current one, which keeps it from being removed.
    ::SetCurrentDirectoryW(files.folder.Path().Join(L"..").c_str());
    return 0;
}
