// Throughput of ReplaceAllIgnoringCase on large texts, beside a plain copy of the same bytes.
#include "bench_util.h"

#include "platform/code_page.h"
#include "platform/upper_case_table.h"
#include "replace/replace_all_ignoring_case.h"

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

struct Text {
    std::string bytes;
    size_t planted = 0;
};

// Words of mixed case from a small vocabulary, with `planted` put in place of a word once every
// `spacing` words on average.
Text MakeText(size_t size, const std::string& planted, size_t spacing) {
    static const char* const kWords[] = {"the", "Quick", "brown", "FOX", "jumps", "over", "lazy", "Dog",
                                         "lorem", "ipsum", "dolor", "sit", "amet,", "\r\n", "\t", "caf\xE9"};
    std::mt19937 random(7);
    std::uniform_int_distribution<size_t> word(0, std::size(kWords) - 1), plant(0, spacing - 1);
    Text text;
    text.bytes.reserve(size + 64);
    while (text.bytes.size() < size) {
        bool plantHere = plant(random) == 0;
        text.bytes += plantHere ? planted : kWords[word(random)];
        text.bytes += ' ';
        if (plantHere && text.bytes.size() <= size) ++text.planted;
    }
    text.bytes.resize(size);
    return text;
}

struct Case {
    const char* name;
    std::string search, replacement;
    size_t spacing;
};

// A code page other than the system's, with Windows' own tables for it: CharUpperBuffA's way
// (to UTF-16, upper case, back) with that code page in place of the ANSI one.
class NamedCodePage final : public platform::CodePage {
public:
    explicit NamedCodePage(UINT codePage) : codePage_(codePage) {
        CPINFO info{};
        hasLeadBytes_ = ::GetCPInfo(codePage, &info) && info.MaxCharSize > 1;
    }
    void UpperInPlace(char* text, size_t length) override {
        const int n = static_cast<int>(length);
        std::wstring wide(length, L'\0');
        wide.resize(static_cast<size_t>(::MultiByteToWideChar(codePage_, 0, text, n, wide.data(), n)));
        ::CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
        ::WideCharToMultiByte(codePage_, 0, wide.data(), static_cast<int>(wide.size()), text, n, nullptr, nullptr);
    }
    bool HasLeadBytes() override { return hasLeadBytes_; }
    bool IsLeadByte(unsigned char byte) override { return hasLeadBytes_ && ::IsDBCSLeadByteEx(codePage_, byte); }

private:
    UINT codePage_;
    bool hasLeadBytes_;
};

// Whether the stand-in's tables are the system's, where both are of the same code page.
bool SameTables(const platform::UpperCaseTable& a, const platform::UpperCaseTable& b) {
    for (int x = 0; x < 256; ++x) {
        const auto byte = static_cast<unsigned char>(x);
        if (a.Single(byte) != b.Single(byte) || a.IsLeadByte(byte) != b.IsLeadByte(byte)) return false;
        for (int trail = 1; trail < 256 && a.IsLeadByte(byte); ++trail)
            if (a.Pair(byte, static_cast<unsigned char>(trail)) != b.Pair(byte, static_cast<unsigned char>(trail)))
                return false;
    }
    return true;
}

