#include "platform/path.h"

#include "platform/ansi_text.h"

#include <windows.h>

#include <string_view>

namespace platform {

namespace {

// Below this length every file-system function takes a path as it is; CreateDirectory stops
// twelve characters short of the others, for the 8.3 name that must still fit behind it.
constexpr size_t kPlainPathLimit = MAX_PATH - 12;

// Behind these the system takes a path literally, past 260 characters: a drive path, and a
// server's share in place of the two leading backslashes.
constexpr std::wstring_view kLongPrefix = L"\\\\?\\", kLongSharePrefix = L"\\\\?\\UNC\\";
constexpr std::wstring_view kSharePrefix = L"\\\\";

size_t FileNameStart(const std::wstring& path) {
    const size_t separator = path.find_last_of(L"\\/:");
    return separator == std::wstring::npos ? 0 : separator + 1;
}

bool IsDriveAbsolute(const std::wstring& path) {
    return path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
}

bool IsServerShare(const std::wstring& path) {
    return path.size() >= 3 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'?' && path[2] != L'.';
}

}  // namespace

Path Path::FromAnsi(const std::string& text) { return Path(WideFromAnsi(text)); }

Path Path::Absolute() const {
    DWORD n = ::GetFullPathNameW(text_.c_str(), 0, nullptr, nullptr);
    if (n == 0) return *this;
    std::wstring full(n, L'\0');
    n = ::GetFullPathNameW(text_.c_str(), n, full.data(), nullptr);
    if (n == 0 || n >= full.size()) return *this;
    full.resize(n);
    return Path(std::move(full));
}

std::optional<std::string> Path::AnsiForm() const {
    bool lossy = false;
    std::string ansi = AnsiFromWide(text_, &lossy);
    if (lossy) return std::nullopt;
    return ansi;
}

Path Path::Join(const std::wstring& name) const {
    if (text_.empty() || EndsWithSeparator()) return Path(text_ + name);
    return Path(text_ + L"\\" + name);
}

Path Path::Folder() const { return Path(text_.substr(0, FileNameStart(text_))); }

std::wstring Path::FileName() const { return text_.substr(FileNameStart(text_)); }

bool Path::EndsWithSeparator() const noexcept {
    return !text_.empty() && (text_.back() == L'\\' || text_.back() == L'/');
}

std::wstring Path::ForSystem() const {
    if (text_.size() < kPlainPathLimit) return text_;
    // Behind the prefix the system takes the text literally, so it goes in absolute.
    if (IsDriveAbsolute(text_)) return std::wstring(kLongPrefix) + Absolute().Text();
    if (IsServerShare(text_)) return std::wstring(kLongSharePrefix) + Absolute().Text().substr(kSharePrefix.size());
    return text_;
}

std::wstring Path::ForShell() const {
    if (text_.size() < MAX_PATH) return text_;
    const Path shortPath = ShortForm();
    return !shortPath.empty() && shortPath.size() < MAX_PATH ? shortPath.Text() : text_;
}

Path Path::ShortForm() const {
    const std::wstring system = ForSystem();
    DWORD n = ::GetShortPathNameW(system.c_str(), nullptr, 0);
    if (n == 0) return {};
    std::wstring shortPath(n, L'\0');
    n = ::GetShortPathNameW(system.c_str(), shortPath.data(), n);
    if (n == 0 || n >= shortPath.size()) return {};
    shortPath.resize(n);
    // The short form keeps the prefix it was asked with; a plain path is wanted.
    return Path(std::move(shortPath)).WithoutLongPrefix();
}

Path Path::WithoutLongPrefix() const {
    std::wstring plain = text_;
    if (plain.starts_with(kLongSharePrefix)) plain.replace(0, kLongSharePrefix.size(), kSharePrefix);
    else if (plain.starts_with(kLongPrefix)) plain.erase(0, kLongPrefix.size());
    return Path(std::move(plain));
}

bool SameFileName(const std::wstring& a, const std::wstring& b) {
    // The file system's own rule: each character's upper case, one for one.
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

}  // namespace platform
