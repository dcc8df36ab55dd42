#pragma once
// What the listing tests share: a temporary folder, the current directory put back after each
// test, an in-memory list, a recording cursor, and the platform's own sorted list box as the
// reference for the order.
#include "browse/app_cursor.h"
#include "browse/file_listing.h"
#include "platform/unique_handle.h"
#include "support/memory_entry_list.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

namespace browse_test {

class CurrentDirectoryGuard {
public:
    CurrentDirectoryGuard() : saved_(platform::SystemFileSystem().GetCurrentDirectory()) {}
    ~CurrentDirectoryGuard() { platform::SystemFileSystem().SetCurrentDirectory(saved_); }
    CurrentDirectoryGuard(const CurrentDirectoryGuard&) = delete;
    CurrentDirectoryGuard& operator=(const CurrentDirectoryGuard&) = delete;
    const std::string& Saved() const { return saved_; }

private:
    std::string saved_;
};

// Remembers every cursor that the listing sets.
class RecordingCursor : public browse::AppCursor {
public:
    HCURSOR shown = reinterpret_cast<HCURSOR>(0x100);
    std::vector<HCURSOR> set;
    HCURSOR Current() override { return shown; }
    void Set(HCURSOR cursor) override {
        set.push_back(cursor);
        shown = cursor;
    }
    HCURSOR Wait() override { return reinterpret_cast<HCURSOR>(0x200); }
};

// A LISTBOX with LBS_SORT: what the platform itself makes of entries added one by one.
class SortedListBox {
public:
    SortedListBox()
        : window_(::CreateWindowExA(0, "LISTBOX", "", WS_POPUP | LBS_SORT | LBS_HASSTRINGS, 0, 0, 100, 100, nullptr,
                                    nullptr, ::GetModuleHandleA(nullptr), nullptr)) {}
    HWND Window() const { return window_.get(); }
    int Add(const std::string& text) const {
        return static_cast<int>(::SendMessageA(window_.get(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    std::vector<std::string> Entries() const {
        std::vector<std::string> entries;
        int count = static_cast<int>(::SendMessageA(window_.get(), LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[1024] = {};
            ::SendMessageA(window_.get(), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            entries.push_back(text);
        }
        return entries;
    }

private:
    platform::UniqueHwnd window_;
};

// Files and folders named with characters outside the ANSI code page, made through the wide
// calls as another program would make them. They go again before the temporary folder does,
// whose clean-up walks the ANSI names.
class WideNames {
public:
    explicit WideNames(const std::string& folder) : folder_(Wide(folder)) {}
    ~WideNames() {
        for (auto it = made_.rbegin(); it != made_.rend(); ++it)
            if (!::DeleteFileW(it->c_str())) ::RemoveDirectoryW(it->c_str());
    }
    // Makes the file and returns its short alias in the ANSI code page (the long name when the
    // volume keeps no aliases).
    std::string File(const std::wstring& name, const std::string& bytes) {
        const std::wstring path = Add(name);
        platform::UniqueFile file{::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)};
        DWORD written = 0;
        EXPECT_TRUE(file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
        return ShortName(path);
    }
    std::string Folder(const std::wstring& name) {
        const std::wstring path = Add(name);
        EXPECT_TRUE(::CreateDirectoryW(path.c_str(), nullptr));
        return ShortName(path);
    }

private:
    static std::wstring Wide(const std::string& text) {
        std::wstring wide(text.size(), L'\0');
        wide.resize(static_cast<size_t>(
            ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), static_cast<int>(wide.size()))));
        return wide;
    }
    std::wstring Add(const std::wstring& name) {
        made_.push_back(folder_ + L"\\" + name);
        return made_.back();
    }
    static std::string ShortName(const std::wstring& path) {
        wchar_t shortPath[MAX_PATH] = {};
        EXPECT_GT(::GetShortPathNameW(path.c_str(), shortPath, MAX_PATH), 0u);
        const wchar_t* name = std::wcsrchr(shortPath, L'\\') + 1;
        char ansi[MAX_PATH] = {};
        ::WideCharToMultiByte(CP_ACP, 0, name, -1, ansi, sizeof ansi, nullptr, nullptr);
        return ansi;
    }

    std::wstring folder_;
    std::vector<std::wstring> made_;
};

class ListingTest : public ::testing::Test {
protected:
    ListingTest() {
        listing.OnChange = [this] { ++reports; };
    }
    void Touch(const std::string& name) const { folder.WriteFile(name, ""); }
    void SetAttributes(const std::string& name, DWORD attributes) const {
        ASSERT_TRUE(::SetFileAttributesA(folder.PathOf(name).c_str(), attributes)) << name;
    }
    const std::vector<std::string>& Entries() const { return list.entries; }

    test_support::TempFolder folder;
    CurrentDirectoryGuard guard;  // destroyed first, so the folder is no longer current when it goes
    test_support::MemoryEntryList list;
    RecordingCursor cursor;
    browse::FileListing listing{list, platform::SystemFileSystem(), cursor};
    int reports = 0;
};

}  // namespace browse_test
