#pragma once
// A small set of byte values, tested sixteen bytes at a time (SSE2, present on every x86-64).
#include <emmintrin.h>

#include <array>
#include <cstddef>
#include <cstdint>

namespace replace {

class ByteSet {
public:
    static constexpr size_t kBlock = 16;

    void Add(unsigned char byte) {
        if (contains_[byte]) return;
        contains_[byte] = true;
        // Places not yet used repeat the latest member, so that all of them can be compared.
        for (size_t i = count_; i < kCompareLimit; ++i) splats_[i] = _mm_set1_epi8(static_cast<char>(byte));
        ++count_;
    }
    bool Contains(unsigned char byte) const { return contains_[byte]; }

    // One bit for each of the kBlock bytes at `bytes` that is in the set, the first in bit 0.
    uint32_t In(const unsigned char* bytes) const {
        if (count_ == 0) return 0;
        if (count_ > kCompareLimit) {
            uint32_t hits = 0;
            for (size_t i = 0; i < kBlock; ++i) hits |= uint32_t{contains_[bytes[i]]} << i;
            return hits;
        }
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
        const __m128i hits =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, splats_[0]), _mm_cmpeq_epi8(block, splats_[1])),
                         _mm_or_si128(_mm_cmpeq_epi8(block, splats_[2]), _mm_cmpeq_epi8(block, splats_[3])));
        return static_cast<uint32_t>(_mm_movemask_epi8(hits));
    }

private:
    // Past this many members a lookup per byte is cheaper than one comparison per member.
    static constexpr size_t kCompareLimit = 4;

    std::array<bool, 256> contains_{};
    __m128i splats_[kCompareLimit] = {};
    size_t count_ = 0;
};

}  // namespace replace
