#pragma once
// The program's error objects: one base, one class per kind of failure, each with its message.
#include <windows.h>
#include <stdexcept>
#include <string>

namespace platform {

class EError : public std::exception {
public:
    explicit EError(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }
    virtual const char* ClassName() const noexcept { return "Exception"; }

private:
    std::string message_;
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

// A failed run-time input/output request; carries the platform's error number.
class EInOutError : public EError {
public:
    explicit EInOutError(int errorCode);
    int ErrorCode() const noexcept { return errorCode_; }
    const char* ClassName() const noexcept override { return "EInOutError"; }

private:
    int errorCode_;
};

// The message texts, formatted in one place.
namespace errors {
EFOpenError CannotOpenFile(const std::string& path, DWORD systemError);
EFCreateError CannotCreateFile(const std::string& path, DWORD systemError);
EReadError StreamRead();
EWriteError StreamWrite();
EOutOfMemory OutOfMemory();
EOutOfResources FailedToLoadStream();
EOutOfResources FailedToSaveStream();
EInvalidOperation CannotFocus();
EInvalidOperation InvalidFileName(const std::string& text);
EIniFileException UnableToWrite(const std::string& path);
EListError ListIndexOutOfBounds(int index);
EError CannotOpenAvi();
EError CannotOpenClipboard();
EError UnableToInsertLine();
// The window manager refused a window of `className`, or a font, almost always for want of
// handles or memory.
EOutOfResources CannotCreateWindow(const std::string& className);
EOutOfResources CannotCreateFont(const std::string& faceName);
std::string InOutErrorText(int errorCode);
}  // namespace errors

// The platform's own reason text for an error code, trimmed of trailing blanks,
// line breaks, control characters and full stops.
std::string SystemErrorText(DWORD code);

// The absolute form of a path, as the messages quote it.
std::string AbsolutePath(const std::string& path);

}  // namespace platform
