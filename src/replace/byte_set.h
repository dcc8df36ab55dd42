#pragma once
// A set of byte values, tested sixteen bytes at a time (SSE2, present on every x86-64).
#include <emmintrin.h>

#include <array>
#include <cstddef>
#include <cstdint>

namespace replace {

class ByteSet {
public:
    static constexpr size_t kBlock = 16;

    // The bytes for which member(byte) is true.
    template <typename Member>
    static ByteSet Of(const Member& member) {
        ByteSet set;
        size_t members = 0, runs = 0;
        for (int b = 0; b < 256; ++b) {
            set.contains_[b] = member(static_cast<unsigned char>(b));
            if (!set.contains_[b]) continue;
            ++members;
            if (b == 0 || !set.contains_[b - 1]) ++runs;
        }
        if (members == 0) return set;
        set.test_ = members <= kCompareLimit ? Test::kEqual : runs <= kCompareLimit ? Test::kRange : Test::kLookup;
        // Each comparison takes one member, or one run of members.
        size_t& used = set.compares_;
        for (int b = 0; b < 256 && set.test_ != Test::kLookup; ++b) {
            if (!set.contains_[b] || (set.test_ == Test::kRange && b > 0 && set.contains_[b - 1])) continue;
            int end = b;
            while (set.test_ == Test::kRange && end < 255 && set.contains_[end + 1]) ++end;
            set.low_[used] = _mm_set1_epi8(static_cast<char>(b));
            set.span_[used] = _mm_set1_epi8(static_cast<char>(end - b));
            ++used;
        }
        return set;
    }

    bool Contains(unsigned char byte) const { return contains_[byte]; }

    // One bit for each of the kBlock bytes at `bytes` that is in the set, the first in bit 0.
    uint32_t In(const unsigned char* bytes) const {
        if (test_ == Test::kNone) return 0;
        if (test_ == Test::kLookup) {
            uint32_t hits = 0;
            for (size_t i = 0; i < kBlock; ++i) hits |= uint32_t{contains_[bytes[i]]} << i;
            return hits;
        }
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
        return test_ == Test::kEqual ? Hits(block, [&](size_t i) { return _mm_cmpeq_epi8(block, low_[i]); })
                                     : Hits(block, [&](size_t i) {
                                           // In a run: no further above its first byte, modulo
                                           // 256, than its span.
                                           const __m128i above = _mm_sub_epi8(block, low_[i]);
                                           return _mm_cmpeq_epi8(_mm_min_epu8(above, span_[i]), above);
                                       });
    }

    bool operator==(const ByteSet& other) const { return contains_ == other.contains_; }

private:
    // Past this many members (or runs) a lookup per byte is cheaper than one comparison each.
    static constexpr size_t kCompareLimit = 4;
    enum class Test { kNone, kEqual, kRange, kLookup };

    template <typename Compare>
    uint32_t Hits(__m128i, const Compare& compare) const {
        __m128i hits = compare(0);
        if (compares_ > 1) hits = _mm_or_si128(hits, compare(1));
        if (compares_ > 2) hits = _mm_or_si128(hits, compare(2));
        if (compares_ > 3) hits = _mm_or_si128(hits, compare(3));
        return static_cast<uint32_t>(_mm_movemask_epi8(hits));
    }

    std::array<bool, 256> contains_{};
    Test test_ = Test::kNone;
    size_t compares_ = 0;
    __m128i low_[kCompareLimit] = {};
    __m128i span_[kCompareLimit] = {};
};

}  // namespace replace
