// How the library meets memory. An array is refused only when its byte count cannot be one
// block in this process; whether the memory is there is the allocator's answer, and a failed
// allocation is an answer (false), never an exception that leaves the library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <stdexcept>
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

// Runs `work`, which allocates through the standard library. False when memory runs out
// (std::bad_alloc) or a container is asked for more than it can ever hold (std::length_error);
// what `work` built is then released by unwinding. The library's calls and its loader run
// inside this, so that no allocation failure leaves them as an exception.
template <class Work>
bool CompletedInMemory(Work work) {
  try {
    work();
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::length_error&) {
    return false;
  }
}

// A counted allocation: CompletedInMemory, unless the hook fails it first.
template <class Allocate>
bool Allocated(Allocate allocate) {
  return !AllocationRefused() && CompletedInMemory(allocate);
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
