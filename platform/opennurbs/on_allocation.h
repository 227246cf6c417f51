// Where the toolkit's arrays get their storage, and the test hook that makes it run out.
//
// Every block that an array grows into comes from AllocateBlock or GrowBlock, so that a test
// can refuse the n-th of them and see each caller meet a memory failure exactly as it would
// when the heap is exhausted. Giving memory back (free, or a realloc that shrinks) is not an
// allocation and is never refused.
#pragma once

#include <cstddef>

namespace on_internal {

// malloc, unless the test hook refuses this allocation (then null).
void* AllocateBlock(std::size_t bytes);
// realloc to a larger size, unless the test hook refuses it (then null, block untouched).
void* GrowBlock(void* block, std::size_t bytes);

}  // namespace on_internal

// For tests in the same process: from this call on, the n-th allocation of the toolkit's
// arrays fails (n counted from 1), and only that one; 0 refuses none. Either way the count of
// allocations starts again at 0. Off unless a test turns it on; nothing else reads it.
void KvFailArrayAllocationForTesting(int n);

// The allocations the arrays have made since the last KvFailArrayAllocationForTesting, the
// refused one included.
int KvArrayAllocationsForTesting();
