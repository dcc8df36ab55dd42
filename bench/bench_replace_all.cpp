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
#include <richedit.h>

#include <cstdio>
#include <cstdlib>
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

struct Folder {
    test_support::TempFolder folder;
    std::vector<std::string> paths;
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

double ReadAll(const std::vector<std::string>& paths) {
    bench::Stopwatch watch;
    size_t total = 0;
    for (const std::string& path : paths) total += test_support::ReadFileBytes(path).size();
    if (total == 0) std::printf("(nothing read)\n");
    return watch.Seconds();
}

struct RunResult {
    double seconds = 0;
    int loads = 0;
};

// One Replace All, clicked on the form, the global question and the completion answered with
// Enter; timed from the progress window's showing to its hiding.
RunResult RunThroughForm(app::TForm1& form, TimingProgressWindow& progress) {
    test_support::DialogDriver driver({test_support::DialogAnswer::Key(VK_RETURN),
                                       test_support::DialogAnswer::Key(VK_RETURN)},
                                      60000);
    LoadCounter counter;
    test_support::LeftClick(form.Panel1().Handle(), test_support::Centre(form.btnGlobReplace().Place()));
    if (!driver.Finish()) std::printf("dialog driver: %s\n", driver.Failure().c_str());
    return {progress.seconds, LoadCounter::loads};
}

}  // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    widgets::Application application("Zavotek - Search & Replace");
    Folder files;
    std::printf("Replace All over %d files of %zu KiB, one in %d holding the text; best of 3, wall seconds\n",
                kFiles, kFileSize / 1024, kMatchEvery);

    double read = 0, rewrite = 0, flush = 0, run = 0, runEvery = 0;
    int flushes = 0, loads = 0, loadsEvery = 0;
    TimingProgressWindow progress;
    app::TForm1 form(platform::SystemShell());
    form.SetProgressWindow(progress);
    form.Show();
    ::SetWindowTextA(form.edSearch(), kSearch);
    ::SetWindowTextA(form.edReplace(), kReplacement);
    form.SetFileTypeIndex(0);

    for (int round = 0; round < 3; ++round) {
        files.Fill();
        std::printf("filled\n");
        const double r = ReadAll(files.paths);

        FlushTimingFileSystem fs;
        bench::Stopwatch watch;
        for (const std::string& path : files.paths)
            replace::ReplaceInFile(path, kSearch, kReplacement, fs, platform::SystemCodePage());
        const double w = watch.Seconds();
        std::printf("read %.3f, rewritten %.3f\n", r, w);

        files.Fill();
        bench::Stopwatch listWatch;
        form.FileListBox().Listing().ApplyPathText(files.folder.Path() + "\\");
        application.ProcessMessages();
        std::printf("listed %d in %.3f\n", form.FileListBox().Listing().Count(), listWatch.Seconds());
        form.TickCount = [] { return ::GetTickCount(); };
        const RunResult paced = RunThroughForm(form, progress);

        // Every file shown: what the run would cost without passing over any.
        files.Fill();
        DWORD now = 0;
        form.TickCount = [&now] { return now += 1000; };
        const RunResult every = RunThroughForm(form, progress);

        std::printf("round %d: read %.3f, rewrite %.3f, run %.3f (%d shown), every shown %.3f (%d)\n", round + 1, r,
                    w, paced.seconds, paced.loads, every.seconds, every.loads);
        // Only the first and the last file shown: the run's cost outside the viewer.
        files.Fill();
        form.TickCount = [] { return DWORD{0}; };
        const RunResult bare = RunThroughForm(form, progress);
        std::printf("  first and last shown only: %.3f (%d)\n", bare.seconds, bare.loads);

        if (round == 0 || r < read) read = r;
        if (round == 0 || w < rewrite) rewrite = w, flush = fs.seconds, flushes = fs.count;
        if (round == 0 || paced.seconds < run) run = paced.seconds, loads = paced.loads;
        if (round == 0 || every.seconds < runEvery) runEvery = every.seconds, loadsEvery = every.loads;
    }

    // The single steps of the run, on one matching file shown in the form.
    const std::string one = files.paths[0];
    const double show = bench::BestOf(5, [&] {
        for (int i = 0; i < 10; ++i) {
            viewer::LoadViewerFile(form.memHTML(), one);
            form.SetStatusText(one);
            form.memHTML().SetFontColor(RGB(255, 0, 0));
        }
    }) / 10;
    const double highlight = bench::BestOf(5, [&] {
        for (int i = 0; i < 10; ++i) viewer::HighlightText(form.memHTML(), kReplacement);
    }) / 10;
    const double pump = bench::BestOf(5, [&] {
        for (int i = 0; i < 1000; ++i) application.ProcessMessages();
    }) / 1000;
    const double select = bench::BestOf(3, [&] {
        for (int i = 0; i < kFiles; ++i) {
            form.FileListBox().Listing().SelectIndex(i);
            application.ProcessMessages();
        }
    }) / kFiles;
    const double selectOnly = bench::BestOf(3, [&] {
        for (int i = 0; i < kFiles; ++i) form.FileListBox().Listing().SelectIndex(i);
    }) / kFiles;
    std::printf("select without pump %.3f ms\n", selectOnly * 1e3);

    std::printf("%-46s %8.3f\n", "reading every file", read);
    std::printf("%-46s %8.3f  (%d flushes: %.3f s)\n", "ReplaceInFile alone over every file", rewrite, flushes,
                flush);
    std::printf("%-46s %8.3f  %5.2fx the rewrites  (%d files shown)\n", "Replace All through the window", run,
                run / rewrite, loads);
    std::printf("%-46s %8.3f  %5.2fx the rewrites  (%d files shown)\n", "  the same, every file shown", runEvery,
                runEvery / rewrite, loadsEvery);
    std::printf("single steps, ms: show a file (load, status, red) %.2f, highlight %.2f, empty pump %.3f, "
                "select an entry and paint %.3f\n",
                show * 1e3, highlight * 1e3, pump * 1e3, select * 1e3);
    std::printf("run estimate, s: rewrites %.3f + shows %.3f + highlights %.3f + pumps (2 a file) %.3f + "
                "selections %.3f\n",
                rewrite, loads * show, loads * highlight, 2 * kFiles * pump, kFiles * select);
    return 0;
}
