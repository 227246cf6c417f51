#include "standins/a3dlib/tree_walk.h"

#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "standins/a3dlib/entry_support.h"
#include "standins/a3dlib/store_memory.h"

namespace a3dlib {
namespace {

using a3dstore::kNoRef;

void AppendRefs(const Entity& entity, std::vector<uint32_t>* refs) {
  const EntityData& data = entity.data;
  if (const auto* file = std::get_if<a3dstore::ModelFileEntry>(&data)) {
    refs->insert(refs->end(), file->occurrences.begin(), file->occurrences.end());
  } else if (const auto* occ = std::get_if<a3dstore::Occurrence>(&data)) {
    refs->insert(refs->end(), occ->children.begin(), occ->children.end());
    refs->insert(refs->end(), {occ->part, occ->firstLinked, occ->secondLinked});
  } else if (const auto* part = std::get_if<a3dstore::PartDefinition>(&data)) {
    refs->insert(refs->end(), part->items.begin(), part->items.end());
  } else if (const auto* item = std::get_if<a3dstore::RepItem>(&data)) {
    refs->push_back(item->tessellation);
  }
}

// Where each exported entity went: its kind and its row in that kind's table.
using Rows = std::unordered_map<uint32_t, std::pair<Kind, uint32_t>>;

bool Remap(const Rows& rows, Kind kind, uint32_t* ref) {
  if (*ref == kNoRef) {
    return true;
  }
  const auto found = rows.find(*ref);
  if (found == rows.end() || found->second.first != kind) {
    return false;
  }
  *ref = found->second.second;
  return true;
}

bool RemapAll(const Rows& rows, Kind kind, std::vector<uint32_t>* refs) {
  for (uint32_t& ref : *refs) {
    if (ref == kNoRef || !Remap(rows, kind, &ref)) {
      return false;
    }
  }
  return true;
}

template <class Row>
uint32_t AppendRow(std::vector<Row>* table, const Row& row) {
  table->push_back(row);
  return uint32_t(table->size() - 1);
}

// Copies one entity into its table; answers its row.
uint32_t CopyRow(const Entity& entity, a3dstore::Model* model) {
  const EntityData& data = entity.data;
  if (const auto* occ = std::get_if<a3dstore::Occurrence>(&data)) {
    return AppendRow(&model->occurrences, *occ);
  }
  if (const auto* part = std::get_if<a3dstore::PartDefinition>(&data)) {
    return AppendRow(&model->parts, *part);
  }
  if (const auto* item = std::get_if<a3dstore::RepItem>(&data)) {
    return AppendRow(&model->items, *item);
  }
  if (const auto* tess = std::get_if<a3dstore::Tessellation>(&data)) {
    return AppendRow(&model->tessellations, *tess);
  }
  return 0;  // attributes are never referred to
}

bool RemapModel(const Rows& rows, a3dstore::Model* model) {
  bool ok = RemapAll(rows, Kind::kOccurrence, &model->file.occurrences);
  for (a3dstore::Occurrence& occ : model->occurrences) {
    ok = ok && RemapAll(rows, Kind::kOccurrence, &occ.children) &&
         Remap(rows, Kind::kPart, &occ.part) && Remap(rows, Kind::kOccurrence, &occ.firstLinked) &&
         Remap(rows, Kind::kOccurrence, &occ.secondLinked);
  }
  for (a3dstore::PartDefinition& part : model->parts) {
    ok = ok && RemapAll(rows, Kind::kItem, &part.items);
  }
  for (a3dstore::RepItem& item : model->items) {
    ok = ok && Remap(rows, Kind::kTessellation, &item.tessellation);
  }
  return ok;
}

uint32_t Shift(uint32_t ref, uint32_t firstId) {
  return ref == kNoRef ? kNoRef : firstId + ref;
}

void ShiftAll(std::vector<uint32_t>* refs, uint32_t firstId) {
  for (uint32_t& ref : *refs) {
    ref = Shift(ref, firstId);
  }
}

// Appends a tessellation row that takes the entity's arrays and copies the rest. The row and
// its lender are recorded before the arrays move, so that GiveBack finds them whatever fails
// after.
void AppendLentRow(uint32_t id, a3dstore::Tessellation* tess, a3dstore::Model* model,
                   std::vector<uint32_t>* lenders) {
  model->tessellations.emplace_back();
  lenders->push_back(id);
  a3dstore::Tessellation& row = model->tessellations.back();
  row.coords.swap(tess->coords);
  row.normals.swap(tess->normals);
  row.indices.swap(tess->indices);
  row.base = tess->base;
  row.type = tess->type;
  row.faces = tess->faces;
}

// Moves the lent arrays back from the rows into their entities.
void GiveBack(a3dstore::Model* model, std::vector<uint32_t>* lenders) {
  auto& entities = State().entities;
  for (size_t row = 0; row < lenders->size() && row < model->tessellations.size(); ++row) {
    const auto found = entities.find((*lenders)[row]);
    auto* tess = found == entities.end() ? nullptr
                                         : std::get_if<a3dstore::Tessellation>(&found->second.data);
    if (tess) {
      a3dstore::Tessellation& lent = model->tessellations[row];
      tess->coords.swap(lent.coords);
      tess->normals.swap(lent.normals);
      tess->indices.swap(lent.indices);
    }
  }
  lenders->clear();
}

}  // namespace

std::vector<uint32_t> Reachable(uint32_t start, bool* complete) {
  const auto& entities = State().entities;
  std::vector<uint32_t> order;
  if (entities.count(start) == 0) {
    return order;
  }
  order.push_back(start);
  std::unordered_set<uint32_t> seen{start};
  std::vector<uint32_t> refs;
  for (size_t next = 0; next < order.size(); ++next) {
    refs.clear();
    AppendRefs(entities.find(order[next])->second, &refs);
    for (uint32_t ref : refs) {
      if (ref == kNoRef || seen.count(ref) != 0) {
        continue;
      }
      if (entities.count(ref) == 0) {
        *complete = false;
        continue;
      }
      seen.insert(ref);
      order.push_back(ref);
    }
  }
  return order;
}

namespace {

// Appends the entity's row to its table and notes where it went. With `lenders`, a
// tessellation's arrays are lent. May throw std::bad_alloc; what was lent is in the rows then.
void AppendRow(uint32_t id, Entity* entity, a3dstore::Model* model, Rows* rows,
               std::vector<uint32_t>* lenders) {
  auto* tess = std::get_if<a3dstore::Tessellation>(&entity->data);
  if (lenders && tess) {
    AppendLentRow(id, tess, model, lenders);
    (*rows)[id] = {Kind::kTessellation, uint32_t(model->tessellations.size() - 1)};
  } else {
    const uint32_t row = CopyRow(*entity, model);
    (*rows)[id] = {KindOf(*entity), row};
  }
}

// The tree's rows into *model, which starts empty; with `lenders`, the tessellations' arrays
// are moved out of their entities (ids in row order into *lenders) instead of copied. On a
// failure the caller gives back what was lent.
A3dStatus ExportRows(uint32_t modelId, a3dstore::Model* model, std::vector<uint32_t>* lenders) {
  bool complete = true;
  const std::vector<uint32_t> ids = Reachable(modelId, &complete);
  auto& entities = State().entities;
  if (!complete || ids.empty()) {
    return kErrInvalidEntity;
  }
  const auto* file = std::get_if<a3dstore::ModelFileEntry>(&entities.find(modelId)->second.data);
  if (!file) {
    return kErrInvalidEntity;
  }
  model->file = *file;
  Rows rows;
  for (size_t i = 1; i < ids.size(); ++i) {
    Entity* entity = &entities.find(ids[i])->second;
    if (!a3dstore::Allocated([&] { AppendRow(ids[i], entity, model, &rows, lenders); })) {
      return kErrNoMemory;
    }
  }
  return RemapModel(rows, model) ? kA3dSuccess : kErrInvalidEntity;
}

}  // namespace

A3dStatus ExportTree(uint32_t modelId, a3dstore::Model* out) {
  a3dstore::Model model;
  KV_A3D_TRY(ExportRows(modelId, &model, nullptr));
  *out = std::move(model);
  return kA3dSuccess;
}

A3dStatus LentTree::Lend(uint32_t modelId) {
  if (!lenders_.empty()) {
    return kErrInvalidEntity;
  }
  const A3dStatus status = ExportRows(modelId, &tree_, &lenders_);
  if (status != kA3dSuccess) {
    GiveBack(&tree_, &lenders_);
    tree_ = a3dstore::Model();
  }
  return status;
}

LentTree::~LentTree() {
  GiveBack(&tree_, &lenders_);
}

namespace {

// Adds the model's rows as entities with consecutive ids from `modelId` (the next id), in
// table order. Stops at the first failure.
A3dStatus AddRows(a3dstore::Model* model, uint32_t modelId) {
  const uint32_t firstOcc = modelId + 1;
  const uint32_t firstPart = firstOcc + uint32_t(model->occurrences.size());
  const uint32_t firstItem = firstPart + uint32_t(model->parts.size());
  const uint32_t firstTess = firstItem + uint32_t(model->items.size());
  uint32_t id = kNoRef;
  ShiftAll(&model->file.occurrences, firstOcc);
  KV_A3D_TRY(AddEntity(std::move(model->file), modelId, &id));
  for (a3dstore::Occurrence& occ : model->occurrences) {
    ShiftAll(&occ.children, firstOcc);
    occ.part = Shift(occ.part, firstPart);
    occ.firstLinked = Shift(occ.firstLinked, firstOcc);
    occ.secondLinked = Shift(occ.secondLinked, firstOcc);
    KV_A3D_TRY(AddEntity(std::move(occ), modelId, &id));
  }
  for (a3dstore::PartDefinition& part : model->parts) {
    ShiftAll(&part.items, firstItem);
    KV_A3D_TRY(AddEntity(std::move(part), modelId, &id));
  }
  for (a3dstore::RepItem& item : model->items) {
    item.tessellation = Shift(item.tessellation, firstTess);
    KV_A3D_TRY(AddEntity(std::move(item), modelId, &id));
  }
  for (a3dstore::Tessellation& tess : model->tessellations) {
    KV_A3D_TRY(AddEntity(std::move(tess), modelId, &id));
  }
  return kA3dSuccess;
}

}  // namespace

A3dStatus ImportModel(a3dstore::Model&& model, uint32_t* modelId) {
  const uint64_t total = 1 + uint64_t(model.occurrences.size()) + model.parts.size() +
                         model.items.size() + model.tessellations.size();
  if (!IdsAvailable(total)) {
    return kErrTooLarge;
  }
  auto& entities = State().entities;
  if (!a3dstore::Allocated([&] { entities.reserve(entities.size() + size_t(total)); })) {
    return kErrNoMemory;
  }
  // Ids are handed out one after another: each table's rows get consecutive ids.
  const uint32_t first = State().nextId;
  const A3dStatus status = AddRows(&model, first);
  if (status != kA3dSuccess) {
    // Nothing of a model that did not come in whole stays.
    for (uint32_t id = first; id != State().nextId; ++id) {
      entities.erase(id);
    }
    return status;
  }
  *modelId = first;
  return kA3dSuccess;
}

size_t DeleteModel(uint32_t modelId) {
  auto& entities = State().entities;
  bool complete = true;
  std::vector<uint32_t> victims;
  for (uint32_t id : Reachable(modelId, &complete)) {
    if (entities.find(id)->second.owner == kNoRef) {
      victims.push_back(id);
    }
  }
  for (const auto& entry : entities) {
    if (entry.second.owner == modelId) {
      victims.push_back(entry.first);
    }
  }
  for (uint32_t id : victims) {
    entities.erase(id);
  }
  return victims.size();
}

}  // namespace a3dlib
