#include "platform/upper_case_table.h"

#include "platform/code_page.h"

namespace platform {

UpperCaseTable::UpperCaseTable(CodePage& codePage) : hasLeadBytes_(codePage.HasLeadBytes()) {
    std::array<char, 256> bytes;
    for (int b = 0; b < 256; ++b) bytes[b] = static_cast<char>(b);
    if (!hasLeadBytes_) {
        codePage.UpperInPlace(bytes.data(), bytes.size());
        for (int b = 0; b < 256; ++b) single_[b] = static_cast<unsigned char>(bytes[b]);
        return;
    }
    // Side by side, a lead byte and the next would be read as one character: one call each.
    size_t rows = 0;
    for (int b = 0; b < 256; ++b) {
        codePage.UpperInPlace(&bytes[b], 1);
        single_[b] = static_cast<unsigned char>(bytes[b]);
        lead_[b] = codePage.IsLeadByte(static_cast<unsigned char>(b));
        if (lead_[b]) row_[b] = static_cast<uint16_t>(rows++);
    }
    pairs_.resize(rows * 256);
    for (int lead = 0; lead < 256; ++lead) {
        if (!lead_[lead]) continue;
        for (int trail = 0; trail < 256; ++trail) {
            char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            // A zero byte is no second byte; its entry is never asked for.
            if (trail != 0) codePage.UpperInPlace(pair, 2);
            pairs_[row_[lead] * 256u + trail] =
                static_cast<uint16_t>((static_cast<unsigned char>(pair[0]) << 8) | static_cast<unsigned char>(pair[1]));
        }
    }
}

}  // namespace platform