// Code pages 932 and 1252 on the same texts, in turns, each time the best of five by processor
// time: the system's own code page is one of them, Windows' tables of the other one stand in.
void CompareCodePages(const Case (&cases)[3]) {
    const UINT system = ::GetACP();
    NamedCodePage other(system == 932 ? 1252 : 932);
    platform::CodePage& cp932 = system == 932 ? platform::SystemCodePage() : other;
    platform::CodePage& cp1252 = system == 932 ? other : platform::SystemCodePage();
    NamedCodePage systemByName(system);
    std::printf("\ncode page %u by name has the system's tables: %s\n", system,
                SameTables(systemByName.Table(), platform::SystemCodePage().Table()) ? "yes" : "NO");
    std::printf("code page 932 against 1252 (system code page %u), 64 MiB, processor time\n", system);
    std::printf("%-26s %12s %12s %10s\n", "case", "1252", "932", "932/1252");
    for (const Case& c : cases) {
        const Text text = MakeText(64 * bench::kMebibyte, c.search, c.spacing);
        size_t sink = 0;
        auto time = [&](platform::CodePage& codePage) {
            return bench::BestTiming(5, [&] {
                sink += replace::ReplaceAllIgnoringCase(text.bytes, c.search, c.replacement, codePage).size();
            });
        };
        bench::Timing t1252 = time(cp1252), t932 = time(cp932);
        // A second turn each, so that a busy moment of the machine weighs on both alike.
        const bench::Timing again1252 = time(cp1252), again932 = time(cp932);
        t1252.cpu = std::min(t1252.cpu, again1252.cpu);
        t932.cpu = std::min(t932.cpu, again932.cpu);
        std::printf("%-26s %12s %12s %9.2fx\n", c.name, bench::FormatRate(text.bytes.size(), t1252.cpu).c_str(),
                    bench::FormatRate(text.bytes.size(), t932.cpu).c_str(), t932.cpu / t1252.cpu);
        if (sink == 0) std::printf("(nothing produced)\n");
    }
}

}  // namespace

// "wall / cpu" rates of one measurement.
std::string Rates(size_t bytes, const bench::Timing& t) {
    return bench::FormatRate(bytes, t.wall) + " / " + bench::FormatRate(bytes, t.cpu);
}

int main() {
    const Case cases[] = {
        {"sparse (1 in ~700 words)", "NeedLE", "pin", 700},
        {"dense (every 2nd word)", "cat", "Dog", 2},
        {"dense, longer replacement", "cat", "kittens", 2},
    };
    // Rates on the steady clock / on the process's processor time. Any function that returns a
    // new text pays for fresh memory as "fresh copy", std::string(text), does; "memcpy" copies
    // into a buffer already in use. Ratios are times over the baseline's, by processor time.
    std::printf("ANSI code page %u\n", ::GetACP());
    std::printf("%-26s %3s %8s  %-29s %-29s %-29s %7s %7s\n", "case", "MiB", "matches", "replace",
                "memcpy", "fresh copy", "/memcpy", "/fresh");
    for (const Case& c : cases) {
        for (size_t mib : {16, 32, 64}) {
            const Text text = MakeText(mib * bench::kMebibyte, c.search, c.spacing);
            const size_t size = text.bytes.size();
            std::vector<char> copy(size);
            size_t sink = 0;
            const bench::Timing memcpyTime =
                bench::BestTiming(5, [&] { std::memcpy(copy.data(), text.bytes.data(), size); });
            const bench::Timing freshTime = bench::BestTiming(5, [&] { sink += std::string(text.bytes).size(); });
            const bench::Timing replaceTime = bench::BestTiming(5, [&] {
                sink += replace::ReplaceAllIgnoringCase(text.bytes, c.search, c.replacement).size();
            });
            std::printf("%-26s %3zu %8zu  %-29s %-29s %-29s %6.1fx %6.1fx\n", c.name, mib, text.planted,
                        Rates(size, replaceTime).c_str(), Rates(size, memcpyTime).c_str(),
                        Rates(size, freshTime).c_str(), replaceTime.cpu / memcpyTime.cpu,
                        replaceTime.cpu / freshTime.cpu);
            if (sink == 0) std::printf("(nothing produced)\n");
        }
    }
    // The fixed cost of one call on a short text (the code page's tables are made before).
    const std::string line = "A short line of text with one Needle in it.\r\n";
    const bench::Timing call = bench::BestTiming(3, [&] { replace::ReplaceAllIgnoringCase(line, "needle", "pin"); });
    std::printf("one call on a %zu-byte line: %.1f us\n", line.size(), call.wall * 1e6);
    CompareCodePages(cases);
    return 0;
}
