// The shape every Get shares: a block of the right size; a null entity gives the block back;
// otherwise the block is filled with memory attached to it.
#pragma once

#include <vector>

#include "standins/a3dlib/attachment.h"
#include "standins/a3dlib/entry_support.h"

namespace a3dlib {

// Room for the attachment is made before the fill, so that a block is never filled with memory
// that could not then be attached.
template <class Block, class Fill>
A3dStatus GetOrRelease(A3dEntry entry, A3dEntity entity, Block* block, Fill fill) {
  KV_A3D_TRY(CheckBlock(block));
  if (!entity) {
    return Release(entry, *block);
  }
  KV_A3D_TRY(MakeRoomToAttach());
  return fill(entity, block);
}

// The entity's flag for this call makes it fail.
inline A3dStatus Refused(const a3dstore::Base& base, uint32_t flag) {
  return (base.flags & flag) != 0 ? kErrForcedFailure : kA3dSuccess;
}

// An attached array of the handles of ids.
A3dEntity* Handles(BlockMemory* memory, const std::vector<uint32_t>& ids);

// An attached copy of values.
template <class T>
T* Copy(BlockMemory* memory, const std::vector<T>& values) {
  T* copy = Allocate<T>(memory, values.size());
  for (size_t i = 0; copy && i < values.size(); ++i) {
    copy[i] = values[i];
  }
  return copy;
}

// What the log says about the entity argument of a Get.
inline const char* GetTarget(A3dEntity entity) {
  return entity ? "" : " release";
}

}  // namespace a3dlib
