// Listing folders of 10,000 to 100,000 files into a real LISTBOX, beside a plain enumeration of
// the same folder: the listing should grow like the enumeration, not with the square of it. Then
// the main window's own file list pointed at the folder, until the window has painted and answers
// again: what a user waits.
#include "bench_util.h"

#include "app/main_form.h"
#include "browse/file_listing.h"
#include "browse/list_box_entries.h"
#include "platform/shell.h"
#include "platform/unique_handle.h"
#include "replace/rewrite_journal.h"
#include "widgets/application.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <stdexcept>
#include <string>

namespace {

// Distinct names in no particular order, of mixed letter case.
std::wstring FileName(unsigned i) {
    wchar_t name[32];
    std::swprintf(name, 32, L"%c%08x.txt", i % 3 ? L'f' : L'F', i * 2654435761u);
    return name;
}

// The benchmark's own paths are ASCII; only error texts need them narrow.
std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

void MakeFilesHere(const platform::Path& folder, unsigned from, unsigned to) {
    for (unsigned i = from; i < to; ++i) {
        const platform::Path path = folder.Join(FileName(i));
        platform::UniqueFile file{::CreateFileW(path.ForSystem().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                                FILE_ATTRIBUTE_NORMAL, nullptr)};
        if (!file) throw std::runtime_error("cannot create " + Narrow(path.Text()));
    }
}

// Wine looks through the whole folder for another letter case of every name it does not find,
// so each new file costs time in proportion to the folder and filling 100,000 takes hours.
// Under Wine the host's shell makes the files instead; it cannot be waited for, so it leaves a
// marker when done. False when not under Wine.
bool MakeFilesThroughHost(const platform::Path& folder, unsigned from, unsigned to) {
    using UnixFileName = char*(CDECL*)(LPCWSTR);
    auto unixFileName = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixFileName) return false;
    auto hostPath = [&](const std::wstring& path) {
        char* unix = unixFileName(path.c_str());
        if (!unix) throw std::runtime_error("no host path for " + Narrow(path));
        std::string text = unix;
        ::HeapFree(::GetProcessHeap(), 0, unix);
        if (text.find('\'') != std::string::npos) throw std::runtime_error("cannot quote " + text);
        return "'" + text + "'";
    };
    const std::wstring names = folder.Text() + L".names", done = folder.Text() + L".done";
    std::string list;
    for (unsigned i = from; i < to; ++i) list += Narrow(FileName(i)) + "\n";
    {
        platform::UniqueFile file{
            ::CreateFileW(names.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
        DWORD written = 0;
        if (!file || !::WriteFile(file.get(), list.data(), static_cast<DWORD>(list.size()), &written, nullptr))
            throw std::runtime_error("cannot write " + Narrow(names));
    }
    ::DeleteFileW(done.c_str());
    std::string command = "/bin/sh -c \"cd " + hostPath(folder.Text()) + " && xargs touch < " + hostPath(names) +
                          " && touch " + hostPath(folder.Text() + L".tmp") + " && mv " + hostPath(folder.Text() + L".tmp") +
                          " " + hostPath(done) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        throw std::runtime_error("cannot start the host's shell");
    if (process.hProcess) ::CloseHandle(process.hProcess);
    if (process.hThread) ::CloseHandle(process.hThread);
    while (::GetFileAttributesW(done.c_str()) == INVALID_FILE_ATTRIBUTES) ::Sleep(50);
    ::DeleteFileW(done.c_str());
    ::DeleteFileW(names.c_str());
    return true;
}

void MakeFiles(const platform::Path& folder, unsigned from, unsigned to) {
    if (!MakeFilesThroughHost(folder, from, to)) MakeFilesHere(folder, from, to);
}

void RemoveFiles(const platform::Path& folder, unsigned count) {
    for (unsigned i = 0; i < count; ++i) ::DeleteFileW(folder.Join(FileName(i)).ForSystem().c_str());
    ::RemoveDirectoryW(folder.ForSystem().c_str());
}

size_t Enumerate(const platform::Path& pattern) {
    size_t count = 0;
    WIN32_FIND_DATAW data;
    platform::UniqueFind find{::FindFirstFileW(pattern.ForSystem().c_str(), &data)};
    if (find) {
        do ++count;
        while (::FindNextFileW(find.get(), &data));
    }
    return count;
}

// A hidden top-level window with two list boxes: the one the program uses, without LBS_SORT,
// and for comparison one that sorts each entry in as it comes.
struct ListWindow {
    ListWindow() {
        frame.reset(::CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 600, 600, nullptr, nullptr,
                                      ::GetModuleHandleW(nullptr), nullptr));
        list = MakeList(0);
        sortedList = MakeList(LBS_SORT);
    }
    HWND MakeList(DWORD sort) const {
        return ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | sort,
                                 sort ? 300 : 0, 0, 280, 560, frame.get(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    }
    platform::UniqueHwnd frame;
    HWND list = nullptr;
    HWND sortedList = nullptr;
};

// Fills the sorting list box one entry at a time, in the order the enumeration finds them. That is
// name order on NTFS and under Wine, the sorting box's best case: each entry lands near the end.
void FillOneByOne(HWND sortedList, const platform::Path& pattern) {
    ::SendMessageW(sortedList, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(sortedList, LB_RESETCONTENT, 0, 0);
    WIN32_FIND_DATAW data;
    platform::UniqueFind find{::FindFirstFileW(pattern.ForSystem().c_str(), &data)};
    if (find) {
        do ::SendMessageW(sortedList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(data.cFileName));
        while (::FindNextFileW(find.get(), &data));
    }
    ::SendMessageW(sortedList, WM_SETREDRAW, TRUE, 0);
}

// The shown main window's file list is pointed at `folder`, coming from an empty folder; timed
// from the path text to the moment no message waits any more (the rows painted, icons and all).
bench::Timing ShowInForm(app::TForm1& form, widgets::Application& application, const platform::Path& folder,
                         const platform::Path& emptyFolder) {
    browse::FileListing& listing = form.FileListBox().Listing();
    bench::Timing best;
    for (int i = 0; i < 3; ++i) {
        listing.ApplyPathText(emptyFolder.Text());
        application.ProcessMessages();
        bench::Stopwatch wall;
        bench::CpuStopwatch cpu;
        listing.ApplyPathText(folder.Text());
        application.ProcessMessages();
        bench::Timing t{wall.Seconds(), cpu.Seconds()};
        if (i == 0 || t.wall < best.wall) best.wall = t.wall;
        if (i == 0 || t.cpu < best.cpu) best.cpu = t.cpu;
    }
    return best;
}

}  // namespace

int main() {
    wchar_t temp[MAX_PATH + 1];
    DWORD n = ::GetTempPathW(MAX_PATH + 1, temp);
    const platform::Path folder(std::wstring(temp, n) + L"zvbench-listing-" +
                                std::to_wstring(::GetCurrentProcessId()));
    if (!::CreateDirectoryW(folder.c_str(), nullptr)) {
        std::fprintf(stderr, "cannot create %s\n", Narrow(folder.Text()).c_str());
        return 1;
    }
    const platform::Path emptyFolder(folder.Text() + L"-empty");
    ::CreateDirectoryW(emptyFolder.c_str(), nullptr);
    const platform::Path saved = platform::SystemFileSystem().GetCurrentDirectory();
    unsigned made = 0;
    int status = 0;
    try {
        widgets::Application application{"Zavotek - Search & Replace"};
        app::TForm1 form{platform::SystemShell()};
        form.Show();
        application.ProcessMessages();
        ListWindow window;
        browse::ListBoxEntries entries{window.list};
        browse::FileListing listing{entries};
        listing.SetDirectory(folder);
        listing.SetMask(L"*.txt");
        const platform::Path pattern = folder.Join(L"*.txt");
        std::printf("Best of 3, wall clock (processor time of the process); the sorting list box is timed once.\n");
        std::printf("The main window's list: from the path text until the window answers again, best of 3.\n");
        std::printf("%8s  %22s  %22s  %18s  %6s  %22s  %6s  %17s  %16s\n", "files", "enumerate ms", "listing ms",
                    "listing us/file", "ratio", "main window ms", "ratio", "journal look ms", "LBS_SORT box ms");
        for (unsigned count : {10000u, 50000u, 100000u}) {
            MakeFiles(folder, made, count);
            made = count;
            bench::Timing enumerate = bench::BestTiming(3, [&] { Enumerate(pattern); });
            bench::Timing list = bench::BestTiming(3, [&] { listing.RefreshEntries(); });
            if (listing.Count() != static_cast<int>(count)) throw std::runtime_error("wrong number of entries");
            bench::Timing shown = ShowInForm(form, application, folder, emptyFolder);
            // The look for a stopped run's journal, which the main window's list makes before each read.
            bench::Timing look = bench::BestTiming(
                3, [&] { replace::FinishInterruptedRewrites(platform::SystemFileSystem(), folder); });
            if (form.FileListBox().Listing().Count() != static_cast<int>(count))
                throw std::runtime_error("wrong number of entries in the main window");
            std::printf("%8u  %10.1f (%9.1f)  %10.1f (%9.1f)  %7.2f (%7.2f)  %5.2fx  %10.1f (%9.1f)  %5.2fx", count,
                        enumerate.wall * 1e3, enumerate.cpu * 1e3, list.wall * 1e3, list.cpu * 1e3,
                        list.wall * 1e6 / count, list.cpu * 1e6 / count, list.wall / enumerate.wall,
                        shown.wall * 1e3, shown.cpu * 1e3, shown.wall / enumerate.wall);
            std::printf("  %8.2f (%4.1f%%)", look.wall * 1e3, 100 * look.wall / shown.wall);
            // One by one into a sorting list box takes minutes at 100,000 under Wine.
            if (count <= 50000) {
                bench::Stopwatch watch;
                FillOneByOne(window.sortedList, pattern);
                std::printf("  %16.1f", watch.Seconds() * 1e3);
            }
            std::printf("\n");
            std::fflush(stdout);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        status = 1;
    }
    ::SetCurrentDirectoryW(saved.c_str());
    RemoveFiles(folder, made);
    ::RemoveDirectoryW(emptyFolder.c_str());
    return status;
}
