// The read side for the assembly tree, representation items and names.
#include <cstring>

#include "standins/a3dlib/a3d_export.h"
#include "standins/a3dlib/get_support.h"
#include "standins/a3dlib/library_log.h"

namespace a3dlib {

A3dEntity* Handles(BlockMemory* memory, const std::vector<uint32_t>& ids) {
  A3dEntity* handles = Allocate<A3dEntity>(memory, ids.size());
  for (size_t i = 0; handles && i < ids.size(); ++i) {
    handles[i] = HandleOf(ids[i]);
  }
  return handles;
}

}  // namespace a3dlib

using namespace a3dlib;

namespace {

A3dStatus FillModelFile(A3dEntity handle, ModelFileBlock* block) {
  a3dstore::ModelFileEntry* file = nullptr;
  KV_A3D_TRY(Lookup(handle, &file));
  KV_A3D_TRY(Refused(file->base, a3dstore::kFailGet));
  BlockMemory memory;
  A3dEntity* occurrences = Handles(&memory, file->occurrences);
  if (memory.failed) {
    return kErrNoMemory;
  }
  block->unit = file->unit;
  block->occurrenceCount = uint32_t(file->occurrences.size());
  block->occurrences = occurrences;
  Attach(A3dEntry::A3DAsmModelFileGet, *block, std::move(memory));
  return kA3dSuccess;
}

A3dStatus FillOccurrence(A3dEntity handle, ProductOccurrenceBlock* block) {
  a3dstore::Occurrence* occ = nullptr;
  KV_A3D_TRY(Lookup(handle, &occ));
  KV_A3D_TRY(Refused(occ->base, a3dstore::kFailGet));
  BlockMemory memory;
  A3dEntity* children = Handles(&memory, occ->children);
  if (memory.failed) {
    return kErrNoMemory;
  }
  block->childCount = uint32_t(occ->children.size());
  block->children = children;
  block->partDefinition = HandleOf(occ->part);
  block->firstLinked = HandleOf(occ->firstLinked);
  block->secondLinked = HandleOf(occ->secondLinked);
  Attach(A3dEntry::A3DAsmProductOccurrenceGet, *block, std::move(memory));
  return kA3dSuccess;
}

A3dStatus FillPart(A3dEntity handle, PartDefinitionBlock* block) {
  a3dstore::PartDefinition* part = nullptr;
  KV_A3D_TRY(Lookup(handle, &part));
  KV_A3D_TRY(Refused(part->base, a3dstore::kFailGet));
  BlockMemory memory;
  A3dEntity* items = Handles(&memory, part->items);
  if (memory.failed) {
    return kErrNoMemory;
  }
  block->repItemCount = uint32_t(part->items.size());
  block->repItems = items;
  Attach(A3dEntry::A3DAsmPartDefinitionGet, *block, std::move(memory));
  return kA3dSuccess;
}

A3dStatus FillItem(A3dEntity handle, RepItemBlock* block) {
  a3dstore::RepItem* item = nullptr;
  KV_A3D_TRY(Lookup(handle, &item));
  KV_A3D_TRY(Refused(item->base, a3dstore::kFailGet));
  block->tessellation = HandleOf(item->tessellation);
  Attach(A3dEntry::A3DRiRepresentationItemGet, *block, BlockMemory());
  return kA3dSuccess;
}

A3dStatus FillName(A3dEntity handle, RootBaseBlock* block) {
  Entity* entity = FindEntity(handle);
  if (!entity) {
    return kErrInvalidEntity;
  }
  const a3dstore::Base* base = BaseOf(entity);
  if (!base) {
    return kErrWrongType;
  }
  KV_A3D_TRY(Refused(*base, a3dstore::kFailRootBaseGet));
  BlockMemory memory;
  char* name = nullptr;
  if (base->name) {
    name = Allocate<char>(&memory, base->name->size() + 1);
    if (memory.failed) {
      return kErrNoMemory;
    }
    std::memcpy(name, base->name->c_str(), base->name->size() + 1);
  }
  block->name = name;
  Attach(A3dEntry::A3DRootBaseGet, *block, std::move(memory));
  return kA3dSuccess;
}

}  // namespace

KV_A3D_ENTRY(A3DAsmModelFileGet)(A3dEntity model, ModelFileBlock* block) {
  const A3dStatus status = IfReady(
      [&] { return GetOrRelease(A3dEntry::A3DAsmModelFileGet, model, block, FillModelFile); });
  LogLine("A3DAsmModelFileGet #%u%s -> %d occurrences=%u", LogId(model), GetTarget(model), status,
          status == kA3dSuccess && model ? block->occurrenceCount : 0u);
  return status;
}
KV_A3D_CHECKED(A3DAsmModelFileGet);

KV_A3D_ENTRY(A3DAsmProductOccurrenceGet)(A3dEntity occurrence, ProductOccurrenceBlock* block) {
  const A3dStatus status = IfReady([&] {
    return GetOrRelease(A3dEntry::A3DAsmProductOccurrenceGet, occurrence, block, FillOccurrence);
  });
  const bool filled = status == kA3dSuccess && occurrence;
  LogLine("A3DAsmProductOccurrenceGet #%u%s -> %d children=%u part=#%u", LogId(occurrence),
          GetTarget(occurrence), status, filled ? block->childCount : 0u,
          filled ? LogId(block->partDefinition) : 0u);
  return status;
}
KV_A3D_CHECKED(A3DAsmProductOccurrenceGet);

KV_A3D_ENTRY(A3DAsmPartDefinitionGet)(A3dEntity part, PartDefinitionBlock* block) {
  const A3dStatus status = IfReady(
      [&] { return GetOrRelease(A3dEntry::A3DAsmPartDefinitionGet, part, block, FillPart); });
  LogLine("A3DAsmPartDefinitionGet #%u%s -> %d items=%u", LogId(part), GetTarget(part), status,
          status == kA3dSuccess && part ? block->repItemCount : 0u);
  return status;
}
KV_A3D_CHECKED(A3DAsmPartDefinitionGet);

KV_A3D_ENTRY(A3DRiRepresentationItemGet)(A3dEntity item, RepItemBlock* block) {
  const A3dStatus status = IfReady(
      [&] { return GetOrRelease(A3dEntry::A3DRiRepresentationItemGet, item, block, FillItem); });
  LogLine("A3DRiRepresentationItemGet #%u%s -> %d tessellation=#%u", LogId(item), GetTarget(item),
          status, status == kA3dSuccess && item ? LogId(block->tessellation) : 0u);
  return status;
}
KV_A3D_CHECKED(A3DRiRepresentationItemGet);

KV_A3D_ENTRY(A3DRootBaseGet)(A3dEntity entity, RootBaseBlock* block) {
  const A3dStatus status =
      IfReady([&] { return GetOrRelease(A3dEntry::A3DRootBaseGet, entity, block, FillName); });
  const bool filled = status == kA3dSuccess && entity;
  LogLine("A3DRootBaseGet #%u%s -> %d%s%.200s%s", LogId(entity), GetTarget(entity), status,
          filled ? (block->name ? " name=\"" : " unnamed") : "",
          filled && block->name ? block->name : "", filled && block->name ? "\"" : "");
  return status;
}
KV_A3D_CHECKED(A3DRootBaseGet);
