#pragma once
// Adding n entries one by one at their sorted place in the platform's list box moves every
// following entry each time. This works out, in O(n log n), the order the list box would end
// with and the index at which each entry would have landed, so that the entries can be handed
// to the list already in order.
#include <cstddef>
#include <string>
#include <vector>

namespace browse {

struct InsertPlan {
    std::vector<size_t> order;    // indices of the entries, in the list's final order
    std::vector<size_t> landing;  // by entry, in insertion order: the index it landed at
};

// `keys` are the entries' sort keys in the order in which they would be inserted.
InsertPlan PlanSortedInserts(const std::vector<std::string>& keys);

// The index at which each entry would land, told as the entries come one by one, exact up to
// `watched`; a later index is told as some index beyond it. Keeps only the first keys in order,
// so that telling costs little however many entries come.
class EarlyLandings {
public:
    explicit EarlyLandings(size_t watched) : watched_(watched) {}
    size_t Add(const std::string& key);

private:
    size_t watched_;
    size_t count_ = 0;
    // The smallest keys so far, in order, each with every copy of it: at least the first
    // `watched` + 1 of all entries.
    std::vector<std::string> first_;
};

}  // namespace browse
