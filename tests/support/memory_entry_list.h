#pragma once
// An EntryList in memory, for listing tests that need no window; it can be told to refuse
// entries after a number of them and counts its update brackets.
#include "browse/entry_list.h"
#include "platform/errors.h"

#include <string>
#include <vector>

namespace test_support {

class MemoryEntryList : public browse::EntryList {
public:
    std::vector<std::wstring> entries;
    int selected = -1;
    bool hasWindow = true;
    size_t refuseAfter = static_cast<size_t>(-1);  // entries accepted before refusing
    int openUpdates = 0;                           // BeginUpdate calls not yet ended

    int Count() const override { return static_cast<int>(entries.size()); }
    std::wstring Text(int index) const override {
        if (index < 0 || index >= Count()) throw platform::errors::ListIndexOutOfBounds(index);
        return entries[static_cast<size_t>(index)];
    }
    void Clear() override {
        entries.clear();
        selected = -1;
    }
    int Append(const std::wstring& text) override {
        if (entries.size() >= refuseAfter) return -1;
        entries.push_back(text);
        return Count() - 1;
    }
    int Selected() const override { return selected; }
    bool Select(int index) override {
        if (index < -1 || index >= Count()) return false;
        selected = index;
        return true;
    }
    bool HasWindow() const override { return hasWindow; }
    void BeginUpdate() override { ++openUpdates; }
    void EndUpdate() override { --openUpdates; }
    void Reserve(int, size_t) override {}
};

}  // namespace test_support
