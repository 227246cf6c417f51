#include "standins/a3dlib/store_memory.h"

namespace a3dstore {
namespace {

// Counted allocations still to pass before the hook fails one; negative: the hook is off.
int32_t g_allocationsBeforeFailure = -1;

}  // namespace

void FailAllocationAfter(int32_t skip) {
  g_allocationsBeforeFailure = skip < 0 ? -1 : skip;
}

bool AllocationRefused() {
  if (g_allocationsBeforeFailure < 0) {
    return false;
  }
  return g_allocationsBeforeFailure-- == 0;
}

}  // namespace a3dstore
