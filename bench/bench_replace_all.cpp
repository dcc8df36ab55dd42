// Replace All through the real main window over 1,000 files of 64 KiB, one in ten holding the
// search text, beside ReplaceInFile alone over the same files, the run's queue alone with one to
// three threads, and only reading them; and where the run's time goes: rewrites, flushes, viewer
// loads and highlights, the message pump.
// Then over a real folder, the system's C headers, "the" in most of them.
//   bench_replace_all                           the figures alone
//   bench_replace_all --sets <folder>           writes both sets of files there, and each set's texts
//   bench_replace_all --sets <folder> --sed <synthetic seconds> <headers seconds>
//       the figures beside sed -i's over the same sets (scripts/bench measures sed and passes them)
#include "bench_util.h"

#include "app/main_form.h"
#include "app/progress_window.h"
#include "platform/shell.h"
#include "replace/replace_all_ignoring_case.h"
#include "replace/replace_in_file.h"
#include "replace/rewrite_journal.h"
#include "replace/rewrite_queue.h"
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

// One set of files to run over: names, contents and the two texts.
struct FileSet {
    const char* name;
    std::string search, replacement;
    std::vector<std::pair<std::string, std::string>> files;
    size_t Bytes() const {
        size_t bytes = 0;
        for (const auto& file : files) bytes += file.second.size();
        return bytes;
    }
};

FileSet Synthetic() {
    FileSet set{"synthetic", kSearch, kReplacement, {}};
    const std::string plain = MakeText(false), matching = MakeText(true);
    for (int i = 0; i < kFiles; ++i) set.files.emplace_back(FileName(i), i % kMatchEvery == 0 ? matching : plain);
    return set;
}

size_t FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

// A real folder of text: the system's C headers (under Wine, drive Z: is the Linux root), in the
// order of their paths, each up to 64 KiB, as many as make some 1,900 files and 28 MB.
void AddHeaders(const std::wstring& folder, FileSet& set) {
    constexpr size_t kMaxFiles = 1905, kMaxBytes = 28 * 1000 * 1000, kMaxFileBytes = 64 * 1024;
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    platform::UniqueFind find{::FindFirstFileW((folder + L"\\*").c_str(), &data)};
    if (!find) return;
    do names.push_back(data.cFileName);
    while (::FindNextFileW(find.get(), &data));
    std::sort(names.begin(), names.end());
    for (const std::wstring& name : names) {
        if (set.files.size() >= kMaxFiles || set.Bytes() >= kMaxBytes) return;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + L"\\" + name;
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            AddHeaders(path, set);
        } else if (name.size() > 2 && name.compare(name.size() - 2, 2, L".h") == 0 &&
                   FileSize(path) <= kMaxFileBytes) {
            char number[16];
            std::snprintf(number, sizeof number, "%04zu-", set.files.size());
            set.files.emplace_back(number + test_support::Utf8Name(name.substr(0, name.size() - 2)) + ".txt",
                                   test_support::ReadFileBytes(platform::Path(path)));
        }
    }
}

FileSet Headers() {
    FileSet set{"headers", "the", "thy", {}};
    AddHeaders(L"Z:\\usr\\include", set);
    return set;
}

struct BenchFiles {
    explicit BenchFiles(const FileSet& set) : set_(set) {}
    test_support::TempFolder folder;
    std::vector<platform::Path> paths;

    // Every file written and on the disk, as sed's copies are before sed is timed: a run that
    // flushes must not wait for the writing of the set itself.
    void Fill() {
        paths.clear();
        for (const auto& file : set_.files) paths.push_back(folder.WriteFile(file.first, file.second));
        for (const platform::Path& path : paths) {
            platform::UniqueFile file{::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                                    FILE_ATTRIBUTE_NORMAL, nullptr)};
            ::FlushFileBuffers(file.get());
        }
    }

private:
    const FileSet& set_;
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

