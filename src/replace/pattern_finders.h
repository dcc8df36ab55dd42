#pragma once
// Finding an upper-case search text in the upper-case form of a text without making that form:
// each text byte is mapped as it is looked at.
#include "replace/byte_set.h"
#include "platform/upper_case_table.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace replace {

inline constexpr size_t kNotFound = static_cast<size_t>(-1);

// For code pages without two-byte characters: a block-at-a-time filter on the pattern's first and
// last bytes, then a byte-by-byte check of the rest.
class SingleByteFinder {
public:
    SingleByteFinder(std::string_view text, std::string_view pattern, const platform::UpperCaseTable& map);
    // The first place at or after `from` where the pattern stands before the next byte whose
    // upper-case form is zero; kNotFound when there is none. `from` never goes back.
    size_t Find(size_t from) {
        // Where occurrences are dense the next one is most often in the block of the last,
        // unless that one's removal reached over the block's zero byte.
        if (from >= blockAt_ && from - blockAt_ < ByteSet::kBlock && from <= blockZero_) {
            size_t found = FirstMatch(blockCandidates_ & (~uint32_t{0} << (from - blockAt_)));
            if (found != kNotFound || blockZero_ != kNotFound) return found;
            from = blockAt_ + ByteSet::kBlock;
        }
        return Scan(from);
    }

private:
    size_t Scan(size_t from);
    size_t FirstMatch(uint32_t candidates) const {
        for (; candidates != 0; candidates &= candidates - 1) {
            size_t at = blockAt_ + static_cast<size_t>(std::countr_zero(candidates));
            if (MiddleMatches(at)) return at;
        }
        return kNotFound;
    }
    bool MiddleMatches(size_t at) const {
        for (size_t i = 1; i + 1 < length_; ++i) {
            if (map_.Single(text_[at + i]) != pattern_[i]) return false;
        }
        return true;
    }

    const unsigned char* text_;
    size_t size_;
    const unsigned char* pattern_;
    size_t length_;
    const platform::UpperCaseTable& map_;
    ByteSet first_, last_, zero_;
    // The last block scanned and its candidates, first and last byte matching.
    size_t blockAt_ = kNotFound;
    uint32_t blockCandidates_ = 0;
    size_t blockZero_ = kNotFound;
};

// For code pages with lead bytes, 64 bytes at a time. Which bytes are second bytes of the text's
// characters, counted from its start, follows from the block's lead bytes by a few additions;
// only where a two-byte character stands is its upper-case form looked up byte by byte. A place
// is passed over when it is the second byte of a character of the upper-case form counted from
// `from` (the search starts afresh behind each occurrence).
class DoubleByteFinder {
public:
    DoubleByteFinder(std::string_view text, std::string_view pattern, const platform::UpperCaseTable& table);
    size_t Find(size_t from);

private:
    static constexpr size_t kBlock = 64;

    // Takes the block at `at`, the one after the block taken last.
    void Take(size_t at);
    uint64_t Bits(const unsigned char* bytes, const ByteSet& set) const;
    // The upper-case byte at `at`, given whether it is a second byte of the text's characters.
    unsigned char UpperAt(size_t at, bool second) const;
    bool MatchesAt(size_t at, bool second) const;
    bool BeginsPair(size_t at) const;

    std::string_view text_;
    std::string_view pattern_;
    const platform::UpperCaseTable& table_;
    ByteSet leads_, zero_;
    // Bytes whose upper-case form as a character of their own is the pattern's first byte, its
    // last byte, a zero byte, a lead byte.
    ByteSet first_, last_, upperZero_, upperLead_;
    // As in most code pages, those two sets are the zero byte and the lead bytes themselves.
    bool upperZeroIsZero_, upperLeadIsLead_;
    // The block taken last, one bit a byte: second bytes of the text's characters; and bytes of
    // the upper-case form equal to the pattern's first byte, its last byte, zero, a lead byte.
    size_t blockAt_ = kNotFound;
    uint64_t second_ = 0, firstBits_ = 0, lastBits_ = 0, upperZeroBits_ = 0, upperLeadBits_ = 0;
    // The next block begins with a second byte, unless that byte is zero.
    bool nextBeginsSecond_ = false;
};

}  // namespace replace
