// Size arithmetic shared by the arrays: counts are int, byte counts must fit the address space.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>

namespace on_internal {

// The largest element count an array of T may hold: an int, whose byte count fits a ptrdiff_t.
template <class T>
constexpr int MaxCount() {
  return static_cast<std::size_t>(PTRDIFF_MAX) / sizeof(T) < static_cast<std::size_t>(INT_MAX)
             ? static_cast<int>(static_cast<std::size_t>(PTRDIFF_MAX) / sizeof(T))
             : INT_MAX;
}

// The capacity to grow to when `needed` elements must fit: at least half again the old capacity
// (so appending one at a time stays linear), never more than `max_count`.
inline int GrownCapacity(int capacity, int needed, int max_count) {
  int grown = capacity < 8 ? 8 : capacity + capacity / 2;
  if (grown > max_count || grown < capacity) {
    grown = max_count;
  }
  return grown > needed ? grown : needed;
}

}  // namespace on_internal