// The run's queue alone, without a window: every file added as room allows, each group put in
// place in order as it comes back, its records written together first.
double QueueAlone(BenchFiles& files, const platform::Path& journalFolder, const std::string& search,
                  const std::string& replacement, size_t threads) {
    double best = 0;
    for (int round = 0; round < 3; ++round) {
        files.Fill();
        bench::Stopwatch watch;
        replace::RewriteJournal journal(platform::SystemFileSystem(), journalFolder);
        replace::RewriteQueue queue(platform::SystemFileSystem(), platform::SystemCodePage(), search, replacement,
                                    threads);
        queue.Run({files.paths.size(), [] { return false; },
                   [&](size_t index) { return std::optional(files.paths[index]); },
                   [&](std::vector<replace::RewriteQueue::Prepared>& group) {
                       std::vector<const replace::Rewrite*> rewrites;
                       for (const auto& prepared : group) {
                           if (prepared.error) std::rethrow_exception(prepared.error);
                           rewrites.push_back(prepared.rewrite.get());
                       }
                       journal.Write(rewrites);
                       for (auto& prepared : group) prepared.rewrite->Commit(journal);
                   },
                   [] {}});
        const double seconds = watch.Seconds();
        if (round == 0 || seconds < best) best = seconds;
    }
    return best;
}

