// Entity types and cascaded attributes. The attributes only record what was pushed: the
// stand-in has no graphics to cascade.
#include "standins/a3dlib/a3d_export.h"
#include "standins/a3dlib/get_support.h"
#include "standins/a3dlib/library_log.h"

using namespace a3dlib;

namespace {

int32_t TypeCode(const Entity& entity) {
  switch (KindOf(entity)) {
    case Kind::kModelFile:
      return kTypeModelFile;
    case Kind::kOccurrence:
      return kTypeProductOccurrence;
    case Kind::kPart:
      return kTypePartDefinition;
    case Kind::kItem:
      return std::get_if<a3dstore::RepItem>(&entity.data)->kind == a3dstore::ItemKind::kPolyBrep
                 ? kTypeRiPolyBrepModel
                 : kTypeRiOther;
    case Kind::kTessellation:
      return std::get_if<a3dstore::Tessellation>(&entity.data)->type;
    case Kind::kAttributes:
      break;
  }
  return kTypeCascadedAttributes;
}

A3dStatus GetType(A3dEntity handle, int32_t* type) {
  if (!type) {
    return kErrNullArgument;
  }
  Entity* entity = FindEntity(handle);
  if (!entity) {
    return kErrInvalidEntity;
  }
  const a3dstore::Base* base = BaseOf(entity);
  if (base) {
    KV_A3D_TRY(Refused(*base, a3dstore::kFailGetType));
  }
  *type = TypeCode(*entity);
  return kA3dSuccess;
}

A3dStatus NewAttributes(A3dEntity* out) {
  if (!out) {
    return kErrNullArgument;
  }
  *out = nullptr;
  uint32_t id = a3dstore::kNoRef;
  KV_A3D_TRY(AddEntity(Attributes(), a3dstore::kNoRef, &id));
  *out = HandleOf(id);
  return kA3dSuccess;
}

A3dStatus DeleteAttributes(A3dEntity handle) {
  Attributes* attributes = nullptr;
  KV_A3D_TRY(Lookup(handle, &attributes));
  State().entities.erase(IdOf(handle));
  return kA3dSuccess;
}

A3dStatus Push(A3dEntity handle, A3dEntity entity, A3dEntity father) {
  Attributes* attributes = nullptr;
  KV_A3D_TRY(Lookup(handle, &attributes));
  if (!FindEntity(entity)) {
    return kErrInvalidEntity;
  }
  Attributes* fatherAttributes = nullptr;
  if (father) {
    KV_A3D_TRY(Lookup(father, &fatherAttributes));
  }
  attributes->pushed.push_back(IdOf(entity));
  return kA3dSuccess;
}

A3dStatus FillAttributes(A3dEntity handle, CascadedAttributesBlock* block) {
  Attributes* attributes = nullptr;
  KV_A3D_TRY(Lookup(handle, &attributes));
  Attach(A3dEntry::A3DMiscCascadedAttributesGet, *block, BlockMemory());
  return kA3dSuccess;
}

A3dStatus PushTessFace(A3dEntity handle) {
  Attributes* attributes = nullptr;
  return Lookup(handle, &attributes);
}

}  // namespace

KV_A3D_ENTRY(A3DEntityGetType)(A3dEntity entity, int32_t* type) {
  const A3dStatus status = IfReady([&] { return GetType(entity, type); });
  LogLine("A3DEntityGetType #%u -> %d type=%d", LogId(entity), status,
          status == kA3dSuccess ? *type : 0);
  return status;
}
KV_A3D_CHECKED(A3DEntityGetType);

KV_A3D_ENTRY(A3DMiscCascadedAttributesCreate)(A3dEntity* attributes) {
  const A3dStatus status = IfReady([&] { return NewAttributes(attributes); });
  LogLine("A3DMiscCascadedAttributesCreate -> %d #%u", status,
          status == kA3dSuccess ? LogId(*attributes) : 0u);
  return status;
}
KV_A3D_CHECKED(A3DMiscCascadedAttributesCreate);

KV_A3D_ENTRY(A3DMiscCascadedAttributesDelete)(A3dEntity attributes) {
  const A3dStatus status = IfReady([&] { return DeleteAttributes(attributes); });
  LogLine("A3DMiscCascadedAttributesDelete #%u -> %d", LogId(attributes), status);
  return status;
}
KV_A3D_CHECKED(A3DMiscCascadedAttributesDelete);

KV_A3D_ENTRY(A3DMiscCascadedAttributesGet)
(A3dEntity attributes, CascadedAttributesBlock* block) {
  const A3dStatus status = IfReady([&] {
    return GetOrRelease(A3dEntry::A3DMiscCascadedAttributesGet, attributes, block, FillAttributes);
  });
  LogLine("A3DMiscCascadedAttributesGet #%u%s -> %d", LogId(attributes), GetTarget(attributes),
          status);
  return status;
}
KV_A3D_CHECKED(A3DMiscCascadedAttributesGet);

KV_A3D_ENTRY(A3DMiscCascadedAttributesPush)
(A3dEntity attributes, A3dEntity entity, A3dEntity father) {
  const A3dStatus status = IfReady([&] { return Push(attributes, entity, father); });
  LogLine("A3DMiscCascadedAttributesPush #%u entity=#%u father=#%u -> %d", LogId(attributes),
          LogId(entity), LogId(father), status);
  return status;
}
KV_A3D_CHECKED(A3DMiscCascadedAttributesPush);

// The face values are opaque here: the call checks the attributes and keeps nothing.
KV_A3D_ENTRY(A3DMiscCascadedAttributesPushTessFace)
(A3dEntity attributes, void* value1, void* value2, void* value3, uint32_t value4, uint32_t value5) {
  const A3dStatus status = IfReady([&] { return PushTessFace(attributes); });
  LogLine("A3DMiscCascadedAttributesPushTessFace #%u values=%u,%u -> %d", LogId(attributes), value4,
          value5, status);
  return status;
}
KV_A3D_CHECKED(A3DMiscCascadedAttributesPushTessFace);
