// The sixteen-at-a-time test of a byte set against its plain membership, for sets that take
// each of its ways: none, single members, runs of members, a lookup per byte.
#include "replace/byte_set.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

void ExpectInAgreesWithContains(const replace::ByteSet& set, const std::string& name) {
    unsigned char bytes[256 + replace::ByteSet::kBlock] = {};
    for (int i = 0; i < 256; ++i) bytes[i] = static_cast<unsigned char>(i * 7 + 3);  // every value once
    for (int offset = 0; offset < 256; offset += 5) {
        const uint32_t hits = set.In(bytes + offset % 256);
        for (size_t i = 0; i < replace::ByteSet::kBlock; ++i) {
            const unsigned char byte = bytes[(offset % 256) + i];
            ASSERT_EQ((hits >> i) & 1, uint32_t{set.Contains(byte)}) << name << ", byte " << int{byte};
        }
    }
}

}  // namespace

TEST(ByteSet, FindsItsMembersInEveryWayItTests) {
    const std::pair<std::string, std::function<bool(unsigned char)>> sets[] = {
        {"empty", [](unsigned char) { return false; }},
        {"one", [](unsigned char b) { return b == 'N'; }},
        {"four", [](unsigned char b) { return b == 0 || b == 'a' || b == 'A' || b == 0xFF; }},
        {"lead bytes of 932", [](unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }},
        {"four runs", [](unsigned char b) { return b <= 2 || (b >= 10 && b < 20) || b == 100 || b >= 250; }},
        {"every other", [](unsigned char b) { return b % 2 == 0; }},
        {"all", [](unsigned char) { return true; }},
    };
    for (const auto& [name, member] : sets) {
        const replace::ByteSet set = replace::ByteSet::Of(member);
        for (int b = 0; b < 256; ++b) ASSERT_EQ(set.Contains(static_cast<unsigned char>(b)), member(b)) << name;
        ExpectInAgreesWithContains(set, name);
    }
}
