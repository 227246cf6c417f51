// What the arrays share: their storage and its read access, and the size arithmetic (counts
// are int, byte counts must fit the address space).
#pragma once

#include <cassert>
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

// The storage both arrays share, { T* m_a; int m_count; int m_capacity; } on every build, and
// the read access to it.
template <class T>
class ArrayStorage {
 public:
  int Count() const { return m_count; }
  int Capacity() const { return m_capacity; }

  T& operator[](int i) {
    assert(i >= 0 && i < m_count);
    return m_a[i];
  }
  const T& operator[](int i) const {
    assert(i >= 0 && i < m_count);
    return m_a[i];
  }
  // Null when i is out of range.
  T* At(int i) { return i >= 0 && i < m_count ? m_a + i : nullptr; }
  const T* At(int i) const { return i >= 0 && i < m_count ? m_a + i : nullptr; }

  T* Array() { return m_a; }
  const T* Array() const { return m_a; }
  // Null when the array is empty.
  T* First() { return m_count > 0 ? m_a : nullptr; }
  const T* First() const { return m_count > 0 ? m_a : nullptr; }
  T* Last() { return m_count > 0 ? m_a + (m_count - 1) : nullptr; }
  const T* Last() const { return m_count > 0 ? m_a + (m_count - 1) : nullptr; }

 protected:
  T* m_a = nullptr;
  int m_count = 0;
  int m_capacity = 0;
};

}  // namespace on_internal
