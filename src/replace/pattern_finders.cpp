#include "replace/pattern_finders.h"

namespace replace {

SingleByteFinder::SingleByteFinder(std::string_view text, std::string_view pattern, const UpperCaseMap& map)
    : text_(reinterpret_cast<const unsigned char*>(text.data())),
      size_(text.size()),
      pattern_(reinterpret_cast<const unsigned char*>(pattern.data())),
      length_(pattern.size()),
      map_(map) {
    for (int b = 0; b < 256; ++b) {
        unsigned char upper = map.Single(static_cast<unsigned char>(b));
        if (upper == pattern_[0]) first_.Add(static_cast<unsigned char>(b));
        if (upper == pattern_[length_ - 1]) last_.Add(static_cast<unsigned char>(b));
        if (upper == 0) zero_.Add(static_cast<unsigned char>(b));
    }
}

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

DoubleByteFinder::DoubleByteFinder(std::string_view text, std::string_view pattern, UpperCaseMap& map)
    : text_(text), pattern_(pattern), map_(map) {}

size_t DoubleByteFinder::Find(size_t from) {
    for (; known_ < from; ++known_) knownIsSecond_ = NextIsSecond(known_, knownIsSecond_);
    bool second = knownIsSecond_;
    bool passOver = false;
    const auto first = static_cast<unsigned char>(pattern_[0]);
    for (size_t at = from; at < text_.size(); ++at) {
        unsigned char upper = UpperAt(at, second);
        if (upper == 0) return kNotFound;
        if (!passOver && upper == first && MatchesAt(at, second)) {
            known_ = at;
            knownIsSecond_ = second;
            return at;
        }
        passOver = !passOver && map_.IsLeadByte(upper);
        second = NextIsSecond(at, second);
    }
    return kNotFound;
}

unsigned char DoubleByteFinder::UpperAt(size_t at, bool second) {
    auto byte = [this](size_t i) { return static_cast<unsigned char>(text_[i]); };
    if (second) return static_cast<unsigned char>(map_.Pair(byte(at - 1), byte(at)));
    if (NextIsSecond(at, false)) return static_cast<unsigned char>(map_.Pair(byte(at), byte(at + 1)) >> 8);
    return map_.Single(byte(at));
}

bool DoubleByteFinder::NextIsSecond(size_t at, bool second) const {
    // A zero byte ends the text whatever stands before it: it is never a second byte.
    return !second && at + 1 < text_.size() && text_[at + 1] != '\0' &&
           map_.IsLeadByte(static_cast<unsigned char>(text_[at]));
}

bool DoubleByteFinder::MatchesAt(size_t at, bool second) {
    if (text_.size() - at < pattern_.size()) return false;
    for (size_t i = 0; i < pattern_.size(); ++i) {
        if (UpperAt(at + i, second) != static_cast<unsigned char>(pattern_[i])) return false;
        second = NextIsSecond(at + i, second);
    }
    return true;
}

}  // namespace replace
