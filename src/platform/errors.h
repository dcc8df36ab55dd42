#pragma once
// The program's error objects: one base, one class per kind of failure, each with its message.
#include "platform/ansi_text.h"
#include "platform/path.h"

#include <windows.h>

#include <iterator>
#include <stdexcept>
#include <string>

namespace platform {

// The message is UTF-16, so that the paths it quotes keep their true names; what() gives it in
// the ANSI code page for whoever knows only std::exception.
class EError : public std::exception {
public:
    explicit EError(std::wstring message);
    explicit EError(const char* message) : EError(WideFromAnsi(message)) {}
    const char* what() const noexcept override { return narrow_.c_str(); }
    const std::wstring& Message() const noexcept { return message_; }
    virtual const char* ClassName() const noexcept { return "Exception"; }

private:
    std::wstring message_;
    std::string narrow_;
};

#define ZAVOTEK_ERROR_CLASS(Name)                                              \
    class Name : public EError {                                               \
    public:                                                                    \
        using EError::EError;                                                  \
        const char* ClassName() const noexcept override { return #Name; }      \
    }

ZAVOTEK_ERROR_CLASS(EFOpenError);
ZAVOTEK_ERROR_CLASS(EFCreateError);
ZAVOTEK_ERROR_CLASS(EReadError);
ZAVOTEK_ERROR_CLASS(EWriteError);
ZAVOTEK_ERROR_CLASS(EOutOfResources);
ZAVOTEK_ERROR_CLASS(EInvalidOperation);
ZAVOTEK_ERROR_CLASS(EOutOfMemory);
ZAVOTEK_ERROR_CLASS(EIniFileException);
ZAVOTEK_ERROR_CLASS(EListError);

#undef ZAVOTEK_ERROR_CLASS

// A failed run-time input/output request, with the platform's error number in its text.
class EInOutError : public EError {
public:
    explicit EInOutError(int errorCode);
    // A folder the system refused to make current: the text names it too.
    EInOutError(int errorCode, const Path& folder);
    const char* ClassName() const noexcept override { return "EInOutError"; }
};

// The message texts, formatted in one place.
namespace errors {
EFOpenError CannotOpenFile(const Path& path, DWORD systemError);
EFCreateError CannotCreateFile(const Path& path, DWORD systemError);
// The new bytes could not all be written over the file (a full disk, an I/O error).
EWriteError CannotWriteFile(const Path& path, DWORD systemError);
EReadError StreamRead();
EWriteError StreamWrite();
EOutOfMemory OutOfMemory();
EOutOfResources FailedToLoadStream();
EInvalidOperation CannotFocus();
EInvalidOperation InvalidFileName(const std::wstring& text);
EIniFileException UnableToWrite(const Path& path);
EListError ListIndexOutOfBounds(int index);
EError CannotOpenAvi();
EError CannotOpenClipboard();
EError UnableToInsertLine();
// The window manager refused a window of `className`, or a font, almost always for want of
// handles or memory.
EOutOfResources CannotCreateWindow(const std::string& className);
EOutOfResources CannotCreateFont(const std::string& faceName);
// The window system could not hand the message loop its next message.
EError MessageLoopFailed(DWORD systemError);
std::wstring InOutErrorText(int errorCode);
}  // namespace errors

// The platform's own reason text for an error code, trimmed of trailing blanks,
// line breaks, control characters and full stops.
std::wstring SystemErrorText(DWORD code);

}  // namespace platform
