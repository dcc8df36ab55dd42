#pragma once
// A code page's upper-case mapping and lead bytes as tables: the code page is asked once per
// byte value and once per two-byte character, when the table is made.
#include <array>
#include <cstdint>
#include <vector>

namespace platform {

class CodePage;

class UpperCaseTable {
public:
    explicit UpperCaseTable(CodePage& codePage);

    bool HasLeadBytes() const { return hasLeadBytes_; }
    bool IsLeadByte(unsigned char byte) const { return lead_[byte]; }
    // The upper-case form of a byte that is a character of its own.
    unsigned char Single(unsigned char byte) const { return single_[byte]; }
    // The upper-case form of the two-byte character `lead`, `trail` (a lead byte and a byte other
    // than zero), its first byte in bits 8-15.
    uint16_t Pair(unsigned char lead, unsigned char trail) const { return pairs_[row_[lead] * 256u + trail]; }

private:
    bool hasLeadBytes_;
    std::array<bool, 256> lead_{};
    std::array<unsigned char, 256> single_{};
    // Each lead byte's row of 256 in pairs_.
    std::array<uint16_t, 256> row_{};
    std::vector<uint16_t> pairs_;
};

}  // namespace platform
