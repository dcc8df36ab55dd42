#include "platform/private_access.h"

#include <aclapi.h>
#include <sddl.h>

#include <string>
#include <vector>

namespace platform {

namespace {

UniqueLocal CopyOfTokenUser() {
    HANDLE raw = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &raw)) return {};
    const UniqueKernelHandle token{raw};
    DWORD size = 0;
    ::GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    if (size == 0 || !::GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return {};
    const PSID sid = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
    const DWORD length = ::GetLengthSid(sid);
    UniqueLocal copy{::LocalAlloc(LMEM_FIXED, length)};
    if (copy && !::CopySid(length, copy.get(), sid)) copy.reset();
    return copy;
}

UniqueLocal Descriptor(const wchar_t* sddl) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor, nullptr))
        return {};
    return UniqueLocal{descriptor};
}

bool IsSid(PSID sid, WELL_KNOWN_SID_TYPE type) {
    BYTE buffer[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof buffer;
    return ::CreateWellKnownSid(type, nullptr, buffer, &size) && ::EqualSid(sid, buffer);
}

}  // namespace

PrivateAccess::PrivateAccess() : userSid_(CopyOfTokenUser()) {
    if (!userSid_) return;
    wchar_t* text = nullptr;
    if (!::ConvertSidToStringSidW(userSid_.get(), &text)) return;
    const UniqueLocal ownedText{text};
    const std::wstring user = text;
    // Protected (P): nothing is inherited from the folder above. FRFWSD: read, write, delete.
    folder_ = Descriptor((L"D:P(A;OICI;FA;;;" + user + L")(A;OICI;FA;;;SY)").c_str());
    file_ = Descriptor((L"D:P(A;;FRFWSD;;;" + user + L")(A;;FA;;;SY)").c_str());
    forFolder_ = SECURITY_ATTRIBUTES{sizeof forFolder_, folder_.get(), FALSE};
    forFile_ = SECURITY_ATTRIBUTES{sizeof forFile_, file_.get(), FALSE};
}

bool PrivateAccess::Grants(HANDLE file) const {
    if (!userSid_) return false;
    PSID owner = nullptr;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR raw = nullptr;
    if (::GetSecurityInfo(file, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner,
                          nullptr, &dacl, nullptr, &raw) != ERROR_SUCCESS)
        return false;
    const UniqueLocal descriptor{raw};
    // No access list at all grants everybody everything.
    if (!owner || !::EqualSid(owner, userSid_.get()) || !dacl) return false;
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        ACE_HEADER* ace = nullptr;
        if (!::GetAce(dacl, i, reinterpret_cast<void**>(&ace))) return false;
        if (ace->AceType == ACCESS_DENIED_ACE_TYPE) continue;
        if (ace->AceType != ACCESS_ALLOWED_ACE_TYPE) return false;
        const PSID sid = &reinterpret_cast<ACCESS_ALLOWED_ACE*>(ace)->SidStart;
        if (!::EqualSid(sid, userSid_.get()) && !IsSid(sid, WinLocalSystemSid) && !IsSid(sid, WinBuiltinAdministratorsSid))
            return false;
    }
    return true;
}

}  // namespace platform
