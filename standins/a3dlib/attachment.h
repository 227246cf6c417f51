// Blocks that a Get has filled with pointers to library memory. The same Get with a null
// entity and the filled block releases the memory. Every successful Get attaches one record,
// also when the block holds no array, so that a reader that skips a release is seen in the
// counts whatever it read.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/a3d/a3d_entry_list.h"
#include "platform/a3d/a3d_signatures.h"
#include "standins/a3dlib/store_memory.h"

namespace a3dlib {

struct FreeMemory {
  void operator()(void* memory) const { std::free(memory); }
};
using MallocPtr = std::unique_ptr<void, FreeMemory>;

// The memory of one block being filled: when one allocation fails, all of it is given up.
struct BlockMemory {
  std::vector<MallocPtr> allocations;
  bool failed = false;
};

// Zeroed room for `count` values; null for a count of 0 or on failure (then memory->failed).
template <class T>
T* Allocate(BlockMemory* memory, size_t count) {
  if (count == 0 || memory->failed) {
    return nullptr;
  }
  void* room = a3dstore::FitsInMemory(count, sizeof(T)) && !a3dstore::AllocationRefused()
                   ? std::calloc(count, sizeof(T))
                   : nullptr;
  if (!room) {
    memory->failed = true;
    return nullptr;
  }
  memory->allocations.emplace_back(room);
  return static_cast<T*>(room);
}

// The values a Get wrote into a block (its counts, pointers and handles): they tell which
// attachment a block given back belongs to.
using BlockFields = std::array<uintptr_t, 6>;

BlockFields FieldsOf(const ModelFileBlock& block);
BlockFields FieldsOf(const ProductOccurrenceBlock& block);
BlockFields FieldsOf(const PartDefinitionBlock& block);
BlockFields FieldsOf(const RepItemBlock& block);
BlockFields FieldsOf(const TessBaseBlock& block);
BlockFields FieldsOf(const Tess3DBlock& block);
BlockFields FieldsOf(const RootBaseBlock& block);
BlockFields FieldsOf(const CascadedAttributesBlock& block);

struct Attachment {
  A3dEntry entry;     // the Get that filled it
  const void* block;  // where it was filled
  BlockFields fields;
  std::vector<MallocPtr> memory;
};

template <class Block>
void Attach(A3dEntry entry, const Block& block, BlockMemory&& memory);

// Frees what the Get attached to this block: the attachment of the same Get and the same
// fields, preferring one filled at the same address (the block may have been copied).
// kErrNotAttached when there is none.
template <class Block>
A3dStatus Release(A3dEntry entry, const Block& block);

// Room for one more attachment, so that the next Attach cannot fail; kErrNoMemory otherwise.
A3dStatus MakeRoomToAttach();

void AttachFields(A3dEntry entry, const void* block, const BlockFields& fields,
                  BlockMemory&& memory);
A3dStatus ReleaseFields(A3dEntry entry, const void* block, const BlockFields& fields);

template <class Block>
void Attach(A3dEntry entry, const Block& block, BlockMemory&& memory) {
  AttachFields(entry, &block, FieldsOf(block), std::move(memory));
}

template <class Block>
A3dStatus Release(A3dEntry entry, const Block& block) {
  return ReleaseFields(entry, &block, FieldsOf(block));
}

}  // namespace a3dlib
