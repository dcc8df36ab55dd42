// Throughput of ReplaceAllIgnoringCase on large texts, beside a plain copy of the same bytes.
#include "bench_util.h"

#include "replace/replace_all_ignoring_case.h"

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
    return 0;
}
