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

    Handle release() noexcept { return std::exchange(handle_, Empty()); }
    void reset(Handle h = Empty()) noexcept {
        Handle old = std::exchange(handle_, h);
        if (old != Empty()) Close(old);
    }

private:
    static Handle Empty() noexcept { return reinterpret_cast<Handle>(kEmpty); }

    Handle handle_ = Empty();
};

using UniqueFile = UniqueHandle<HANDLE, &::CloseHandle, -1>;
using UniqueFind = UniqueHandle<HANDLE, &::FindClose, -1>;
using UniqueModule = UniqueHandle<HMODULE, &::FreeLibrary>;
using UniqueHFont = UniqueHandle<HFONT, &::DeleteObject>;
using UniqueHBitmap = UniqueHandle<HBITMAP, &::DeleteObject>;
using UniqueHBrush = UniqueHandle<HBRUSH, &::DeleteObject>;
using UniqueHIcon = UniqueHandle<HICON, &::DestroyIcon>;
using UniqueHwnd = UniqueHandle<HWND, &::DestroyWindow>;
using UniqueImageList = UniqueHandle<HIMAGELIST, &::ImageList_Destroy>;

// One reference to a COM object, given back with Release.
template <typename Interface>
class UniqueCom {
public:
    UniqueCom() noexcept = default;
    // Takes over a reference the caller holds.
    explicit UniqueCom(Interface* object) noexcept : object_(object) {}
    UniqueCom(UniqueCom&& other) noexcept : object_(other.release()) {}
    UniqueCom& operator=(UniqueCom&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueCom(const UniqueCom&) = delete;
    UniqueCom& operator=(const UniqueCom&) = delete;
    ~UniqueCom() { reset(); }

    Interface* get() const noexcept { return object_; }
    Interface* operator->() const noexcept { return object_; }
    explicit operator bool() const noexcept { return object_ != nullptr; }
    // Where a function that hands out a reference (QueryInterface's shape) puts it.
    void** put() noexcept {
        reset();
        return reinterpret_cast<void**>(&object_);
    }

    Interface* release() noexcept { return std::exchange(object_, nullptr); }
    void reset(Interface* object = nullptr) noexcept {
        if (Interface* old = std::exchange(object_, object)) old->Release();
    }

private:
    Interface* object_ = nullptr;
};

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
