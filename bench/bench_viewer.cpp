// Loading text files of growing size into the viewer, beside reading the same file with ReadFile,
// and selecting a one-letter text whose last occurrence is near the end of the largest one.
#include "bench_util.h"

#include "platform/unique_handle.h"
#include "viewer/highlight_text.h"
#include "viewer/load_viewer_file.h"
#include "viewer/rich_viewer.h"

#include <windows.h>
#include <richedit.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Files in a fresh folder under the temporary folder, removed at the end.
class ScratchFiles {
public:
    ScratchFiles() {
        char base[MAX_PATH + 1];
        DWORD n = ::GetTempPathA(sizeof base, base);
        folder_ = std::string(base, n) + "zvbench-viewer-" + std::to_string(::GetCurrentProcessId());
        if (!::CreateDirectoryA(folder_.c_str(), nullptr)) throw std::runtime_error("Cannot create " + folder_);
    }
    ~ScratchFiles() {
        for (const std::string& path : paths_) ::DeleteFileA(path.c_str());
        ::RemoveDirectoryA(folder_.c_str());
    }
    std::string Write(const std::string& name, const std::string& bytes) {
        std::string path = folder_ + "\\" + name;
        platform::UniqueFile file{
            ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
        DWORD written = 0;
        if (!file || !::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
            throw std::runtime_error("Cannot write " + path);
        paths_.push_back(path);
        return path;
    }

private:
    std::string folder_;
    std::vector<std::string> paths_;
};

// Numbered lines of prose ending in CR LF; every line holds a "q".
std::string MakeText(size_t size) {
    std::string text;
    text.reserve(size + 128);
    for (size_t line = 0; text.size() < size; ++line)
        text += std::to_string(line) + " The quick brown fox jumps over the lazy dog, twice.\r\n";
    text.resize(size - 2);
    text += "\r\n";
    return text;
}

size_t ReadWhole(const std::string& path) {
    platform::UniqueFile file{::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr)};
    std::vector<char> buffer(bench::kMebibyte);
    size_t total = 0;
    DWORD read = 0;
    while (::ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) && read > 0)
        total += read;
    return total;
}

// One load of `path` into `pane`, on both clocks.
bench::Timing TimeLoad(viewer::RichViewer& pane, const std::string& path) {
    bench::Stopwatch wall;
    bench::CpuStopwatch cpu;
    viewer::LoadViewerFile(pane, path);
    return {wall.Seconds(), cpu.Seconds()};
}

}  // namespace

int main() {
    ScratchFiles files;
    platform::UniqueHwnd top{::CreateWindowExA(0, "STATIC", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640,
                                               480, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr)};
    ::SetForegroundWindow(top.get());
    std::unique_ptr<viewer::RichViewer> pane;
    auto freshPane = [&] {
        pane.reset();
        RECT client;
        ::GetClientRect(top.get(), &client);
        pane = std::make_unique<viewer::RichViewer>(top.get(), client, 1, 96);
    };

    // Processor time counts the work alone on a busy machine; wall time includes the waiting.
    std::printf("%4s %10s %10s %10s %12s %12s %10s\n", "MiB", "ReadFile", "load wall", "load cpu", "cpu rate",
                "cpu s/MiB", "/ReadFile");
    std::string largest;
    for (size_t mib : {1, 4, 16}) {
        const size_t bytes = mib * bench::kMebibyte;
        std::string path = files.Write(std::to_string(mib) + ".txt", MakeText(bytes));
        size_t sink = 0;
        bench::Timing read = bench::BestTiming(5, [&] { sink += ReadWhole(path); });
        // One load per size, each into a fresh pane: the control is slow to fill, and (under Wine)
        // slower still to empty, which the last line shows.
        freshPane();
        bench::Timing load = TimeLoad(*pane, path);
        std::printf("%4zu %7.2f ms %8.0f ms %8.0f ms %12s %12.2f %9.0fx\n", mib, read.wall * 1e3, load.wall * 1e3,
                    load.cpu * 1e3, bench::FormatRate(bytes, load.cpu).c_str(), load.cpu / mib, load.wall / read.wall);
        if (sink == 0 || ::GetWindowTextLengthA(pane->Handle()) != static_cast<int>(bytes))
            std::printf("(the pane does not hold the file)\n");
        largest = path;
    }

    // The 16 MiB file is in the pane. Every line holds a "q", so the documented passes would run
    // once for each character up to the last "q", each reading the whole text.
    HWND handle = pane->Handle();
    const int length = ::GetWindowTextLengthA(handle);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    bench::Timing getText = bench::BestTiming(3, [&] { ::GetWindowTextA(handle, text.data(), length + 1); });
    bench::Timing read = bench::BestTiming(5, [&] { ReadWhole(largest); });
    bench::Timing nearEnd = bench::BestTiming(5, [&] { viewer::HighlightText(*pane, "q"); });
    CHARRANGE selection{};
    ::SendMessageA(handle, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    bench::Timing absent = bench::BestTiming(3, [&] { viewer::HighlightText(*pane, "#"); });
    const double passes = static_cast<double>(selection.cpMin) + 1;

    std::printf("\nHighlightText on the 16 MiB file (%d characters)        wall        cpu\n", length);
    std::printf("  ReadFile of the file (baseline)                 %8.2f ms %8.2f ms\n", read.wall * 1e3,
                read.cpu * 1e3);
    std::printf("  the whole text through WM_GETTEXT                %8.2f ms %8.2f ms\n", getText.wall * 1e3,
                getText.cpu * 1e3);
    std::printf("  \"q\", selected at %ld, %ld from the end %8.2f ms %8.2f ms (%.2fx ReadFile)\n",
                selection.cpMin, length - selection.cpMin, nearEnd.wall * 1e3, nearEnd.cpu * 1e3,
                nearEnd.wall / read.wall);
    std::printf("  \"#\", absent: the whole text read once          %8.2f ms %8.2f ms (%.2fx WM_GETTEXT)\n",
                absent.wall * 1e3, absent.cpu * 1e3, absent.wall / getText.wall);
    std::printf("  documented passes for \"q\": %.0f, each reading the whole text: at least %.0f hours\n", passes,
                passes * getText.wall / 3600);

    const size_t small = bench::kMebibyte / 4;
    std::string smallPath = files.Write("small.txt", MakeText(small));
    freshPane();
    bench::Timing intoEmpty = TimeLoad(*pane, smallPath);
    bench::Timing overContent = TimeLoad(*pane, smallPath);
    std::printf("\n256 KiB into an empty pane: %.0f ms wall, %.0f ms cpu; over the same content again: %.0f ms "
                "wall, %.0f ms cpu\n",
                intoEmpty.wall * 1e3, intoEmpty.cpu * 1e3, overContent.wall * 1e3, overContent.cpu * 1e3);
    pane.reset();
    return 0;
}
