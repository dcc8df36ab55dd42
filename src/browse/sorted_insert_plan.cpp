#include "browse/sorted_insert_plan.h"

#include <algorithm>
#include <cstdint>

namespace browse {

namespace {

// Counts of inserted entries per group of equal keys, with sums over the groups before one.
class Counts {
public:
    explicit Counts(size_t groups) : tree_(groups + 1, 0) {}
    void Add(size_t group) {
        for (size_t i = group + 1; i < tree_.size(); i += i & (~i + 1)) ++tree_[i];
    }
    size_t Before(size_t group) const {
        size_t sum = 0;
        for (size_t i = group; i > 0; i -= i & (~i + 1)) sum += tree_[i];
        return sum;
    }

private:
    std::vector<size_t> tree_;
};

// The list box's binary search over `count` sorted entries, of which those at [equalFrom,
// equalTo) compare equal to the new one: it inserts before the first equal entry it probes, or
// else at the place where the search ends.
size_t LandingIndex(size_t count, size_t equalFrom, size_t equalTo) {
    ptrdiff_t low = 0, high = static_cast<ptrdiff_t>(count) - 1;
    while (low <= high) {
        ptrdiff_t middle = (low + high) / 2;
        if (static_cast<size_t>(middle) < equalFrom) low = middle + 1;
        else if (static_cast<size_t>(middle) >= equalTo) high = middle - 1;
        else return static_cast<size_t>(middle);
    }
    return static_cast<size_t>(low);
}

// The first eight bytes of a key as a number that orders as the bytes do; most comparisons end there.
uint64_t KeyPrefix(const std::string& key) {
    uint64_t prefix = 0;
    for (size_t i = 0; i < 8; ++i)
        prefix = (prefix << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
    return prefix;
}

}  // namespace

InsertPlan PlanSortedInserts(const std::vector<std::string>& keys) {
    const size_t n = keys.size();
    // Sorted by key and, within equal keys, by insertion order.
    struct Item {
        uint64_t prefix;
        size_t entry;
    };
    std::vector<Item> items(n);
    for (size_t i = 0; i < n; ++i) items[i] = {KeyPrefix(keys[i]), i};
    std::sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
        if (a.prefix != b.prefix) return a.prefix < b.prefix;
        int c = keys[a.entry].compare(keys[b.entry]);
        return c != 0 ? c < 0 : a.entry < b.entry;
    });
    std::vector<size_t> sorted(n);
    for (size_t i = 0; i < n; ++i) sorted[i] = items[i].entry;
    std::vector<size_t> group(n), groupStart;
    for (size_t i = 0; i < n; ++i) {
        if (i == 0 || keys[sorted[i]] != keys[sorted[i - 1]]) groupStart.push_back(i);
        group[sorted[i]] = groupStart.size() - 1;
    }

    InsertPlan plan;
    plan.landing.resize(n);
    std::vector<size_t> inGroup(groupStart.size(), 0);
    std::vector<size_t> offset(n);  // where in its group of equals each entry went
    Counts counts(groupStart.size());
    for (size_t entry = 0; entry < n; ++entry) {
        size_t g = group[entry];
        size_t before = counts.Before(g);
        plan.landing[entry] = LandingIndex(entry, before, before + inGroup[g]);
        offset[entry] = plan.landing[entry] - before;
        ++inGroup[g];
        counts.Add(g);
    }

    // Replay the inserts within each group to get its final order; groups are nearly always single.
    plan.order.reserve(n);
    groupStart.push_back(n);
    for (size_t g = 0; g + 1 < groupStart.size(); ++g) {
        auto first = plan.order.end() - plan.order.begin();
        for (size_t i = groupStart[g]; i < groupStart[g + 1]; ++i)
            plan.order.insert(plan.order.begin() + first + static_cast<ptrdiff_t>(offset[sorted[i]]), sorted[i]);
    }
    return plan;
}

size_t EarlyLandings::Add(const std::string& key) {
    const size_t count = count_++;
    // More than `watched` entries sort before it.
    if (first_.size() > watched_ && key > first_.back()) return first_.size();
    const auto from = std::lower_bound(first_.begin(), first_.end(), key);
    const auto to = std::upper_bound(from, first_.end(), key);
    const size_t less = static_cast<size_t>(from - first_.begin());
    const size_t landing = LandingIndex(count, less, less + static_cast<size_t>(to - from));
    first_.insert(to, key);
    // The last group of equal keys goes once more than `watched` keys stand before it; one key
    // more can push only that one group out.
    const auto last = std::lower_bound(first_.begin(), first_.end(), first_.back());
    if (static_cast<size_t>(last - first_.begin()) > watched_) first_.erase(last, first_.end());
    return landing;
}

}  // namespace browse
