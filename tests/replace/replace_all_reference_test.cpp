// ReplaceAllIgnoringCase against the rewrite in its plainest form, on random texts.
#include "replace/replace_all_ignoring_case.h"

#include "platform/code_page.h"

#include "support/code_page_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

size_t FirstPlace(const std::string& upper, const std::string& pattern, platform::CodePage& codePage) {
    if (pattern.empty()) return std::string::npos;
    for (size_t i = 0; i + pattern.size() <= upper.size(); ++i) {
        if (upper.compare(i, pattern.size(), pattern) == 0) return i;
        if (codePage.IsLeadByte(static_cast<unsigned char>(upper[i]))) ++i;
    }
    return std::string::npos;
}

// The upper-case form of each stretch between zero bytes on its own: a zero byte ends a text
// whatever stands before it, and no character takes it for its second byte.
std::string Upper(std::string text, platform::CodePage& codePage) {
    for (size_t begin = 0; begin <= text.size();) {
        size_t end = std::min(text.find('\0', begin), text.size());
        codePage.UpperInPlace(text.data() + begin, end - begin);
        begin = end + 1;
    }
    return text;
}

// Upper-case copies, then find, cut both and search again: quadratic, but plain enough to trust.
std::string Reference(const std::string& text, const std::string& search, const std::string& replacement,
                      platform::CodePage& codePage) {
    std::string upper = Upper(text, codePage), pattern = Upper(search, codePage), rest = text, result;
    while (!upper.empty()) {
        size_t at = FirstPlace(upper.c_str(), pattern.c_str(), codePage);
        if (at == std::string::npos) break;
        result += rest.substr(0, at) + replacement;
        rest.erase(0, at + search.size());
        upper.erase(0, at + pattern.size());
    }
    return result + rest;
}

// Lead bytes 0x81-0x84. A two-byte character's upper case depends on both bytes: after 0x81 the
// trail letter is raised, after 0x83 it is not, and 0x84 turns into a plain 'Z', so that the
// upper-case form has other character boundaries than the text.
class FakeDoubleByteCodePage final : public platform::CodePage {
public:
    void UpperInPlace(char* text, size_t length) override {
        auto* bytes = reinterpret_cast<unsigned char*>(text);
        for (size_t i = 0; i < length; ++i) {
            if (IsLeadByte(bytes[i]) && i + 1 < length) {
                if (bytes[i] == 0x81) bytes[i + 1] = Ascii(bytes[i + 1]);
                if (bytes[i] == 0x84) bytes[i] = 'Z';
                ++i;
            } else {
                bytes[i] = bytes[i] == 0xE9 ? 0xC9 : Ascii(bytes[i]);
            }
        }
    }
    bool HasLeadBytes() override { return true; }
    bool IsLeadByte(unsigned char byte) override { return byte >= 0x81 && byte <= 0x84; }

private:
    static unsigned char Ascii(unsigned char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; }
};

// Eight bytes share each upper-case form, and some bytes other than zero become zero.
class FakeCoarseCodePage final : public platform::CodePage {
public:
    void UpperInPlace(char* text, size_t length) override {
        for (size_t i = 0; i < length; ++i) text[i] = static_cast<char>(text[i] & 0xF1);
    }
    bool HasLeadBytes() override { return false; }
    bool IsLeadByte(unsigned char) override { return false; }
};

// Texts of up to `longest` bytes, half of them much shorter.
void CompareWithReference(platform::CodePage& codePage, const std::string& alphabet, int iterations,
                          size_t longest = 120) {
    std::mt19937 random(20240607);
    auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n)(random); };
    auto word = [&](size_t maxLength) {
        std::string s(pick(maxLength), ' ');
        for (char& c : s) c = alphabet[pick(alphabet.size() - 1)];
        return s;
    };
    for (int i = 0; i < iterations; ++i) {
        std::string text = word(pick(1) ? 12 : longest);
        // Half the search texts are taken from the text itself so that most of them occur.
        std::string search = word(4);
        if (pick(1) && !text.empty()) {
            size_t from = pick(text.size() - 1);
            search = text.substr(from, 1 + pick(3));
        }
        std::string replacement = word(5);
        ASSERT_EQ(replace::ReplaceAllIgnoringCase(text, search, replacement, codePage),
                  Reference(text, search, replacement, codePage))
            << "iteration " << i << ", text " << testing::PrintToString(text) << ", search "
            << testing::PrintToString(search) << ", replacement " << testing::PrintToString(replacement);
    }
}

}  // namespace

TEST(ReplaceAllIgnoringCaseReference, AgreesInTheSystemCodePage) {
    using namespace std::string_literals;
    CompareWithReference(platform::SystemCodePage(), "aAbBx\xE9\xC9\xFF\r\n\0"s, 20000);
}

TEST(ReplaceAllIgnoringCaseReference, AgreesInCodePage932) {
    using namespace std::string_literals;
    if (test_support::ExpectedCodePage() != 932) GTEST_SKIP() << "runs in the code page 932 run only";
    // Lead bytes (0x81-0x84, 0xE0), second bytes that are letters or lead bytes themselves, the
    // pair 0x82 0x81 whose upper case is 0x82 0x60, and the zero byte.
    const std::string alphabet = "aAb\x81\x82\x83\x84\xE0\x60\x61\x41\x45\x9F\0"s;
    CompareWithReference(platform::SystemCodePage(), alphabet, 20000);
    // Texts that run over many blocks of the search, with long runs of lead bytes.
    CompareWithReference(platform::SystemCodePage(), alphabet.substr(0, alphabet.size() - 1), 300, 3000);
}

TEST(ReplaceAllIgnoringCaseReference, AgreesWhereManyBytesShareAnUpperCaseForm) {
    FakeCoarseCodePage codePage;
    CompareWithReference(codePage, "\x01\x02\x03\x10\x11\x12\x13\x22", 20000);
}

TEST(ReplaceAllIgnoringCaseReference, AgreesInADoubleByteCodePage) {
    using namespace std::string_literals;
    FakeDoubleByteCodePage codePage;
    CompareWithReference(codePage, "aAbx\x81\x82\x83\x84\xE9\0"s, 20000);
    CompareWithReference(codePage, "aAbx\x81\x82\x83\x84\xE9"s, 300, 3000);
}
