#pragma once
// The code page's upper-case mapping, asked once per byte value and once per two-byte character.
#include "platform/code_page.h"

#include <array>
#include <cstdint>
#include <vector>

namespace replace {

class UpperCaseMap {
public:
    explicit UpperCaseMap(platform::CodePage& codePage);

    unsigned char Single(unsigned char byte) const { return single_[byte]; }
    bool HasLeadBytes() const { return hasLeadBytes_; }
    bool IsLeadByte(unsigned char byte) const { return lead_[byte]; }
    // The upper-case form of the two-byte character lead, trail: first byte in bits 8-15.
    uint16_t Pair(unsigned char lead, unsigned char trail);

private:
    platform::CodePage& codePage_;
    bool hasLeadBytes_;
    std::array<unsigned char, 256> single_{};
    std::array<bool, 256> lead_{};
    // One row per lead byte, made on first use; bit 16 marks an entry as known.
    std::array<std::vector<uint32_t>, 256> pairs_;
};

}  // namespace replace
