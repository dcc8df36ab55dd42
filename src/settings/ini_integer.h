#pragma once
// The integer form of a settings value: what a stored text means as a signed 32-bit number.
#include <cstdint>
#include <string_view>

namespace settings {

// Leading spaces, one optional sign, then either decimal digits within the 32-bit range or a
// "$", "x", "X", "0x" or "0X" prefix with one to eight hexadecimal digits, read as a 32-bit
// two's-complement pattern (a "-" before the prefix negates it). Nothing may follow the digits;
// any other text gives `defaultValue`.
std::int32_t ParseIniInteger(std::string_view text, std::int32_t defaultValue);

}  // namespace settings
