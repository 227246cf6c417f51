// The library's state: whether it is initialised, its entities and the blocks it has filled.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

#include "platform/a3d/a3d_blocks.h"
#include "standins/a3dlib/attachment.h"
#include "standins/a3dlib/model.h"

namespace a3dlib {

struct Attributes {
  std::vector<uint32_t> pushed;  // the entities pushed onto them
};

// The kinds in the order of EntityData's alternatives.
enum class Kind { kModelFile, kOccurrence, kPart, kItem, kTessellation, kAttributes };

// An entity's data. The references inside are entity ids (kNoRef for none), not table rows.
using EntityData =
    std::variant<a3dstore::ModelFileEntry, a3dstore::Occurrence, a3dstore::PartDefinition,
                 a3dstore::RepItem, a3dstore::Tessellation, Attributes>;

struct Entity {
  EntityData data;
  uint32_t owner = a3dstore::kNoRef;  // the loaded model file it came with, if any
};

// The test switch KV_A3D_FAIL_CALL as read at initialisation: the n-th call of one entry fails.
struct ForcedFailure {
  std::string entry;  // empty: the switch is unset
  long call = 0;      // which call of the entry fails, counting from 1
  long calls = 0;     // the entry's calls so far
};

struct LibraryState {
  bool initialized = false;
  int32_t initMajor = 0;  // the version A3DDllInitialize was last given
  int32_t initMinor = 0;
  ForcedFailure forced;
  uint32_t nextId = 0x10000;  // ids are never reused, so a stale handle stays unknown
  std::unordered_map<uint32_t, Entity> entities;
  std::vector<Attachment> attachments;
  ~LibraryState();  // the module unloads: logs what is still live
};

LibraryState& State();

// Handles are entity ids: a handle that names no live entity is never dereferenced.
A3dEntity HandleOf(uint32_t id);
uint32_t IdOf(A3dEntity handle);
Kind KindOf(const Entity& entity);
// The name and flags of any kind but attributes (null for those).
a3dstore::Base* BaseOf(Entity* entity);
Entity* FindEntity(A3dEntity handle);

// 0 and *found for a handle of kind T; kErrInvalidEntity or kErrWrongType otherwise.
template <class T>
A3dStatus Lookup(A3dEntity handle, T** found);

// True when `count` more ids can be given out.
bool IdsAvailable(uint64_t count);
// Adds the entity under a new id (*id): kErrTooLarge when no id is left, kErrNoMemory when it
// cannot be stored; nothing is added then.
A3dStatus AddEntity(EntityData data, uint32_t owner, uint32_t* id);

}  // namespace a3dlib

#include "standins/a3dlib/library_state_inl.h"
