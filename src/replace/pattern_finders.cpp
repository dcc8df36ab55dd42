#include "replace/pattern_finders.h"

#include "platform/code_page.h"

#include <cstring>

namespace replace {

namespace {

// Which of 64 bytes are second bytes of two-byte characters, given which are lead bytes and
// whether the first is a second byte (`carry`, which then says that of the next 64). In a run of
// lead bytes that begins a character every other byte begins one, and the byte behind the run
// is a second byte when the run, counted from where it began, has an odd length.
uint64_t SecondBytes(uint64_t leads, bool& carry) {
    constexpr uint64_t kEven = 0x5555555555555555u;
    const uint64_t carried = carry ? 1 : 0;
    leads &= ~carried;
    const uint64_t behindLead = (leads << 1) | carried;
    // Adding a run's first bit to a run that begins on an odd place clears the run and sets the
    // bit behind it; runs that begin on an even place stay.
    const uint64_t oddStarts = leads & ~kEven & ~behindLead;
    const uint64_t sum = oddStarts + leads;
    carry = sum < leads;
    // Behind a run's bit, even-begun runs make second bytes of odd places, odd-begun of even.
    return (kEven ^ (sum << 1)) & behindLead;
}

}  // namespace

SingleByteFinder::SingleByteFinder(std::string_view text, std::string_view pattern,
                                   const platform::UpperCaseTable& map)
    : text_(reinterpret_cast<const unsigned char*>(text.data())),
      size_(text.size()),
      pattern_(reinterpret_cast<const unsigned char*>(pattern.data())),
      length_(pattern.size()),
      map_(map),
      first_(ByteSet::Of([&](unsigned char b) { return map.Single(b) == pattern_[0]; })),
      last_(ByteSet::Of([&](unsigned char b) { return map.Single(b) == pattern_[length_ - 1]; })),
      zero_(ByteSet::Of([&](unsigned char b) { return map.Single(b) == 0; })) {}

size_t SingleByteFinder::Scan(size_t from) {
    if (size_ - from < length_) return kNotFound;
    const size_t lastStart = size_ - length_;
    size_t at = from;
    for (; at + ByteSet::kBlock - 1 <= lastStart; at += ByteSet::kBlock) {
        blockAt_ = at;
        blockCandidates_ = first_.In(text_ + at) & last_.In(text_ + at + length_ - 1);
        // A candidate reaching over a zero byte fails its check, as the pattern holds no zero;
        // so a zero only ends the search, after the candidates before it.
        const uint32_t zeros = zero_.In(text_ + at);
        blockZero_ = zeros != 0 ? at + static_cast<size_t>(std::countr_zero(zeros)) : kNotFound;
        if (zeros != 0) blockCandidates_ &= (zeros & (0 - zeros)) - 1;
        size_t found = FirstMatch(blockCandidates_);
        if (found != kNotFound || zeros != 0) return found;
    }
    for (; at <= lastStart; ++at) {
        if (zero_.Contains(text_[at])) return kNotFound;
        if (first_.Contains(text_[at]) && last_.Contains(text_[at + length_ - 1]) && MiddleMatches(at)) return at;
    }
    return kNotFound;
}

DoubleByteFinder::DoubleByteFinder(std::string_view text, std::string_view pattern,
                                   const platform::UpperCaseTable& table)
    : text_(text),
      pattern_(pattern),
      table_(table),
      leads_(ByteSet::Of([&](unsigned char b) { return table.IsLeadByte(b); })),
      zero_(ByteSet::Of([](unsigned char b) { return b == 0; })),
      first_(ByteSet::Of([&](unsigned char b) { return table.Single(b) == static_cast<unsigned char>(pattern[0]); })),
      last_(ByteSet::Of([&](unsigned char b) { return table.Single(b) == static_cast<unsigned char>(pattern.back()); })),
      upperZero_(ByteSet::Of([&](unsigned char b) { return table.Single(b) == 0; })),
      upperLead_(ByteSet::Of([&](unsigned char b) { return table.IsLeadByte(table.Single(b)); })),
      upperZeroIsZero_(upperZero_ == zero_),
      upperLeadIsLead_(upperLead_ == leads_) {}

size_t DoubleByteFinder::Find(size_t from) {
    if (from >= text_.size()) return kNotFound;
    const size_t block = from - from % kBlock;
    while (blockAt_ == kNotFound || blockAt_ < block) Take(blockAt_ == kNotFound ? 0 : blockAt_ + kBlock);
    uint64_t live = ~uint64_t{0} << (from - blockAt_);
    bool passCarry = false;
    // Places whose occurrence would end in a later block pass the test of the last byte.
    const size_t reach = pattern_.size() - 1;
    const uint64_t endsLater = reach == 0 ? 0 : reach < kBlock ? ~uint64_t{0} << (kBlock - reach) : ~uint64_t{0};
    for (;;) {
        const uint64_t passed = SecondBytes(upperLeadBits_ & live, passCarry);
        const uint64_t zeros = upperZeroBits_ & live;
        uint64_t candidates = firstBits_ & ((reach < kBlock ? lastBits_ >> reach : 0) | endsLater) & live & ~passed;
        if (zeros != 0) candidates &= (zeros & (0 - zeros)) - 1;
        for (; candidates != 0; candidates &= candidates - 1) {
            const int i = std::countr_zero(candidates);
            if (MatchesAt(blockAt_ + i, (second_ >> i) & 1)) return blockAt_ + i;
        }
        if (zeros != 0 || blockAt_ + kBlock >= text_.size()) return kNotFound;
        Take(blockAt_ + kBlock);
        live = ~uint64_t{0};
    }
}

void DoubleByteFinder::Take(size_t at) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text_.data()) + at;
    const size_t size = text_.size() - at;
    // The last block is read from a copy with zero bytes behind the text.
    unsigned char padded[kBlock] = {};
    if (size < kBlock) {
        std::memcpy(padded, bytes, size);
        bytes = padded;
    }
    blockAt_ = at;
    const uint64_t zeros = Bits(bytes, zero_);
    const uint64_t leads = Bits(bytes, leads_);
    second_ = SecondBytes(leads, nextBeginsSecond_) & ~zeros;
    const bool lastBeginsPair = nextBeginsSecond_ && size > kBlock && text_[at + kBlock] != '\0';
    const uint64_t pairs = second_ | (second_ >> 1) | (uint64_t{lastBeginsPair} << 63);
    firstBits_ = Bits(bytes, first_) & ~pairs;
    lastBits_ = Bits(bytes, last_) & ~pairs;
    upperZeroBits_ = (upperZeroIsZero_ ? zeros : Bits(bytes, upperZero_)) & ~pairs;
    upperLeadBits_ = (upperLeadIsLead_ ? leads : Bits(bytes, upperLead_)) & ~pairs;
    if (size < kBlock) upperZeroBits_ |= ~uint64_t{0} << size;  // the text's end ends the search
    for (uint64_t rest = pairs; rest != 0; rest &= rest - 1) {
        const int i = std::countr_zero(rest);
        const unsigned char upper = UpperAt(at + i, (second_ >> i) & 1);
        const uint64_t bit = uint64_t{1} << i;
        if (upper == static_cast<unsigned char>(pattern_[0])) firstBits_ |= bit;
        if (upper == static_cast<unsigned char>(pattern_.back())) lastBits_ |= bit;
        if (upper == 0) upperZeroBits_ |= bit;
        if (table_.IsLeadByte(upper)) upperLeadBits_ |= bit;
    }
}

