#pragma once
// The entries of a platform LISTBOX. The list box must not have LBS_SORT: the listing hands the
// entries over in order, and a sorted list box would search and shift on every insert.
#include "browse/entry_list.h"

#include <windows.h>

namespace browse {

class ListBoxEntries final : public EntryList {
public:
    // The list box may come later (and be re-created); until then the list has no window.
    explicit ListBoxEntries(HWND listBox = nullptr) noexcept : listBox_(listBox) {}
    void SetWindow(HWND listBox) noexcept { listBox_ = listBox; }
    HWND Window() const noexcept { return listBox_; }

    int Count() const override;
    std::wstring Text(int index) const override;
    void Clear() override;
    int Append(const std::wstring& text) override;
    int Selected() const override;
    bool Select(int index) override;
    bool HasWindow() const override;
    void BeginUpdate() override;
    void EndUpdate() override;
    void Reserve(int count, size_t textBytes) override;

private:
    LRESULT Send(UINT message, WPARAM w = 0, LPARAM l = 0) const {
        return listBox_ ? ::SendMessageW(listBox_, message, w, l) : LB_ERR;
    }

    HWND listBox_;
    int updates_ = 0;
};

}  // namespace browse
