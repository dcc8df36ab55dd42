#include "platform/errors.h"

#include <cstdio>

namespace platform {

namespace {
std::string Format(const char* format, const std::string& a, const std::string& b) {
    std::string out;
    int n = std::snprintf(nullptr, 0, format, a.c_str(), b.c_str());
    out.resize(static_cast<size_t>(n) + 1);
    std::snprintf(out.data(), out.size(), format, a.c_str(), b.c_str());
    out.resize(static_cast<size_t>(n));
    return out;
}
}  // namespace

EInOutError::EInOutError(int errorCode) : EError(errors::InOutErrorText(errorCode)), errorCode_(errorCode) {}

namespace errors {
EFOpenError CannotOpenFile(const std::string& path, DWORD systemError) {
    return EFOpenError(Format("Cannot open file \"%s\". %s", AbsolutePath(path), SystemErrorText(systemError)));
}
EFCreateError CannotCreateFile(const std::string& path, DWORD systemError) {
    return EFCreateError(Format("Cannot create file \"%s\". %s", AbsolutePath(path), SystemErrorText(systemError)));
}
EReadError StreamRead() { return EReadError("Stream read error"); }
EWriteError StreamWrite() { return EWriteError("Stream write error"); }
EOutOfMemory OutOfMemory() { return EOutOfMemory("Out of memory"); }
EOutOfResources FailedToLoadStream() { return EOutOfResources("Failed to Load Stream"); }
EOutOfResources FailedToSaveStream() { return EOutOfResources("Failed to Save Stream"); }
EInvalidOperation CannotFocus() { return EInvalidOperation("Cannot focus a disabled or invisible window"); }
EInvalidOperation InvalidFileName(const std::string& text) { return EInvalidOperation("Invalid file name - " + text); }
EIniFileException UnableToWrite(const std::string& path) { return EIniFileException("Unable to write to " + path); }
EListError ListIndexOutOfBounds(int index) {
    return EListError("List index out of bounds (" + std::to_string(index) + ")");
}
EError CannotOpenAvi() { return EError("Cannot open AVI"); }
EError CannotOpenClipboard() { return EError("Cannot open clipboard"); }
EError UnableToInsertLine() { return EError("Unable to insert a line"); }
EOutOfResources CannotCreateWindow(const std::string& className) {
    return EOutOfResources("Cannot create a window of class " + className);
}
EOutOfResources CannotCreateFont(const std::string& faceName) {
    return EOutOfResources("Cannot create the font " + faceName);
}

std::string InOutErrorText(int errorCode) {
    switch (errorCode) {
    case 2: return "File not found";
    case 3: return "Invalid filename";
    case 4: return "Too many open files";
    case 5: return "File access denied";
    case 100: return "Read beyond end of file";
    case 101: return "Disk full";
    case 106: return "Invalid numeric input";
    default: return "I/O error " + std::to_string(errorCode);
    }
}
}  // namespace errors

std::string SystemErrorText(DWORD code) {
    char buffer[256] = {};
    DWORD n = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                               nullptr, code, 0, buffer, sizeof buffer, nullptr);
    std::string text(buffer, n);
    while (!text.empty()) {
        unsigned char last = static_cast<unsigned char>(text.back());
        if (last > ' ' && last != '.') break;
        text.pop_back();
    }
    return text;
}

std::string AbsolutePath(const std::string& path) {
    char buffer[MAX_PATH * 4];
    DWORD n = ::GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
    if (n == 0 || n >= sizeof buffer) return path;
    return std::string(buffer, n);
}

}  // namespace platform
