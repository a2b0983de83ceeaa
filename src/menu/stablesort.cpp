#include "menu/stablesort.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace ResultLists {

// std::stable_sort gives the same order as a merge sort that takes the left
// element on equal keys, which is all the rankings rely on.
void StableSortByKey(std::span<qint32> keys, std::span<qint32> payload)
{
    const std::size_t n = std::min(keys.size(), payload.size());
    std::vector<std::pair<qint32, qint32>> pairs(n);
    for (std::size_t i = 0; i < n; ++i)
        pairs[i] = {keys[i], payload[i]};
    std::stable_sort(pairs.begin(), pairs.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    for (std::size_t i = 0; i < n; ++i) {
        keys[i] = pairs[i].first;
        payload[i] = pairs[i].second;
    }
}

} // namespace ResultLists
