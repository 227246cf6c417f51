// ON_ClassArray<T>: a growable array that owns objects of a class.
//
// Storage comes from malloc and goes back with free (see on_simple_array.h for why). Elements
// are constructed in place; growing moves them one by one into a new block, since realloc would
// move bytes under objects that may point into themselves.
//
// When memory runs out a call fails and leaves the array as it was: Reserve and Append answer
// false; AppendNew answers a spare object outside the array (Count() does not change).
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdlib>
#include <new>
#include <utility>

#include "platform/opennurbs/on_allocation.h"
#include "platform/opennurbs/on_array_limits.h"

template <class T>
class ON_ClassArray : public on_internal::ArrayStorage<T> {
  using Storage = on_internal::ArrayStorage<T>;
  using Storage::m_a;
  using Storage::m_capacity;
  using Storage::m_count;

  static_assert(alignof(T) <= alignof(std::max_align_t), "malloc cannot align this type");

 public:
  ON_ClassArray() = default;
  explicit ON_ClassArray(int capacity) { Reserve(capacity); }
  // The copy holds a copy of every element; if memory runs out it is empty.
  ON_ClassArray(const ON_ClassArray& other) {
    if (other.m_count > 0 && Relocate(other.m_count)) {
      for (int i = 0; i < other.m_count; ++i) {
        new (static_cast<void*>(m_a + i)) T(other.m_a[i]);
      }
      m_count = other.m_count;
    }
  }
  ON_ClassArray(ON_ClassArray&& other) noexcept { Swap(other); }
  ~ON_ClassArray() { Destroy(); }

  // If memory runs out the array is left as it was.
  ON_ClassArray& operator=(const ON_ClassArray& other) {
    if (this != &other) {
      ON_ClassArray copy(other);
      if (copy.m_count == other.m_count) {
        Swap(copy);
      }
    }
    return *this;
  }
  ON_ClassArray& operator=(ON_ClassArray&& other) noexcept {
    if (this != &other) {
      Destroy();
      Swap(other);
    }
    return *this;
  }

  // Makes room for n elements in all (exactly n when it has to allocate).
  bool Reserve(int n) { return n <= m_capacity || Relocate(n); }

  // Stores a copy of x, which may be an element of this array.
  bool Append(const T& x) {
    if (m_count < m_capacity) {
      new (static_cast<void*>(m_a + m_count)) T(x);
      ++m_count;
      return true;
    }
    const int capacity = GrowthFor(m_count + 1);
    T* block = NewBlock(capacity);
    if (block == nullptr) {
      return false;
    }
    new (static_cast<void*>(block + m_count)) T(x);  // before x's storage can go away
    Adopt(block, capacity);
    ++m_count;
    return true;
  }

  // Appends a default-constructed element and answers it.
  T& AppendNew() {
    if (m_count == m_capacity) {
      const int capacity = GrowthFor(m_count + 1);
      T* block = NewBlock(capacity);
      if (block == nullptr) {
        static T spare;
        spare = T();
        return spare;
      }
      Adopt(block, capacity);
    }
    new (static_cast<void*>(m_a + m_count)) T();
    return m_a[m_count++];
  }

  // Destroys the elements, keeps the storage.
  void Empty() {
    for (int i = m_count; i > 0; --i) {
      m_a[i - 1].~T();
    }
    m_count = 0;
  }

  // Destroys the elements and frees the storage.
  void Destroy() {
    Empty();
    std::free(m_a);
    m_a = nullptr;
    m_capacity = 0;
  }

 private:
  // The capacity to grow to so that `needed` elements fit; 0 when that is too many.
  int GrowthFor(int needed) const {
    const int max_count = on_internal::MaxCount<T>();
    return needed < 0 || needed > max_count
               ? 0
               : on_internal::GrownCapacity(m_capacity, needed, max_count);
  }

  // Uninitialised storage for `capacity` elements; null when refused or out of memory.
  static T* NewBlock(int capacity) {
    if (capacity <= 0 || capacity > on_internal::MaxCount<T>()) {
      return nullptr;
    }
    return static_cast<T*>(
        on_internal::AllocateBlock(sizeof(T) * static_cast<std::size_t>(capacity)));
  }

  // Moves the elements into `block` of `capacity` and frees the old storage.
  void Adopt(T* block, int capacity) {
    for (int i = 0; i < m_count; ++i) {
      new (static_cast<void*>(block + i)) T(std::move(m_a[i]));
      m_a[i].~T();
    }
    std::free(m_a);
    m_a = block;
    m_capacity = capacity;
  }

  // Moves the elements into a block of exactly `capacity`.
  bool Relocate(int capacity) {
    T* block = capacity >= m_count ? NewBlock(capacity) : nullptr;
    if (block == nullptr) {
      return false;
    }
    Adopt(block, capacity);
    return true;
  }

  void Swap(ON_ClassArray& other) {
    std::swap(m_a, other.m_a);
    std::swap(m_count, other.m_count);
    std::swap(m_capacity, other.m_capacity);
  }
};
