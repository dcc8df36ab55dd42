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

}  // namespace browse
