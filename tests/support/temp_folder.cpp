#include "support/temp_folder.h"

#include "platform/ansi_text.h"
#include "platform/unique_handle.h"

#include <windows.h>

#include <algorithm>
#include <ostream>
#include <stdexcept>

namespace test_support {

namespace {

[[noreturn]] void Fail(const std::string& what, const platform::Path& path) {
    throw std::runtime_error(what + " \"" + Utf8Name(path.Text()) + "\" failed with error " +
                             std::to_string(::GetLastError()));
}

}  // namespace

std::string Utf8Name(const std::wstring& text) {
    if (text.empty()) return {};
    int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring WideName(const std::string& utf8) {
    if (utf8.empty()) return {};
    int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH + 1];
    DWORD n = ::GetTempPathW(MAX_PATH + 1, base);
    if (n == 0 || n > MAX_PATH) Fail("GetTempPathW", {});
    std::wstring prefix(base, n);
    if (prefix.back() != L'\\') prefix += L'\\';
    // The process id keeps parallel test programs apart; the counter, folders in one program.
    for (unsigned attempt = 0;; ++attempt) {
        platform::Path path(prefix + L"zvtest-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                            std::to_wstring(::GetTickCount()) + L"-" + std::to_wstring(attempt));
        if (::CreateDirectoryW(path.c_str(), nullptr)) {
            path_ = path;
            return;
        }
        if (::GetLastError() != ERROR_ALREADY_EXISTS || attempt > 1000) Fail("CreateDirectoryW", path);
    }
}

TempFolder::~TempFolder() { RemoveTree(path_); }

platform::Path TempFolder::WriteFile(const std::string& name, const std::string& bytes) const {
    platform::Path path = PathOf(name);
    WriteFileBytes(path, bytes);
    return path;
}

platform::Path TempFolder::MakeFolder(const std::string& name) const {
    platform::Path path = PathOf(name);
    MakeFolderAt(path);
    return path;
}

std::vector<std::wstring> TempFolder::Names() const { return NamesIn(path_); }

std::vector<std::wstring> NamesIn(const platform::Path& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    platform::UniqueFind find{::FindFirstFileW(folder.Join(L"*").ForSystem().c_str(), &data)};
    if (!find) return names;
    do {
        std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (::FindNextFileW(find.get(), &data));
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadFileBytes(const platform::Path& path) {
    platform::UniqueFile file{::CreateFileW(path.ForSystem().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (!file) Fail("Opening", path);
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    return bytes;
}

void WriteFileBytes(const platform::Path& path, const std::string& bytes) {
    platform::UniqueFile file{::CreateFileW(path.ForSystem().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (!file) Fail("Creating", path);
    DWORD written = 0;
    if (!bytes.empty() && (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
                           written != bytes.size()))
        Fail("Writing", path);
}

void MakeFolderAt(const platform::Path& path) {
    if (!::CreateDirectoryW(path.ForSystem().c_str(), nullptr)) Fail("CreateDirectoryW", path);
}

void RemoveTree(const platform::Path& path) {
    const std::wstring system = path.ForSystem();
    DWORD attributes = ::GetFileAttributesW(system.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    ::SetFileAttributesW(system.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ::DeleteFileW(system.c_str());
        return;
    }
    WIN32_FIND_DATAW data;
    platform::UniqueFind find{::FindFirstFileW(path.Join(L"*").ForSystem().c_str(), &data)};
    if (find) {
        do {
            std::wstring name = data.cFileName;
            if (name != L"." && name != L"..") RemoveTree(path.Join(name));
        } while (::FindNextFileW(find.get(), &data));
    }
    find.reset();
    ::RemoveDirectoryW(system.c_str());
}

}  // namespace test_support

namespace platform {
void PrintTo(const Path& path, std::ostream* out) { *out << '"' << test_support::Utf8Name(path.Text()) << '"'; }
}  // namespace platform
