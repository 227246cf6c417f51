#include "tests/reader/fake_library.h"

#include <algorithm>
#include <iterator>

namespace readertest {
namespace {

// Handles are small numbers: the model file, then occurrences, parts and attributes in ranges
// of their own.
constexpr uintptr_t kModelFileHandle = 1;
constexpr uintptr_t kOccurrenceBase = 0x1000;
constexpr uintptr_t kPartBase = 0x400000;
constexpr uintptr_t kAttributesBase = 0x800000;

struct FakeState {
  std::vector<FakeOccurrence> occurrences;
  std::vector<FakePart> parts;
  std::vector<A3dEntity> roots;
  bool rootArrayMissing = false;
  uint64_t nextAttributes = 0;
  FakeCounts counts;
};

FakeState* State = nullptr;

A3dEntity HandleAt(uintptr_t base, size_t index) {
  return reinterpret_cast<A3dEntity>(base + index);
}

// The row a handle names in a table starting at base; false outside it.
template <class Row>
bool RowOf(A3dEntity handle, uintptr_t base, std::vector<Row>& rows, Row** row) {
  const uintptr_t value = reinterpret_cast<uintptr_t>(handle);
  if (value < base || value - base >= rows.size())
    return false;
  *row = &rows[value - base];
  return true;
}

// A null entity gives a block back; anything else fills it.
template <class Block, class Fill>
A3dStatus GetOrRelease(A3dEntity entity, Block* block, Fill fill) {
  if (!block || block->size != sizeof(Block))
    return -1;
  if (!entity) {
    ++State->counts.released;
    return kA3dSuccess;
  }
  if (!fill(entity, block))
    return -1;
  ++State->counts.filled;
  return kA3dSuccess;
}

A3dStatus A3DCALL ModelFileGet(A3dEntity model, ModelFileBlock* block) {
  return GetOrRelease(model, block, [](A3dEntity handle, ModelFileBlock* out) {
    if (handle != HandleAt(kModelFileHandle, 0))
      return false;
    out->unit = 1.0;
    out->occurrenceCount = uint32_t(State->roots.size());
    out->occurrences = State->rootArrayMissing ? nullptr : State->roots.data();
    return true;
  });
}

A3dStatus A3DCALL OccurrenceGet(A3dEntity occurrence, ProductOccurrenceBlock* block) {
  return GetOrRelease(occurrence, block, [](A3dEntity handle, ProductOccurrenceBlock* out) {
    FakeOccurrence* row = nullptr;
    if (!RowOf(handle, kOccurrenceBase, State->occurrences, &row))
      return false;
    ++State->counts.occurrencesRead;
    out->childCount = uint32_t(row->children.size());
    out->children = row->childArrayMissing ? nullptr : row->children.data();
    out->partDefinition = row->part;
    out->firstLinked = row->firstLinked;
    out->secondLinked = row->secondLinked;
    return true;
  });
}

A3dStatus A3DCALL PartGet(A3dEntity part, PartDefinitionBlock* block) {
  return GetOrRelease(part, block, [](A3dEntity handle, PartDefinitionBlock* out) {
    FakePart* row = nullptr;
    if (!RowOf(handle, kPartBase, State->parts, &row))
      return false;
    out->repItemCount = uint32_t(row->items.size());
    out->repItems = row->itemArrayMissing ? nullptr : row->items.data();
    return true;
  });
}

A3dStatus A3DCALL RepItemGet(A3dEntity item, RepItemBlock* block) {
  return GetOrRelease(item, block, [](A3dEntity, RepItemBlock*) { return false; });
}

A3dStatus A3DCALL RootBaseGet(A3dEntity entity, RootBaseBlock* block) {
  return GetOrRelease(entity, block, [](A3dEntity, RootBaseBlock* out) {
    out->name = nullptr;
    return true;
  });
}

A3dStatus A3DCALL AttributesCreate(A3dEntity* attributes) {
  *attributes = HandleAt(kAttributesBase, State->nextAttributes++);
  ++State->counts.attributesMade;
  return kA3dSuccess;
}

A3dStatus A3DCALL AttributesDelete(A3dEntity) {
  ++State->counts.attributesDeleted;
  return kA3dSuccess;
}

A3dStatus A3DCALL AttributesPush(A3dEntity, A3dEntity, A3dEntity) {
  return kA3dSuccess;
}

A3dStatus A3DCALL AttributesGet(A3dEntity attributes, CascadedAttributesBlock* block) {
  return GetOrRelease(attributes, block, [](A3dEntity, CascadedAttributesBlock*) { return true; });
}

template <typename Fn>
void Put(A3dEntry entry, Fn fn) {
  A3dEntryTable[static_cast<int>(entry)] = reinterpret_cast<A3dProc>(fn);
}

A3dProc SavedTable[kA3dEntryCount];

}  // namespace

FakeLibrary::FakeLibrary() {
  std::copy(std::begin(A3dEntryTable), std::end(A3dEntryTable), SavedTable);
  std::fill(std::begin(A3dEntryTable), std::end(A3dEntryTable), nullptr);
  State = new FakeState;
  Put(A3dEntry::A3DAsmModelFileGet, &ModelFileGet);
  Put(A3dEntry::A3DAsmProductOccurrenceGet, &OccurrenceGet);
  Put(A3dEntry::A3DAsmPartDefinitionGet, &PartGet);
  Put(A3dEntry::A3DRiRepresentationItemGet, &RepItemGet);
  Put(A3dEntry::A3DRootBaseGet, &RootBaseGet);
  Put(A3dEntry::A3DMiscCascadedAttributesCreate, &AttributesCreate);
  Put(A3dEntry::A3DMiscCascadedAttributesDelete, &AttributesDelete);
  Put(A3dEntry::A3DMiscCascadedAttributesPush, &AttributesPush);
  Put(A3dEntry::A3DMiscCascadedAttributesGet, &AttributesGet);
}

FakeLibrary::~FakeLibrary() {
  delete State;
  State = nullptr;
  std::copy(std::begin(SavedTable), std::end(SavedTable), A3dEntryTable);
}

A3dEntity FakeLibrary::AddOccurrence(FakeOccurrence occurrence) {
  State->occurrences.push_back(std::move(occurrence));
  return HandleAt(kOccurrenceBase, State->occurrences.size() - 1);
}

A3dEntity FakeLibrary::AddPart(FakePart part) {
  State->parts.push_back(std::move(part));
  return HandleAt(kPartBase, State->parts.size() - 1);
}

void FakeLibrary::SetRoots(std::vector<A3dEntity> roots, bool arrayMissing) {
  State->roots = std::move(roots);
  State->rootArrayMissing = arrayMissing;
}

A3dEntity FakeLibrary::ModelFile() const {
  return HandleAt(kModelFileHandle, 0);
}

const FakeCounts& FakeLibrary::counts() const {
  return State->counts;
}

}  // namespace readertest
