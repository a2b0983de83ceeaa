#pragma once

#include <QtGlobal>

#include <span>

namespace ResultLists {

// Sorts `keys` ascending and moves `payload` along; equal keys keep their
// order. Only the first min(keys.size(), payload.size()) elements take part.
void StableSortByKey(std::span<qint32> keys, std::span<qint32> payload);

} // namespace ResultLists
