// The arrays' storage and the test hook that refuses one allocation.
#include "platform/opennurbs/on_allocation.h"

#include <cstdlib>

namespace {

int refuseAt = 0;     // the allocation to refuse, counted from 1; 0: none
int allocations = 0;  // since the hook was last set

// Counts one allocation; true when the hook refuses it.
bool Refused() {
  ++allocations;
  return allocations == refuseAt;
}

}  // namespace

namespace on_internal {

void* AllocateBlock(std::size_t bytes) {
  return Refused() ? nullptr : std::malloc(bytes);
}

void* GrowBlock(void* block, std::size_t bytes) {
  return Refused() ? nullptr : std::realloc(block, bytes);
}

}  // namespace on_internal

void KvFailArrayAllocationForTesting(int n) {
  refuseAt = n;
  allocations = 0;
}

int KvArrayAllocationsForTesting() {
  return allocations;
}
