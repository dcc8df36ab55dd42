#include "browse/list_box_entries.h"

#include "platform/errors.h"

namespace browse {

int ListBoxEntries::Count() const {
    LRESULT count = Send(LB_GETCOUNT);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

std::wstring ListBoxEntries::Text(int index) const {
    LRESULT length = index < 0 ? LB_ERR : Send(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length == LB_ERR) throw platform::errors::ListIndexOutOfBounds(index);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = Send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
    return text;
}

void ListBoxEntries::Clear() { Send(LB_RESETCONTENT); }

int ListBoxEntries::Append(const std::wstring& text) {
    LRESULT index = Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return index < 0 ? -1 : static_cast<int>(index);
}

int ListBoxEntries::Selected() const {
    LRESULT index = Send(LB_GETCURSEL);
    return index < 0 ? -1 : static_cast<int>(index);
}

bool ListBoxEntries::Select(int index) {
    // Clearing the selection reports LB_ERR although it succeeds.
    LRESULT result = Send(LB_SETCURSEL, static_cast<WPARAM>(index));
    return index == -1 ? listBox_ != nullptr : result != LB_ERR;
}

bool ListBoxEntries::HasWindow() const { return listBox_ && ::IsWindow(listBox_); }

void ListBoxEntries::BeginUpdate() {
    if (updates_++ == 0) Send(WM_SETREDRAW, FALSE);
}

void ListBoxEntries::EndUpdate() {
    if (--updates_ > 0) return;
    Send(WM_SETREDRAW, TRUE);
    if (listBox_) ::InvalidateRect(listBox_, nullptr, TRUE);
}

void ListBoxEntries::Reserve(int count, size_t textBytes) {
    Send(LB_INITSTORAGE, static_cast<WPARAM>(count), static_cast<LPARAM>(textBytes));
}

}  // namespace browse
