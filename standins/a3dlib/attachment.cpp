#include "standins/a3dlib/attachment.h"

#include "standins/a3dlib/a3dlib_codes.h"
#include "standins/a3dlib/library_state.h"

namespace a3dlib {
namespace {

uintptr_t Word(const void* pointer) {
  return reinterpret_cast<uintptr_t>(pointer);
}

}  // namespace

BlockFields FieldsOf(const ModelFileBlock& block) {
  return {block.occurrenceCount, Word(block.occurrences)};
}

BlockFields FieldsOf(const ProductOccurrenceBlock& block) {
  return {block.childCount, Word(block.children), Word(block.partDefinition),
          Word(block.firstLinked), Word(block.secondLinked)};
}

BlockFields FieldsOf(const PartDefinitionBlock& block) {
  return {block.repItemCount, Word(block.repItems)};
}

BlockFields FieldsOf(const RepItemBlock& block) {
  return {Word(block.tessellation)};
}

BlockFields FieldsOf(const TessBaseBlock& block) {
  return {block.coordCount, Word(block.coords)};
}

BlockFields FieldsOf(const Tess3DBlock& block) {
  return {block.normalCount,   Word(block.normals), block.indexCount,
          Word(block.indices), block.faceCount,     Word(block.faces)};
}

BlockFields FieldsOf(const RootBaseBlock& block) {
  return {Word(block.name)};
}

BlockFields FieldsOf(const CascadedAttributesBlock&) {
  return {};  // every field but the size is reserved
}

A3dStatus MakeRoomToAttach() {
  std::vector<Attachment>& attachments = State().attachments;
  if (attachments.size() < attachments.capacity()) {
    return kA3dSuccess;
  }
  const size_t grown = attachments.empty() ? 16 : 2 * attachments.size();
  return a3dstore::Allocated([&] { attachments.reserve(grown); }) ? kA3dSuccess : kErrNoMemory;
}

void AttachFields(A3dEntry entry, const void* block, const BlockFields& fields,
                  BlockMemory&& memory) {
  State().attachments.push_back(Attachment{entry, block, fields, std::move(memory.allocations)});
}

A3dStatus ReleaseFields(A3dEntry entry, const void* block, const BlockFields& fields) {
  std::vector<Attachment>& attachments = State().attachments;
  auto chosen = attachments.end();
  for (auto it = attachments.begin(); it != attachments.end(); ++it) {
    if (it->entry != entry || it->fields != fields) {
      continue;
    }
    if (chosen == attachments.end() || it->block == block) {
      chosen = it;
    }
  }
  if (chosen == attachments.end()) {
    return kErrNotAttached;
  }
  attachments.erase(chosen);
  return kA3dSuccess;
}

}  // namespace a3dlib
