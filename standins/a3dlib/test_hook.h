// The library's one test hook, exported beside the entry points under a name of its own: with
// it a test makes one of the library's allocations fail. The plug-in never binds it.
#pragma once

#include <cstdint>

#include "platform/a3d/a3d_signatures.h"

// KvA3dFailAllocation(skip): after `skip` more counted allocations the library fails the next
// one, once; a negative `skip` fails none (store_memory.h says which allocations count).
constexpr char kKvA3dFailAllocationName[] = "KvA3dFailAllocation";
using KvA3dFailAllocationFn = void(A3DCALL*)(int32_t skip);