// The floor under a run: the same file calls with no search and no journal, best of three. Each
// file is opened, read whole and, where the run changes it, its new bytes are written in place
// and flushed; then it is closed.
double Floor(BenchFiles& files, const FileSet& set) {
    std::vector<std::string> changed;
    for (const auto& file : set.files) {
        std::string now = replace::ReplaceAllIgnoringCase(file.second, set.search, set.replacement,
                                                         platform::SystemCodePage());
        changed.push_back(now == file.second ? std::string() : std::move(now));
    }
    double best = 0;
    for (int round = 0; round < 3; ++round) {
        files.Fill();
        bench::Stopwatch watch;
        for (size_t i = 0; i < files.paths.size(); ++i) {
            platform::UniqueFile file{::CreateFileW(files.paths[i].c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
            std::string bytes(set.files[i].second.size(), '\0');
            DWORD done = 0;
            ::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
            if (changed[i].empty()) continue;
            ::SetFilePointer(file.get(), 0, nullptr, FILE_BEGIN);
            ::WriteFile(file.get(), changed[i].data(), static_cast<DWORD>(changed[i].size()), &done, nullptr);
            ::SetEndOfFile(file.get());
            ::FlushFileBuffers(file.get());
        }
        const double seconds = watch.Seconds();
        if (round == 0 || seconds < best) best = seconds;
    }
    return best;
}

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

// Each set in a folder of its own, with its two texts beside it, for sed to run over.
void WriteSets(const std::string& where, const std::vector<FileSet>& sets) {
    const platform::Path root = platform::Path::FromAnsi(where);
    for (const FileSet& set : sets) {
        const platform::Path folder = root.Join(test_support::WideName(set.name));
        test_support::MakeFolderAt(folder);
        for (const auto& file : set.files) test_support::WriteFileBytes(folder.Join(test_support::WideName(file.first)), file.second);
        test_support::WriteFileBytes(root.Join(test_support::WideName(std::string(set.name) + ".texts")),
                                     set.search + " " + set.replacement + "\n");
    }
}

// Best of three Replace All runs over a set, the texts typed into the form first.
double BestRun(app::TForm1& form, TimingProgressWindow& progress, BenchFiles& files, const FileSet& set) {
    ::SetWindowTextA(form.edSearch(), set.search.c_str());
    ::SetWindowTextA(form.edReplace(), set.replacement.c_str());
    form.TickCount = [] { return ::GetTickCount(); };
    double best = 0;
    for (int round = 0; round < 3; ++round) {
        files.Fill();
        const double seconds = RunThroughForm(form, progress, false).seconds;
        if (round == 0 || seconds < best) best = seconds;
    }
    return best;
}

// An undo of a Replace All over the set, chosen from the window's system menu and confirmed; timed
// from the progress window's showing to its hiding, best of three, each after a run of its own.
double BestUndo(app::TForm1& form, TimingProgressWindow& progress, BenchFiles& files) {
    double best = 0;
    for (int round = 0; round < 3; ++round) {
        files.Fill();
        RunThroughForm(form, progress, false);
        test_support::DialogDriver driver({test_support::DialogAnswer::Key(VK_RETURN),
                                           test_support::DialogAnswer::Key(VK_RETURN)},
                                          60000);
        ::SendMessageW(form.Handle(), WM_SYSCOMMAND, app::kUndoCommand, 0);
        if (!driver.Finish()) std::printf("dialog driver: %s\n", driver.Failure().c_str());
        if (round == 0 || progress.seconds < best) best = progress.seconds;
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::vector<FileSet> sets = {Synthetic(), Headers()};
    if (args.size() == 2 && args[0] == "--sets") {
        WriteSets(args[1], sets);
        return 0;
    }
    const bool withSed = args.size() == 5 && args[2] == "--sed";
    widgets::Application application("Zavotek - Search & Replace");
    BenchFiles files(sets[0]);
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
            replace::ReplaceInFile(path, kSearch, kReplacement, form.JournalFolder(), fs, platform::SystemCodePage());
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
            replace::ReplaceInFile(path, kSearch, kReplacement, form.JournalFolder());
            application.ProcessMessages();
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
    for (size_t threads = 1; threads <= 3; ++threads)
        std::printf("  the run's queue alone, %zu thread(s)%*s %7.3f\n", threads, 17, "",
                    QueueAlone(files, form.JournalFolder(), kSearch, kReplacement, threads));
    std::printf("  %-44s %7.3f\n", "reading the texts and Confirm once a file", reads);
    std::printf("  single steps, ms: show a file (load, status, red, paint) %.1f, highlight %.1f, empty pump %.3f, "
                "select an entry and paint %.2f\n",
                show * 1e3, highlight * 1e3, pump * 1e3, select * 1e3);

    // The real folder, and both beside sed -i over the same files.
    BenchFiles headers(sets[1]);
    headers.Fill();
    form.FileListBox().Listing().ApplyPathText(headers.folder.Path().Text() + L"\\");
    const double headerRun = BestRun(form, progress, headers, sets[1]);
    const double headerUndo = BestUndo(form, progress, headers);
    headers.Fill();
    bench::Stopwatch headerWatch;
    for (const platform::Path& path : headers.paths)
        replace::ReplaceInFile(path, sets[1].search, sets[1].replacement, form.JournalFolder());
    const double headerRewrites = headerWatch.Seconds();
    headers.Fill();
    const RunResult headerInside = RunThroughForm(form, progress, true);
    for (size_t threads = 1; threads <= 3; ++threads)
        std::printf("  the run's queue alone over the headers, %zu thread(s): %.3f\n", threads,
                    QueueAlone(headers, form.JournalFolder(), sets[1].search, sets[1].replacement, threads));
    std::printf("Replace All of \"%s\" over %zu C headers, %.1f MB: %.3f s (best of 3); ReplaceInFile alone %.3f; "
                "instrumented %.3f, %d shown, in the list %.3f\n",
                sets[1].search.c_str(), sets[1].files.size(), sets[1].Bytes() / 1e6, headerRun, headerRewrites,
                headerInside.seconds, headerInside.loads, headerInside.list);
    std::printf("its undo, from the system menu: %.3f s (best of 3), %.2fx the run\n", headerUndo,
                headerUndo / headerRun);
    const double floors[] = {Floor(files, sets[0]), Floor(headers, sets[1])};
    if (withSed) {
        const double sed[] = {std::atof(args[3].c_str()), std::atof(args[4].c_str())};
        const double runs[] = {paced.seconds, headerRun};
        std::printf("Replace All through the window beside sed -i's median over the same files, and the floor under it (the\n"
                    "same file calls: open, read, write in place, flush, close; no search, no journal), in this run:\n");
        for (int i = 0; i < 2; ++i)
            std::printf("  %-10s %7.3f s against %7.3f s: %5.2fx sed -i; floor %7.3f s, the run %5.2fx it\n",
                        sets[static_cast<size_t>(i)].name, runs[i], sed[i], runs[i] / sed[i], floors[i],
                        runs[i] / floors[i]);
    } else {
        std::printf("floor (the same file calls, no search): synthetic %.3f s, headers %.3f s\n", floors[0], floors[1]);
        std::printf("(scripts/bench replace_all sets these beside sed -i over the same files)\n");
    }
    // The listing made the folder the current one, which keeps it from being removed.
    ::SetCurrentDirectoryW(files.folder.Path().Join(L"..").c_str());
    return 0;
}
