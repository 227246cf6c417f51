// Checks shared by the entry points.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/a3d/a3d_blocks.h"
#include "standins/a3dlib/a3dlib_codes.h"
#include "standins/a3dlib/library_state.h"

namespace a3dlib {

// Runs the call when the library is initialised; kErrNotInitialized otherwise.
template <class Call>
A3dStatus IfReady(Call call) {
  return State().initialized ? call() : kErrNotInitialized;
}

// The test switch KV_A3D_FAIL_CALL, "<entry>" or "<entry>:<n>": true for the n-th call (the
// first when no n is given) of that entry since the last A3DDllInitialize.
bool ForcedToFail(const char* entry);

// As IfReady, but kErrForcedFailure when the test switch refuses this call of the entry.
template <class Call>
A3dStatus IfReadyAndNotForced(const char* entry, Call call) {
  if (!State().initialized) {
    return kErrNotInitialized;
  }
  return ForcedToFail(entry) ? kErrForcedFailure : call();
}

// A block must be there and carry its own size.
template <class Block>
A3dStatus CheckBlock(const Block* block) {
  if (!block) {
    return kErrNullArgument;
  }
  return block->size == sizeof(Block) ? kA3dSuccess : kErrBadBlockSize;
}

// The block when its size is right, else null: what the log may read of a caller's block.
template <class Block>
const Block* Sized(const Block* block) {
  return CheckBlock(block) == kA3dSuccess ? block : nullptr;
}

// An array given with its count: null only when empty, and within the library's limit.
A3dStatus CheckArray(uint32_t count, const void* array);

// A caller's zero-terminated name (null: unnamed), at most kMaxNameBytes long.
A3dStatus ReadName(const char* name, std::optional<std::string>* out);

// The id shown for a handle in the log (0 for null).
unsigned LogId(A3dEntity handle);

#define KV_A3D_TRY(expr)              \
  do {                                \
    const A3dStatus status_ = (expr); \
    if (status_ != kA3dSuccess) {     \
      return status_;                 \
    }                                 \
  } while (0)

}  // namespace a3dlib
