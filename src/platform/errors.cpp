#include "platform/errors.h"

#include "platform/ansi_text.h"

namespace platform {

EError::EError(std::wstring message) : message_(std::move(message)), narrow_(AnsiFromWide(message_)) {}

EInOutError::EInOutError(int errorCode) : EError(errors::InOutErrorText(errorCode)) {}

EInOutError::EInOutError(int errorCode, const Path& folder)
    : EError(errors::InOutErrorText(errorCode) + L": \"" + folder.Text() + L"\"") {}

namespace errors {
namespace {
// Cannot `verb` file "the absolute path". The system's reason
std::wstring CannotText(const wchar_t* verb, const Path& path, DWORD systemError) {
    return L"Cannot " + std::wstring(verb) + L" file \"" + path.Absolute().Text() + L"\". " +
           SystemErrorText(systemError);
}
}  // namespace

EFOpenError CannotOpenFile(const Path& path, DWORD systemError) {
    return EFOpenError(CannotText(L"open", path, systemError));
}
EFCreateError CannotCreateFile(const Path& path, DWORD systemError) {
    return EFCreateError(CannotText(L"create", path, systemError));
}
EWriteError CannotWriteFile(const Path& path, DWORD systemError) {
    return EWriteError(CannotText(L"write", path, systemError));
}
EReadError StreamRead() { return EReadError("Stream read error"); }
EWriteError StreamWrite() { return EWriteError("Stream write error"); }
EOutOfMemory OutOfMemory() { return EOutOfMemory("Out of memory"); }
EOutOfResources FailedToLoadStream() { return EOutOfResources("Failed to Load Stream"); }
EInvalidOperation CannotFocus() { return EInvalidOperation("Cannot focus a disabled or invisible window"); }
EInvalidOperation InvalidFileName(const std::wstring& text) { return EInvalidOperation(L"Invalid file name - " + text); }
EIniFileException UnableToWrite(const Path& path) { return EIniFileException(L"Unable to write to " + path.Text()); }
EListError ListIndexOutOfBounds(int index) {
    return EListError(L"List index out of bounds (" + std::to_wstring(index) + L")");
}
EError CannotOpenAvi() { return EError("Cannot open AVI"); }
EError CannotOpenClipboard() { return EError("Cannot open clipboard"); }
EError UnableToInsertLine() { return EError("Unable to insert a line"); }
EOutOfResources CannotCreateWindow(const std::string& className) {
    return EOutOfResources(L"Cannot create a window of class " + WideFromAnsi(className));
}
EOutOfResources CannotCreateFont(const std::string& faceName) {
    return EOutOfResources(L"Cannot create the font " + WideFromAnsi(faceName));
}
EError MessageLoopFailed(DWORD systemError) {
    return EError(L"Cannot take the next window message. " + SystemErrorText(systemError));
}

std::wstring InOutErrorText(int errorCode) {
    switch (errorCode) {
    case 2: return L"File not found";
    case 3: return L"Invalid filename";
    case 4: return L"Too many open files";
    case 5: return L"File access denied";
    case 100: return L"Read beyond end of file";
    case 101: return L"Disk full";
    case 106: return L"Invalid numeric input";
    default: return L"I/O error " + std::to_wstring(errorCode);
    }
}
}  // namespace errors

std::wstring SystemErrorText(DWORD code) {
    wchar_t buffer[256] = {};
    DWORD n = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                               nullptr, code, 0, buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
    std::wstring text(buffer, n);
    while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
    return text;
}

}  // namespace platform
