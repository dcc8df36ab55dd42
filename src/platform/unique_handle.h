#pragma once
// Move-only owners for the kinds of Windows handle, and the COM objects, the program holds.
#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace platform {

// `Close` is the function that gives the handle back; `kEmpty` is the value of no handle, as a
// number, since INVALID_HANDLE_VALUE cannot be a template argument (-1 for files and find
// handles, null for the rest).
template <typename Handle, auto Close, LONG_PTR kEmpty = 0>
class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle h) noexcept : handle_(h) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Empty(); }
    // A COM object's members.
    Handle operator->() const noexcept { return handle_; }
    // Where a function that hands out a handle through a pointer (QueryInterface's void**) puts it.
    void** put() noexcept {
        reset();
        return reinterpret_cast<void**>(&handle_);
    }

    Handle release() noexcept { return std::exchange(handle_, Empty()); }
    // Keeps the thread's last error: an owner often lets go between a failing call and the
    // caller that reports it as Win32 does, and a close may set an error of its own.
    void reset(Handle h = Empty()) noexcept {
        Handle old = std::exchange(handle_, h);
        if (old == Empty()) return;
        const DWORD error = ::GetLastError();
        Close(old);
        ::SetLastError(error);
    }

private:
    static Handle Empty() noexcept { return reinterpret_cast<Handle>(kEmpty); }

    Handle handle_ = Empty();
};

using UniqueFile = UniqueHandle<HANDLE, &::CloseHandle, -1>;
using UniqueFind = UniqueHandle<HANDLE, &::FindClose, -1>;
// A process's token, and the other kernel objects whose empty value is null.
using UniqueKernelHandle = UniqueHandle<HANDLE, &::CloseHandle>;
// Memory the system hands out with LocalAlloc (security descriptors, SID texts).
using UniqueLocal = UniqueHandle<HLOCAL, &::LocalFree>;
using UniqueModule = UniqueHandle<HMODULE, &::FreeLibrary>;
using UniqueHFont = UniqueHandle<HFONT, &::DeleteObject>;
using UniqueHBitmap = UniqueHandle<HBITMAP, &::DeleteObject>;
using UniqueHBrush = UniqueHandle<HBRUSH, &::DeleteObject>;
using UniqueHIcon = UniqueHandle<HICON, &::DestroyIcon>;
using UniqueHwnd = UniqueHandle<HWND, &::DestroyWindow>;
using UniqueHMenu = UniqueHandle<HMENU, &::DestroyMenu>;
using UniqueImageList = UniqueHandle<HIMAGELIST, &::ImageList_Destroy>;

// One reference to a COM object, given back with Release.
template <typename Interface>
void ReleaseCom(Interface* object) noexcept {
    object->Release();
}
template <typename Interface>
using UniqueCom = UniqueHandle<Interface*, &ReleaseCom<Interface>>;

// Runs a callable when the scope ends, for the rare one-off clean-up.
template <typename F>
class ScopeExit {
public:
    explicit ScopeExit(F f) noexcept : f_(std::move(f)) {}
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    ~ScopeExit() { f_(); }
private:
    F f_;
};

}  // namespace platform
