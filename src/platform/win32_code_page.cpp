#include "platform/code_page.h"

#include <windows.h>

#include <algorithm>

namespace platform {

namespace {

class Win32CodePage final : public CodePage {
public:
    Win32CodePage() {
        CPINFO info{};
        hasLeadBytes_ = ::GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 1;
    }
    void UpperInPlace(char* text, size_t length) override {
        // CharUpperBuffA takes a 32-bit count; stop each piece on a whole character.
        constexpr size_t kPiece = 1u << 30;
        while (length > 0) {
            size_t n = std::min(length, kPiece);
            if (n < length && hasLeadBytes_) n = WholeCharacters(text, n);
            ::CharUpperBuffA(text, static_cast<DWORD>(n));
            text += n;
            length -= n;
        }
    }
    bool HasLeadBytes() override { return hasLeadBytes_; }
    bool IsLeadByte(unsigned char byte) override { return hasLeadBytes_ && ::IsDBCSLeadByte(byte); }

private:
    static size_t WholeCharacters(const char* text, size_t n) {
        size_t i = 0;
        while (i < n) {
            size_t step = ::IsDBCSLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
            if (i + step > n) break;
            i += step;
        }
        return i == 0 ? n : i;
    }
    bool hasLeadBytes_ = false;
};

}  // namespace

CodePage& SystemCodePage() {
    static Win32CodePage instance;
    return instance;
}

}  // namespace platform
