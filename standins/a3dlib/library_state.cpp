#include "standins/a3dlib/library_state.h"

#include "standins/a3dlib/a3dlib_codes.h"
#include "standins/a3dlib/library_log.h"
#include "standins/a3dlib/store_memory.h"

namespace a3dlib {
namespace {

// At namespace scope, so that its destructor runs whenever the module unloads, even when
// nothing was ever called.
LibraryState g_state;

}  // namespace

LibraryState::~LibraryState() {
  LogLine("unload live=%u attached=%u", unsigned(entities.size()), unsigned(attachments.size()));
}

LibraryState& State() {
  return g_state;
}

A3dEntity HandleOf(uint32_t id) {
  return id == a3dstore::kNoRef ? nullptr : reinterpret_cast<A3dEntity>(uintptr_t(id));
}

uint32_t IdOf(A3dEntity handle) {
  const uintptr_t value = reinterpret_cast<uintptr_t>(handle);
  return value > 0xFFFFFFFEu ? a3dstore::kNoRef : uint32_t(value);
}

Kind KindOf(const Entity& entity) {
  return Kind(entity.data.index());
}

a3dstore::Base* BaseOf(Entity* entity) {
  switch (KindOf(*entity)) {
    case Kind::kModelFile:
      return &std::get_if<a3dstore::ModelFileEntry>(&entity->data)->base;
    case Kind::kOccurrence:
      return &std::get_if<a3dstore::Occurrence>(&entity->data)->base;
    case Kind::kPart:
      return &std::get_if<a3dstore::PartDefinition>(&entity->data)->base;
    case Kind::kItem:
      return &std::get_if<a3dstore::RepItem>(&entity->data)->base;
    case Kind::kTessellation:
      return &std::get_if<a3dstore::Tessellation>(&entity->data)->base;
    case Kind::kAttributes:
      break;
  }
  return nullptr;
}

Entity* FindEntity(A3dEntity handle) {
  const auto found = g_state.entities.find(IdOf(handle));
  return found == g_state.entities.end() ? nullptr : &found->second;
}

bool IdsAvailable(uint64_t count) {
  return count < uint64_t(a3dstore::kNoRef) - g_state.nextId;
}

A3dStatus AddEntity(EntityData data, uint32_t owner, uint32_t* id) {
  if (!IdsAvailable(1)) {
    return kErrTooLarge;
  }
  const uint32_t next = g_state.nextId;
  if (!a3dstore::Allocated([&] {
        g_state.entities.emplace(next, Entity{std::move(data), owner});
      })) {
    return kErrNoMemory;
  }
  g_state.nextId = next + 1;
  *id = next;
  return kA3dSuccess;
}

}  // namespace a3dlib
