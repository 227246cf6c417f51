// ON_SimpleArray<T>: a growable array of trivially copyable values.
//
// Storage comes from malloc/realloc and goes back with free, never new/delete: each module links
// its own copy of this code and an array filled in one module is freed in another, which holds
// because every module uses the one C runtime heap. Members are laid out as
// { T* m_a; int m_count; int m_capacity; } and no virtual function, on every build.
//
// When memory runs out a call fails and leaves the array as it was: Reserve, SetCount,
// SetCapacity and Append answer false; AppendNew answers a spare element outside the array
// (Count() does not change).
#pragma once

#include <cassert>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <type_traits>

#include "platform/opennurbs/on_allocation.h"
#include "platform/opennurbs/on_array_limits.h"

template <class T>
class ON_SimpleArray : public on_internal::ArrayStorage<T> {
  using Storage = on_internal::ArrayStorage<T>;
  using Storage::m_a;
  using Storage::m_capacity;
  using Storage::m_count;

  static_assert(std::is_trivially_copyable<T>::value,
                "ON_SimpleArray copies its elements as bytes; use ON_ClassArray");

 public:
  ON_SimpleArray() = default;
  explicit ON_SimpleArray(int capacity) { Reserve(capacity); }
  // The copy holds exactly the other's elements; if memory runs out it is empty.
  ON_SimpleArray(const ON_SimpleArray& other) { Assign(other); }
  ON_SimpleArray(ON_SimpleArray&& other) noexcept { Take(other); }
  ~ON_SimpleArray() { std::free(m_a); }

  // If memory runs out the array is left as it was.
  ON_SimpleArray& operator=(const ON_SimpleArray& other) {
    if (this != &other) {
      Assign(other);
    }
    return *this;
  }
  ON_SimpleArray& operator=(ON_SimpleArray&& other) noexcept {
    if (this != &other) {
      Destroy();
      Take(other);
    }
    return *this;
  }

  // Makes room for n elements in all (exactly n when it has to allocate).
  bool Reserve(int n) {
    if (n <= m_capacity) {
      return true;
    }
    return Reallocate(n);
  }

  // Sets the capacity to exactly n; elements past n are dropped. 0 frees the storage.
  bool SetCapacity(int n) {
    if (n < 0) {
      return false;
    }
    if (n == 0) {
      Destroy();
      return true;
    }
    if (n == m_capacity) {
      return true;
    }
    return Reallocate(n);
  }

  // Shrinks, or grows with zero-filled elements.
  bool SetCount(int n) {
    if (n < 0 || (n > m_capacity && !Grow(n))) {
      return false;
    }
    if (n > m_count) {
      std::memset(static_cast<void*>(m_a + m_count), 0, sizeof(T) * (n - m_count));
    }
    m_count = n;
    return true;
  }

  bool Append(const T& x) {
    if (m_count == m_capacity) {
      const T copy = x;  // x may live in the storage that growing frees
      if (!Grow(m_count + 1)) {
        return false;
      }
      m_a[m_count++] = copy;
      return true;
    }
    m_a[m_count++] = x;
    return true;
  }

  // Appends n elements copied from p, which may point into this array.
  bool Append(int n, const T* p) {
    if (n == 0) {
      return true;
    }
    // n is bounded on its own first, so that the copy's byte count below visibly fits.
    if (n < 0 || p == nullptr || n > on_internal::MaxCount<T>() ||
        m_count > on_internal::MaxCount<T>() - n) {
      return false;
    }
    if (m_count + n > m_capacity) {
      const bool inside = m_a != nullptr && !std::less<const T*>()(p, m_a) &&
                          std::less<const T*>()(p, m_a + m_capacity);
      const std::ptrdiff_t offset = inside ? p - m_a : 0;
      if (!Grow(m_count + n)) {
        return false;
      }
      if (inside) {
        p = m_a + offset;
      }
    }
    std::memmove(static_cast<void*>(m_a + m_count), p, sizeof(T) * n);
    m_count += n;
    return true;
  }

  // Appends a value-initialised element and answers it.
  T& AppendNew() {
    if (m_count == m_capacity && !Grow(m_count + 1)) {
      static T spare;
      spare = T();
      return spare;
    }
    m_a[m_count] = T();
    return m_a[m_count++];
  }

  // Forgets the elements, keeps the storage.
  void Empty() { m_count = 0; }

  // Frees the storage.
  void Destroy() {
    std::free(m_a);
    m_a = nullptr;
    m_count = 0;
    m_capacity = 0;
  }

 private:
  bool Grow(int needed) {
    if (needed > on_internal::MaxCount<T>()) {
      return false;
    }
    return Reallocate(on_internal::GrownCapacity(m_capacity, needed, on_internal::MaxCount<T>()));
  }

  bool Reallocate(int capacity) {
    if (capacity > on_internal::MaxCount<T>()) {
      return false;
    }
    const std::size_t bytes = sizeof(T) * static_cast<std::size_t>(capacity);
    // Shrinking gives memory back: it is no allocation and may fail only harmlessly.
    void* p = capacity > m_capacity ? on_internal::GrowBlock(m_a, bytes) : std::realloc(m_a, bytes);
    if (p == nullptr) {
      return false;
    }
    m_a = static_cast<T*>(p);
    m_capacity = capacity;
    if (m_count > capacity) {
      m_count = capacity;
    }
    return true;
  }

  void Assign(const ON_SimpleArray& other) {
    if (other.m_count > m_capacity) {
      // A fresh block: the old elements need not be carried over as realloc would.
      void* p = on_internal::AllocateBlock(sizeof(T) * static_cast<std::size_t>(other.m_count));
      if (p == nullptr) {
        return;
      }
      std::free(m_a);
      m_a = static_cast<T*>(p);
      m_capacity = other.m_count;
    }
    if (other.m_count > 0) {
      std::memcpy(static_cast<void*>(m_a), other.m_a, sizeof(T) * other.m_count);
    }
    m_count = other.m_count;
  }

  void Take(ON_SimpleArray& other) {
    m_a = other.m_a;
    m_count = other.m_count;
    m_capacity = other.m_capacity;
    other.m_a = nullptr;
    other.m_count = 0;
    other.m_capacity = 0;
  }
};
