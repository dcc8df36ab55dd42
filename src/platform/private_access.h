#pragma once
// Security descriptors that keep the program's own state to the user who runs it. Windows keeps a
// profile's folders to their user already; under Wine they are as open as the user's umask made
// them, and only a descriptor given when a file or folder is made sets a Unix mode that keeps
// other users out (a descriptor set afterwards opens it further).
#include "platform/unique_handle.h"

#include <windows.h>

namespace platform {

class PrivateAccess {
public:
    // Reads the user from the process's token.
    PrivateAccess();
    // For a folder: full access for the user and the system, inherited by what is made in it.
    SECURITY_ATTRIBUTES* ForFolder() noexcept { return &forFolder_; }
    // For a file: reading, writing and deleting for the user, full access for the system; under
    // Wine that is mode 0640, where a folder's full access gives 0750.
    SECURITY_ATTRIBUTES* ForFile() noexcept { return &forFile_; }
    // Owned by the user, with no access allowed to anybody but the user, the system and the
    // administrators.
    bool Grants(HANDLE file) const;
    // False when the token could not be read; then nothing is made private or trusted.
    explicit operator bool() const noexcept { return folder_ && file_; }

private:
    UniqueLocal userSid_;
    UniqueLocal folder_, file_;
    SECURITY_ATTRIBUTES forFolder_{}, forFile_{};
};

}  // namespace platform
