// How the library meets memory. An array is refused only when its byte count cannot be one
// block in this process; whether the memory is there is the allocator's answer, and a failed
// allocation is an answer (false), never an exception that leaves the library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

namespace a3dstore {

// Whether `count` values of `size` bytes each can be one block here: their byte count neither
// overflows size_t nor passes the largest object (PTRDIFF_MAX, 2 GiB less a byte on a 32-bit
// build). The one limit on an array's count that the library sets.
constexpr bool FitsInMemory(uint64_t count, size_t size) {
  return size != 0 && count <= uint64_t(PTRDIFF_MAX) / size;
}

// Test hook: after `skip` more counted allocations the next one fails, once; a negative `skip`
// fails none. Counted are the allocations made through Allocated (arrays, tables, names, new
// entities) and the blocks a Get fills.
void FailAllocationAfter(int32_t skip);

// Asked before each counted allocation: true when the hook fails this one.
bool AllocationRefused();

// Runs `allocate`, which allocates through the standard library. False when the hook refuses it
// or memory runs out; what it built is then released by unwinding.
template <class Allocate>
bool Allocated(Allocate allocate) {
  if (AllocationRefused()) {
    return false;
  }
  try {
    allocate();
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

// `count` value-initialised values. False, with *values unchanged, when they do not fit.
template <class T>
bool Resize(std::vector<T>* values, uint64_t count) {
  return FitsInMemory(count, sizeof(T)) && Allocated([&] { values->resize(size_t(count)); });
}

// A copy of `count` values (which must all be there). False, with *out unchanged, when the copy
// does not fit.
template <class T>
bool CopyOf(const T* values, uint64_t count, std::vector<T>* out) {
  std::vector<T> copy;
  if (!FitsInMemory(count, sizeof(T)) ||
      !Allocated([&] { copy.assign(values, values + size_t(count)); })) {
    return false;
  }
  out->swap(copy);
  return true;
}

}  // namespace a3dstore
