// Moving trees between the library's entities and the store's flat tables, and deleting a
// model file with what belongs to it. Walks keep their own work list: no depth limit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "standins/a3dlib/library_state.h"
#include "standins/a3dlib/model.h"

namespace a3dlib {

// The live entity `start` and every live entity reachable from it, breadth first. A reference
// to an entity that is no longer live is skipped and makes *complete false.
std::vector<uint32_t> Reachable(uint32_t start, bool* complete);

// The tree of a model file as tables, rows in the order the walk met them. kErrInvalidEntity
// when the tree refers to an entity that was deleted, kErrNoMemory when the copy does not fit;
// *out changes only on success.
A3dStatus ExportTree(uint32_t modelId, a3dstore::Model* out);

// The same tree for writing it out, without copying the tessellations' arrays: they are moved
// into the rows, and LentTree's destructor moves them back into their entities. Nothing may
// read those entities in between.
class LentTree {
 public:
  LentTree() = default;
  LentTree(const LentTree&) = delete;
  LentTree& operator=(const LentTree&) = delete;
  ~LentTree();

  // A status as for ExportTree; on a failure nothing stays lent.
  A3dStatus Lend(uint32_t modelId);
  a3dstore::Model& tree() { return tree_; }

 private:
  a3dstore::Model tree_;
  std::vector<uint32_t> lenders_;  // the entity of each tessellation row
};

// New entities for every row of the model, owned by the new model file, whose id goes to
// *modelId. kErrTooLarge when the ids run out, kErrNoMemory when the entities cannot be stored;
// no entity is added then.
A3dStatus ImportModel(a3dstore::Model&& model, uint32_t* modelId);

// Deletes the model file, the entities that came with it from a file, and the created
// entities reachable from it. Entities that came with another file stay. Answers how many
// entities were deleted.
size_t DeleteModel(uint32_t modelId);

}  // namespace a3dlib
