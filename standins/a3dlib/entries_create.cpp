// The calls that build a tree: each copies what its block points to, since the caller frees
// its arrays once the tree is written. A call that fails leaves every entity as it was.
#include "standins/a3dlib/a3d_export.h"
#include "standins/a3dlib/entry_support.h"
#include "standins/a3dlib/library_log.h"

using namespace a3dlib;

namespace {

using a3dstore::kNoRef;

// Publishes a new entity through *out (already null on every failure).
A3dStatus Add(EntityData data, A3dEntity* out) {
  uint32_t id = kNoRef;
  KV_A3D_TRY(AddEntity(std::move(data), kNoRef, &id));
  *out = HandleOf(id);
  return kA3dSuccess;
}

// The ids of handles that must all be live entities of kind T.
template <class T>
A3dStatus IdsOf(uint32_t count, const A3dEntity* handles, std::vector<uint32_t>* ids) {
  KV_A3D_TRY(CheckArray(count, handles));
  if (!a3dstore::Allocated([&] { ids->reserve(count); })) {
    return kErrNoMemory;
  }
  for (uint32_t i = 0; i < count; ++i) {
    T* found = nullptr;
    KV_A3D_TRY(Lookup(handles[i], &found));
    ids->push_back(IdOf(handles[i]));
  }
  return kA3dSuccess;
}

// A handle that may be null (kNoRef) or else must be a live entity of kind T.
template <class T>
A3dStatus OptionalId(A3dEntity handle, uint32_t* id) {
  *id = kNoRef;
  if (!handle) {
    return kA3dSuccess;
  }
  T* found = nullptr;
  KV_A3D_TRY(Lookup(handle, &found));
  *id = IdOf(handle);
  return kA3dSuccess;
}

A3dStatus CopyFace(const TessFaceBlock& block, a3dstore::Face* face) {
  KV_A3D_TRY(CheckBlock(&block));
  KV_A3D_TRY(CheckArray(block.sizeCount, block.sizes));
  face->triangleKind = block.triangleKind;
  face->firstIndex = block.firstIndex;
  return CopyArray(block.sizeCount, block.sizes, &face->sizes);
}

A3dStatus NewTess3D(const Tess3DBlock* block, A3dEntity* out) {
  KV_A3D_TRY(CheckBlock(block));
  KV_A3D_TRY(CheckArray(block->normalCount, block->normals));
  KV_A3D_TRY(CheckArray(block->indexCount, block->indices));
  KV_A3D_TRY(CheckArray(block->faceCount, block->faces));
  a3dstore::Tessellation tess;
  KV_A3D_TRY(CopyArray(block->normalCount, block->normals, &tess.normals));
  KV_A3D_TRY(CopyArray(block->indexCount, block->indices, &tess.indices));
  if (!a3dstore::Resize(&tess.faces, block->faceCount)) {
    return kErrNoMemory;
  }
  for (uint32_t i = 0; i < block->faceCount; ++i) {
    KV_A3D_TRY(CopyFace(block->faces[i], &tess.faces[i]));
  }
  return Add(std::move(tess), out);
}

A3dStatus SetTessBase(A3dEntity handle, const TessBaseBlock* block) {
  KV_A3D_TRY(CheckBlock(block));
  KV_A3D_TRY(CheckArray(block->coordCount, block->coords));
  a3dstore::Tessellation* tess = nullptr;
  KV_A3D_TRY(Lookup(handle, &tess));
  return CopyArray(block->coordCount, block->coords, &tess->coords);
}

A3dStatus NewPolyBrep(const PolyBrepBlock* block, A3dEntity* out) {
  KV_A3D_TRY(CheckBlock(block));
  a3dstore::RepItem item;
  item.kind = a3dstore::ItemKind::kPolyBrep;
  item.closed = block->closed != 0;
  return Add(std::move(item), out);
}

A3dStatus SetRepItem(A3dEntity handle, const RepItemBlock* block) {
  KV_A3D_TRY(CheckBlock(block));
  a3dstore::RepItem* item = nullptr;
  KV_A3D_TRY(Lookup(handle, &item));
  uint32_t tess = kNoRef;
  KV_A3D_TRY(OptionalId<a3dstore::Tessellation>(block->tessellation, &tess));
  item->tessellation = tess;
  return kA3dSuccess;
}

A3dStatus NewPart(const PartDefinitionBlock* block, A3dEntity* out) {
  KV_A3D_TRY(CheckBlock(block));
  a3dstore::PartDefinition part;
  KV_A3D_TRY(IdsOf<a3dstore::RepItem>(block->repItemCount, block->repItems, &part.items));
  return Add(std::move(part), out);
}

A3dStatus NewOccurrence(const ProductOccurrenceBlock* block, A3dEntity* out) {
  KV_A3D_TRY(CheckBlock(block));
  a3dstore::Occurrence occ;
  KV_A3D_TRY(IdsOf<a3dstore::Occurrence>(block->childCount, block->children, &occ.children));
  KV_A3D_TRY(OptionalId<a3dstore::PartDefinition>(block->partDefinition, &occ.part));
  KV_A3D_TRY(OptionalId<a3dstore::Occurrence>(block->firstLinked, &occ.firstLinked));
  KV_A3D_TRY(OptionalId<a3dstore::Occurrence>(block->secondLinked, &occ.secondLinked));
  return Add(std::move(occ), out);
}

A3dStatus NewModelFile(const ModelFileBlock* block, A3dEntity* out) {
  KV_A3D_TRY(CheckBlock(block));
  a3dstore::ModelFileEntry file;
  file.unit = block->unit;
  KV_A3D_TRY(
      IdsOf<a3dstore::Occurrence>(block->occurrenceCount, block->occurrences, &file.occurrences));
  return Add(std::move(file), out);
}

A3dStatus SetName(A3dEntity handle, const RootBaseBlock* block) {
  KV_A3D_TRY(CheckBlock(block));
  Entity* entity = FindEntity(handle);
  if (!entity) {
    return kErrInvalidEntity;
  }
  a3dstore::Base* base = BaseOf(entity);
  return base ? ReadName(block->name, &base->name) : kErrWrongType;
}

// Runs a create call: the output must be there, and is null unless the call succeeds.
template <class Block, class Create>
A3dStatus Created(const char* entry, const Block* block, A3dEntity* out, Create create) {
  if (!out) {
    return kErrNullArgument;
  }
  *out = nullptr;
  return IfReadyAndNotForced(entry, [&] { return create(block, out); });
}

}  // namespace

