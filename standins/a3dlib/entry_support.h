// Checks shared by the entry points.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/a3d/a3d_blocks.h"
#include "standins/a3dlib/a3dlib_codes.h"
#include "standins/a3dlib/library_state.h"
#include "standins/a3dlib/store_memory.h"

namespace a3dlib {

// Runs the call when the library is initialised; kErrNotInitialized otherwise. Memory that the
// standard library cannot allocate ends the call here with kErrNoMemory, never in the caller;
// every call changes its entities only once what it needs has been allocated.
template <class Call>
A3dStatus IfReady(Call call) {
  if (!State().initialized) {
    return kErrNotInitialized;
  }
  A3dStatus status = kErrNoMemory;
  a3dstore::CompletedInMemory([&] { status = call(); });
  return status;
}

// The test switch KV_A3D_FAIL_CALL, "<entry>" or "<entry>:<n>" (the first call when no n is
// given), read once by A3DDllInitialize; its count starts afresh.
ForcedFailure ReadForcedFailure();

// True for the call of the entry that the switch read at initialisation refuses.
bool ForcedToFail(const char* entry);

// As IfReady, but kErrForcedFailure when the test switch refuses this call of the entry.
template <class Call>
A3dStatus IfReadyAndNotForced(const char* entry, Call call) {
  return IfReady([&] { return ForcedToFail(entry) ? kErrForcedFailure : call(); });
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

// An array given with its count: null only when empty (kErrNullArgument), and of a byte size
// this process can address (kErrTooLarge: such an array cannot be there).
template <class T>
A3dStatus CheckArray(uint32_t count, const T* array) {
  if (count == 0) {
    return kA3dSuccess;
  }
  if (!array) {
    return kErrNullArgument;
  }
  return a3dstore::FitsInMemory(count, sizeof(T)) ? kA3dSuccess : kErrTooLarge;
}

// A copy of an array that CheckArray accepted; kErrNoMemory, *out unchanged, when it does not
// fit.
template <class T>
A3dStatus CopyArray(uint32_t count, const T* values, std::vector<T>* out) {
  return a3dstore::CopyOf(values, count, out) ? kA3dSuccess : kErrNoMemory;
}

// A caller's zero-terminated name (null: unnamed). Its length stays below 0xFFFFFFFF, the mark
// of an unnamed entity in the file (else kErrTooLarge); kErrNoMemory, *out unchanged, when the
// copy does not fit.
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