uint64_t DoubleByteFinder::Bits(const unsigned char* bytes, const ByteSet& set) const {
    uint64_t bits = 0;
    for (size_t i = 0; i < kBlock; i += ByteSet::kBlock) bits |= uint64_t{set.In(bytes + i)} << i;
    return bits;
}

bool DoubleByteFinder::BeginsPair(size_t at) const {
    return platform::CharacterLength(text_, at, [this](unsigned char b) { return table_.IsLeadByte(b); }) == 2;
}

unsigned char DoubleByteFinder::UpperAt(size_t at, bool second) const {
    auto byte = [this](size_t i) { return static_cast<unsigned char>(text_[i]); };
    if (second) return static_cast<unsigned char>(table_.Pair(byte(at - 1), byte(at)));
    if (BeginsPair(at)) return static_cast<unsigned char>(table_.Pair(byte(at), byte(at + 1)) >> 8);
    return table_.Single(byte(at));
}

bool DoubleByteFinder::MatchesAt(size_t at, bool second) const {
    if (text_.size() - at < pattern_.size()) return false;
    for (size_t i = 0; i < pattern_.size(); ++i) {
        if (UpperAt(at + i, second) != static_cast<unsigned char>(pattern_[i])) return false;
        second = !second && BeginsPair(at + i);
    }
    return true;
}

}  // namespace replace