KV_A3D_ENTRY(A3DTess3DCreate)(const Tess3DBlock* block, A3dEntity* tess) {
  const A3dStatus status = Created(__func__, block, tess, NewTess3D);
  const auto* sized = Sized(block);
  LogLine("A3DTess3DCreate normals=%u indices=%u faces=%u -> %d #%u",
          sized ? sized->normalCount : 0u, sized ? sized->indexCount : 0u,
          sized ? sized->faceCount : 0u, status, tess ? LogId(*tess) : 0u);
  return status;
}
KV_A3D_CHECKED(A3DTess3DCreate);

KV_A3D_ENTRY(A3DTessBaseSet)(A3dEntity tess, const TessBaseBlock* block) {
  const A3dStatus status = IfReadyAndNotForced(__func__, [&] { return SetTessBase(tess, block); });
  const auto* sized = Sized(block);
  LogLine("A3DTessBaseSet #%u coords=%u -> %d", LogId(tess), sized ? sized->coordCount : 0u,
          status);
  return status;
}
KV_A3D_CHECKED(A3DTessBaseSet);

KV_A3D_ENTRY(A3DRiPolyBrepModelCreate)(const PolyBrepBlock* block, A3dEntity* item) {
  const A3dStatus status = Created(__func__, block, item, NewPolyBrep);
  const auto* sized = Sized(block);
  LogLine("A3DRiPolyBrepModelCreate closed=%u -> %d #%u", sized ? unsigned(sized->closed) : 0u,
          status, item ? LogId(*item) : 0u);
  return status;
}
KV_A3D_CHECKED(A3DRiPolyBrepModelCreate);

KV_A3D_ENTRY(A3DRiRepresentationItemSet)(A3dEntity item, const RepItemBlock* block) {
  const A3dStatus status = IfReadyAndNotForced(__func__, [&] { return SetRepItem(item, block); });
  const auto* sized = Sized(block);
  LogLine("A3DRiRepresentationItemSet #%u tessellation=#%u -> %d", LogId(item),
          sized ? LogId(sized->tessellation) : 0u, status);
  return status;
}
KV_A3D_CHECKED(A3DRiRepresentationItemSet);

KV_A3D_ENTRY(A3DAsmPartDefinitionCreate)(const PartDefinitionBlock* block, A3dEntity* part) {
  const A3dStatus status = Created(__func__, block, part, NewPart);
  const auto* sized = Sized(block);
  LogLine("A3DAsmPartDefinitionCreate items=%u -> %d #%u", sized ? sized->repItemCount : 0u, status,
          part ? LogId(*part) : 0u);
  return status;
}
KV_A3D_CHECKED(A3DAsmPartDefinitionCreate);

KV_A3D_ENTRY(A3DAsmProductOccurrenceCreate)
(const ProductOccurrenceBlock* block, A3dEntity* occurrence) {
  const A3dStatus status = Created(__func__, block, occurrence, NewOccurrence);
  const auto* sized = Sized(block);
  LogLine("A3DAsmProductOccurrenceCreate children=%u part=#%u -> %d #%u",
          sized ? sized->childCount : 0u, sized ? LogId(sized->partDefinition) : 0u, status,
          occurrence ? LogId(*occurrence) : 0u);
  return status;
}
KV_A3D_CHECKED(A3DAsmProductOccurrenceCreate);

KV_A3D_ENTRY(A3DAsmModelFileCreate)(const ModelFileBlock* block, A3dEntity* model) {
  const A3dStatus status = Created(__func__, block, model, NewModelFile);
  const auto* sized = Sized(block);
  LogLine("A3DAsmModelFileCreate unit=%g occurrences=%u -> %d #%u", sized ? sized->unit : 0.0,
          sized ? sized->occurrenceCount : 0u, status, model ? LogId(*model) : 0u);
  return status;
}
KV_A3D_CHECKED(A3DAsmModelFileCreate);

KV_A3D_ENTRY(A3DRootBaseSet)(A3dEntity entity, const RootBaseBlock* block) {
  const A3dStatus status = IfReadyAndNotForced(__func__, [&] { return SetName(entity, block); });
  const char* name = status == kA3dSuccess && block && block->name ? block->name : "";
  const auto* sized = Sized(block);
  LogLine("A3DRootBaseSet #%u name=\"%.200s\"%s -> %d", LogId(entity), name,
          status == kA3dSuccess && sized && !sized->name ? " (unnamed)" : "", status);
  return status;
}
KV_A3D_CHECKED(A3DRootBaseSet);
