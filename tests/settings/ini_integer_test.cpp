// How a stored text reads as an integer; 77 stands for the caller's default throughout.
#include "settings/ini_integer.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

constexpr std::int32_t kDefault = 77;

TEST(IniInteger, ReadsDecimalAndHexadecimalFormsAndFallsBackForAnythingElse) {
    const struct {
        const char* text;
        std::int32_t expected;
    } cases[] = {
        // Decimal, with leading spaces and a sign, over the whole 32-bit range.
        {"3", 3},
        {" 3", 3},
        {"   -3", -3},
        {"+3", 3},
        {"0", 0},
        {"-0", 0},
        {"007", 7},
        {"-1", -1},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"2147483648", kDefault},
        {"-2147483649", kDefault},
        {"4294967296", kDefault},
        {"99999999999999999999", kDefault},
        // Every hexadecimal prefix, digits in either case.
        {"0x3", 3},
        {"0X3", 3},
        {"$3", 3},
        {"x3", 3},
        {"X3", 3},
        {" 0x1f", 31},
        {"$aBc", 0xABC},
        // Eight digits are a two's-complement pattern; a ninth is too many, even a leading zero.
        {"$FFFFFFFF", -1},
        {"0xffffffff", -1},
        {"$7FFFFFFF", INT32_MAX},
        {"$80000000", INT32_MIN},
        {"$00000003", 3},
        {"$000000003", kDefault},
        {"$100000000", kDefault},
        // A sign goes before the prefix and negates the pattern.
        {"-$3", -3},
        {"-0x3", -3},
        {"+x3", 3},
        {"-$FFFFFFFF", 1},
        {"-$80000000", INT32_MIN},
        {"$-3", kDefault},
        {"0x-3", kDefault},
        {"$+3", kDefault},
        // Hexadecimal digits without a prefix are no number.
        {"FFFFFFFF", kDefault},
        // Nothing may stand between the sign and the digits, nor after the digits.
        {"- 3", kDefault},
        {"--3", kDefault},
        {"+-3", kDefault},
        {"3a", kDefault},
        {"3 ", kDefault},
        {"0x3g", kDefault},
        {"3.0", kDefault},
        {"\t3", kDefault},
        // No digits at all.
        {"", kDefault},
        {"   ", kDefault},
        {"-", kDefault},
        {"+", kDefault},
        {"$", kDefault},
        {"x", kDefault},
        {"0x", kDefault},
        {"-0x", kDefault},
        {"True", kDefault},
    };
    for (const auto& c : cases) EXPECT_EQ(settings::ParseIniInteger(c.text, kDefault), c.expected) << '"' << c.text << '"';
}

}  // namespace
