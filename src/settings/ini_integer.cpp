#include "settings/ini_integer.h"

#include <optional>

namespace settings {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// One to eight hexadecimal digits and nothing else, as an unsigned bit pattern.
std::optional<std::uint32_t> ParseHex(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : digits) {
        int digit = HexDigit(c);
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

// Decimal digits and nothing else, as a magnitude up to 2^31 (the size of the most negative value).
std::optional<std::uint32_t> ParseDecimal(std::string_view digits) {
    constexpr std::uint32_t kLimit = 0x80000000u;
    if (digits.empty()) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        std::uint32_t digit = static_cast<std::uint32_t>(c - '0');
        if (value > (kLimit - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

bool StartsWithHexPrefix(std::string_view text, size_t& prefixLength) {
    if (text.empty()) return false;
    if (text[0] == '$' || text[0] == 'x' || text[0] == 'X') {
        prefixLength = 1;
        return true;
    }
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        prefixLength = 2;
        return true;
    }
    return false;
}

}  // namespace

std::int32_t ParseIniInteger(std::string_view text, std::int32_t defaultValue) {
    size_t at = text.find_first_not_of(' ');
    if (at == std::string_view::npos) return defaultValue;
    text.remove_prefix(at);
    bool negative = false;
    if (text[0] == '+' || text[0] == '-') {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    size_t prefixLength = 0;
    if (StartsWithHexPrefix(text, prefixLength)) {
        std::optional<std::uint32_t> pattern = ParseHex(text.substr(prefixLength));
        if (!pattern) return defaultValue;
        // Negation and the pattern's sign both wrap in 32 bits, as the stored pattern means.
        std::uint32_t bits = negative ? 0u - *pattern : *pattern;
        return static_cast<std::int32_t>(bits);
    }
    std::optional<std::uint32_t> magnitude = ParseDecimal(text);
    if (!magnitude || (!negative && *magnitude > 0x7FFFFFFFu)) return defaultValue;
    return static_cast<std::int32_t>(negative ? 0u - *magnitude : *magnitude);
}

}  // namespace settings
