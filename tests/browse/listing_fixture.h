#pragma once
// What the listing tests share: a temporary folder, the current directory put back after each
// test, an in-memory list, a recording cursor, and the platform's own sorted list box as the
// reference for the order.
#include "browse/file_listing.h"
#include "platform/app_cursor.h"
#include "platform/unique_handle.h"
#include "support/memory_entry_list.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace browse_test {

class CurrentDirectoryGuard {
public:
    CurrentDirectoryGuard() : saved_(platform::SystemFileSystem().GetCurrentDirectory()) {}
    ~CurrentDirectoryGuard() { platform::SystemFileSystem().SetCurrentDirectory(saved_); }
    CurrentDirectoryGuard(const CurrentDirectoryGuard&) = delete;
    CurrentDirectoryGuard& operator=(const CurrentDirectoryGuard&) = delete;
    const platform::Path& Saved() const { return saved_; }

private:
    platform::Path saved_;
};

// Remembers every cursor that the listing sets.
class RecordingCursor : public platform::AppCursor {
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
        : window_(::CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP | LBS_SORT | LBS_HASSTRINGS, 0, 0, 100, 100, nullptr,
                                    nullptr, ::GetModuleHandleW(nullptr), nullptr)) {}
    HWND Window() const { return window_.get(); }
    int Add(const std::wstring& text) const {
        return static_cast<int>(::SendMessageW(window_.get(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    std::vector<std::wstring> Entries() const {
        std::vector<std::wstring> entries;
        int count = static_cast<int>(::SendMessageW(window_.get(), LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t text[1024] = {};
            ::SendMessageW(window_.get(), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            entries.push_back(text);
        }
        return entries;
    }

private:
    platform::UniqueHwnd window_;
};

class ListingTest : public ::testing::Test {
protected:
    ListingTest() {
        listing.OnChange = [this] { ++reports; };
    }
    void Touch(const std::string& name) const { folder.WriteFile(name, ""); }
    void SetAttributes(const std::string& name, DWORD attributes) const {
        ASSERT_TRUE(::SetFileAttributesW(folder.PathOf(name).c_str(), attributes)) << name;
    }
    const std::vector<std::wstring>& Entries() const { return list.entries; }

    test_support::TempFolder folder;
    CurrentDirectoryGuard guard;  // destroyed first, so the folder is no longer current when it goes
    test_support::MemoryEntryList list;
    RecordingCursor cursor;
    browse::FileListing listing{list, platform::SystemFileSystem(), cursor};
    int reports = 0;
};

}  // namespace browse_test
