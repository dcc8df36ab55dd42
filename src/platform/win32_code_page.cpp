#include "platform/code_page.h"

#include <windows.h>

#include <algorithm>
#include <array>

namespace platform {

namespace {

class Win32CodePage final : public CodePage {
public:
    Win32CodePage() {
        CPINFO info{};
        hasLeadBytes_ = ::GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 1;
        for (int b = 0; b < 256; ++b) lead_[b] = hasLeadBytes_ && ::IsDBCSLeadByte(static_cast<BYTE>(b));
    }
    void UpperInPlace(char* text, size_t length) override {
        // CharUpperBuffA takes a 32-bit count; stop each piece on a whole character.
        constexpr size_t kPiece = 1u << 30;
        while (length > 0) {
            size_t n = std::min(length, kPiece);
            if (n < length && hasLeadBytes_) n = WholeCharacters(std::string_view(text, length), n);
            ::CharUpperBuffA(text, static_cast<DWORD>(n));
            text += n;
            length -= n;
        }
    }
    bool HasLeadBytes() override { return hasLeadBytes_; }
    bool IsLeadByte(unsigned char byte) override { return lead_[byte]; }

private:
    // The longest run of whole characters from the text's start that fits in n bytes.
    size_t WholeCharacters(std::string_view text, size_t n) {
        size_t i = 0;
        while (i < n) {
            size_t step = CharacterLength(*this, text, i);
            if (i + step > n) break;
            i += step;
        }
        return i == 0 ? n : i;
    }
    bool hasLeadBytes_ = false;
    std::array<bool, 256> lead_{};
};

}  // namespace

CodePage& SystemCodePage() {
    static Win32CodePage instance;
    return instance;
}

}  // namespace platform
