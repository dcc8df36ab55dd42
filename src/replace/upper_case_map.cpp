#include "replace/upper_case_map.h"

namespace replace {

UpperCaseMap::UpperCaseMap(platform::CodePage& codePage)
    : codePage_(codePage), hasLeadBytes_(codePage.HasLeadBytes()) {
    std::array<char, 256> bytes;
    for (int b = 0; b < 256; ++b) bytes[b] = static_cast<char>(b);
    if (hasLeadBytes_) {
        // Side by side, a lead byte and the next would be read as one character.
        for (int b = 0; b < 256; ++b) {
            codePage_.UpperInPlace(&bytes[b], 1);
            lead_[b] = codePage_.IsLeadByte(static_cast<unsigned char>(b));
        }
    } else {
        codePage_.UpperInPlace(bytes.data(), bytes.size());
    }
    for (int b = 0; b < 256; ++b) single_[b] = static_cast<unsigned char>(bytes[b]);
}

uint16_t UpperCaseMap::Pair(unsigned char lead, unsigned char trail) {
    constexpr uint32_t kKnown = 0x10000;
    std::vector<uint32_t>& row = pairs_[lead];
    if (row.empty()) row.assign(256, 0);
    uint32_t& entry = row[trail];
    if (!(entry & kKnown)) {
        char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        codePage_.UpperInPlace(pair, 2);
        entry = kKnown | (static_cast<unsigned char>(pair[0]) << 8) | static_cast<unsigned char>(pair[1]);
    }
    return static_cast<uint16_t>(entry);
}

}  // namespace replace
