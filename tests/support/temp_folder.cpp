#include "support/temp_folder.h"

#include "platform/unique_handle.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>

namespace test_support {

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
    throw std::runtime_error(what + " \"" + path + "\" failed with error " + std::to_string(::GetLastError()));
}

}  // namespace

TempFolder::TempFolder() {
    char base[MAX_PATH + 1];
    DWORD n = ::GetTempPathA(sizeof base, base);
    if (n == 0 || n > MAX_PATH) Fail("GetTempPathA", "");
    std::string prefix(base, n);
    if (prefix.back() != '\\') prefix += '\\';
    // The process id keeps parallel test programs apart; the counter, folders in one program.
    for (unsigned attempt = 0;; ++attempt) {
        std::string path = prefix + "zvtest-" + std::to_string(::GetCurrentProcessId()) + "-" +
                           std::to_string(::GetTickCount()) + "-" + std::to_string(attempt);
        if (::CreateDirectoryA(path.c_str(), nullptr)) {
            path_ = path;
            return;
        }
        if (::GetLastError() != ERROR_ALREADY_EXISTS || attempt > 1000) Fail("CreateDirectoryA", path);
    }
}

TempFolder::~TempFolder() { RemoveTree(path_); }

std::string TempFolder::WriteFile(const std::string& name, const std::string& bytes) const {
    std::string path = PathOf(name);
    WriteFileBytes(path, bytes);
    return path;
}

std::string TempFolder::MakeFolder(const std::string& name) const {
    std::string path = PathOf(name);
    if (!::CreateDirectoryA(path.c_str(), nullptr)) Fail("CreateDirectoryA", path);
    return path;
}

std::vector<std::string> TempFolder::Names() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    platform::UniqueFind find{::FindFirstFileA(PathOf("*").c_str(), &data)};
    if (!find) return names;
    do {
        std::string name = data.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (::FindNextFileA(find.get(), &data));
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadFileBytes(const std::string& path) {
    platform::UniqueFile file{::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (!file) Fail("Opening", path);
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    platform::UniqueFile file{
        ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (!file) Fail("Creating", path);
    DWORD written = 0;
    if (!bytes.empty() && (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
                           written != bytes.size()))
        Fail("Writing", path);
}

void RemoveTree(const std::string& path) {
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ::DeleteFileA(path.c_str());
        return;
    }
    WIN32_FIND_DATAA data;
    platform::UniqueFind find{::FindFirstFileA((path + "\\*").c_str(), &data)};
    if (find) {
        do {
            std::string name = data.cFileName;
            if (name != "." && name != "..") RemoveTree(path + "\\" + name);
        } while (::FindNextFileA(find.get(), &data));
    }
    find.reset();
    ::RemoveDirectoryA(path.c_str());
}

}  // namespace test_support
