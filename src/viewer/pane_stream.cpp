#include "viewer/pane_stream.h"

#include "platform/errors.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>

namespace viewer {

namespace {

// Any value but zero tells the control that the transfer failed.
constexpr DWORD kStreamFailed = 1;

// The control calls back from inside its own code, so nothing may escape from here.
DWORD CALLBACK ReadCallback(DWORD_PTR cookie, LPBYTE buffer, LONG capacity, LONG* produced) noexcept {
    try {
        auto* source = reinterpret_cast<StreamSource*>(cookie);
        return source->Read(reinterpret_cast<char*>(buffer), capacity, *produced) ? 0 : kStreamFailed;
    } catch (...) {
        return kStreamFailed;
    }
}

DWORD CALLBACK WriteCallback(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* taken) noexcept {
    try {
        reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer),
                                                       static_cast<size_t>(size));
        *taken = size;
        return 0;
    } catch (...) {
        return kStreamFailed;
    }
}

}  // namespace

bool MemorySource::Read(char* buffer, LONG capacity, LONG& produced) {
    size_t n = std::min(content_.size() - position_, static_cast<size_t>(std::max<LONG>(capacity, 0)));
    std::memcpy(buffer, content_.data() + position_, n);
    position_ += n;
    produced = static_cast<LONG>(n);
    return true;
}

bool MemorySource::Rewind() {
    position_ = 0;
    return true;
}

bool StreamIn(HWND pane, UINT format, StreamSource& source) {
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = ReadCallback;
    ::SendMessageA(pane, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
    return stream.dwError == 0;
}

std::string StreamOutRich(HWND pane) {
    std::string content;
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&content);
    stream.pfnCallback = WriteCallback;
    ::SendMessageA(pane, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    if (stream.dwError != 0) throw platform::errors::FailedToSaveStream();
    return content;
}

}  // namespace viewer
