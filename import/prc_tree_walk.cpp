#include "import/prc_tree_walk.h"

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

#include "frame/module_statics.h"
#include "import/a3d_binding.h"

KV_MODULE_STATIC(KV_ORDER_ENTITY_NAME) CString EntityName;
double ModelUnit;

namespace {

// The occurrences on the way from the model file down to the one being walked, and how many
// have been walked since the model file's walk began: the guard against cycles and runaway
// nesting that the library's data could otherwise drive.
std::vector<A3dEntity> OccurrencePath;
int OccurrenceVisits;

template <typename Block>
Block ZeroedBlock() {
  Block block = {};
  block.size = sizeof(Block);
  return block;
}

void TakeEntityName(A3dEntity entity) {
  CString name;
  GetEntityName(entity, name);
  if (!name.IsEmpty())
    EntityName = name;
}

// Ends a level: deletes its attributes, then releases their block.
void DropAttributes(A3dEntity attributes, CascadedAttributesBlock* block) {
  A3dCall(A3DMiscCascadedAttributesDelete)(attributes);
  A3dCall(A3DMiscCascadedAttributesGet)(nullptr, block);
}

// A handle array whose count the library gave must be there and hold no null handle.
bool HandlesPresent(const A3dEntity* handles, uint32_t count) {
  if (count == 0)
    return true;
  if (!handles)
    return false;
  return std::find(handles, handles + count, nullptr) == handles + count;
}

// Refuses an occurrence that nests too deeply, lies below itself or exceeds the visit budget.
bool EnterOccurrence(A3dEntity occurrence) {
  if (std::find(OccurrencePath.begin(), OccurrencePath.end(), occurrence) != OccurrencePath.end()) {
    SetLastErrorText("Invalid product occurrence data [Occurrence contains itself]");
    return false;
  }
  if (static_cast<int>(OccurrencePath.size()) >= kMaxOccurrenceDepth) {
    SetLastErrorText("Invalid product occurrence data [Occurrences nested too deeply]");
    return false;
  }
  if (++OccurrenceVisits > kMaxOccurrenceVisits) {
    SetLastErrorText("Invalid product occurrence data [Too many occurrences]");
    return false;
  }
  OccurrencePath.push_back(occurrence);
  return true;
}

// The walks below an occurrence, in order: linked occurrences, children, part definition.
int WalkOccurrenceContents(const ProductOccurrenceBlock& data, A3dEntity attributes,
                           ON_ClassArray<ON_Mesh>& meshes, ON_SimpleArray<double>& units,
                           CStringArray& names) {
  if (data.firstLinked && !WalkOccurrence(data.firstLinked, attributes, meshes, units, names)) {
    return 0;
  }
  if (data.secondLinked && !WalkOccurrence(data.secondLinked, attributes, meshes, units, names)) {
    return 0;
  }
  for (uint32_t i = 0; i < data.childCount; ++i) {
    if (!WalkOccurrence(data.children[i], attributes, meshes, units, names))
      return 0;
  }
  if (data.partDefinition)
    return WalkPart(data.partDefinition, attributes, meshes, units, names);
  return 1;
}

enum class MeshBuild { kBuilt, kIndexOutOfRange, kNoMemory };

// The mesh of a tessellation's points and six-entry triangle records; refused when a point
// index lies outside the points or the mesh cannot grow.
MeshBuild BuildMesh(const TessBaseBlock& base, const Tess3DBlock& tess, ON_Mesh* mesh) {
  const uint32_t faceCount = tess.indexCount / 6;
  const uint32_t vertexCount = base.coordCount / 3;
  const double* c = base.coords;
  const uint32_t* e = tess.indices;
  for (uint32_t i = 0; i < vertexCount; ++i) {
    const ON_3dPoint point(c[3 * i], c[3 * i + 1], c[3 * i + 2]);
    if (!mesh->SetVertex(static_cast<int>(i), point))
      return MeshBuild::kNoMemory;
  }
  for (uint32_t t = 0; t < faceCount; ++t) {
    const uint32_t a = e[6 * t + 1] / 3;
    const uint32_t b = e[6 * t + 3] / 3;
    const uint32_t d = e[6 * t + 5] / 3;
    if (a >= vertexCount || b >= vertexCount || d >= vertexCount)
      return MeshBuild::kIndexOutOfRange;
    if (!mesh->SetTriangle(static_cast<int>(t), static_cast<int>(a), static_cast<int>(b),
                           static_cast<int>(d))) {
      return MeshBuild::kNoMemory;
    }
  }
  return MeshBuild::kBuilt;
}

// Room for one more element, grown by half so that appending one at a time stays linear.
template <class Array>
bool RoomForOne(Array& array) {
  const int count = array.Count();
  if (count < array.Capacity())
    return true;
  if (count == INT_MAX)
    return false;
  const int grown = count < 8 ? 8 : (count > INT_MAX - count / 2 ? INT_MAX : count + count / 2);
  return array.Reserve(grown) || array.Reserve(count + 1);
}

// Appends the mesh with its unit and its name: all three, or none when memory runs out, so
// that the arrays stay in step.
bool AppendInStep(ON_Mesh& mesh, ON_ClassArray<ON_Mesh>& meshes, ON_SimpleArray<double>& units,
                  CStringArray& names) {
  if (!RoomForOne(meshes) || !RoomForOne(units))
    return false;
  const INT_PTR nameCount = names.GetSize();
  AddMeshName(names, EntityName);
  if (names.GetSize() != nameCount + 1)
    return false;
  meshes.AppendNew() = std::move(mesh);
  units.Append(ModelUnit);
  return true;
}

// Counts the mesh can hold and arrays that are there for them.
bool TessellationUsable(const TessBaseBlock& base, const Tess3DBlock& tess) {
  const uint32_t faceCount = tess.indexCount / 6;
  const uint32_t vertexCount = base.coordCount / 3;
  if (faceCount > static_cast<uint32_t>(INT_MAX) || vertexCount > static_cast<uint32_t>(INT_MAX)) {
    return false;
  }
  return (vertexCount == 0 || base.coords) && (faceCount == 0 || tess.indices);
}

// The tessellation's mesh appended with its unit and name; 0 with the reason otherwise.
int StoreMesh(const TessBaseBlock& base, const Tess3DBlock& tess, ON_ClassArray<ON_Mesh>& meshes,
              ON_SimpleArray<double>& units, CStringArray& names) {
  ON_Mesh mesh(static_cast<int>(tess.indexCount / 6), static_cast<int>(base.coordCount / 3), false,
               false);
  const MeshBuild built = BuildMesh(base, tess, &mesh);
  if (built == MeshBuild::kIndexOutOfRange) {
    SetLastErrorText("Unable to retrieve tesselation 3d data [Point index out of range]");
    return 0;
  }
  if (built != MeshBuild::kBuilt || !AppendInStep(mesh, meshes, units, names)) {
    SetLastErrorText("Unable to retrieve tesselation 3d data [Not enough memory]");
    return 0;
  }
  return 1;
}

}  // namespace

int GetEntityName(A3dEntity entity, CString& name) {
  name.Empty();
  if (!entity) {
    SetLastErrorText("Unable to retrieve name of invalid entity");
    return 0;
  }
  RootBaseBlock block = ZeroedBlock<RootBaseBlock>();
  if (A3dCall(A3DRootBaseGet)(entity, &block) != kA3dSuccess) {
    SetLastErrorText("Unable to retrieve root base");
    return 0;
  }
  name = block.name;
  A3dCall(A3DRootBaseGet)(nullptr, &block);
  return 1;
}

int AddMeshName(CStringArray& names, const CString& name) {
  CString copy = name;
  if (copy.IsEmpty())
    copy = "Object";
  int position = copy.ReverseFind('\\');
  if (position >= 0)
    copy = copy.Right(copy.GetLength() - position - 1);
  names.SetAtGrow(names.GetSize(), copy);
  return 1;
}

int PushAttributes(A3dEntity entity, A3dEntity fatherAttributes, A3dEntity* attributes,
                   CascadedAttributesBlock* block) {
  A3dCall(A3DMiscCascadedAttributesCreate)(attributes);
  A3dCall(A3DMiscCascadedAttributesPush)(*attributes, entity, fatherAttributes);
  *block = ZeroedBlock<CascadedAttributesBlock>();
  return A3dCall(A3DMiscCascadedAttributesGet)(*attributes, block);
}

int PushTessFaceAttributes(void* value1, void* value2, void* value3, uint32_t value4,
                           uint32_t value5, A3dEntity* attributes, CascadedAttributesBlock* block) {
  A3dCall(A3DMiscCascadedAttributesCreate)(attributes);
  A3dCall(A3DMiscCascadedAttributesPushTessFace)(*attributes, value1, value2, value3, value4,
                                                 value5);
  *block = ZeroedBlock<CascadedAttributesBlock>();
  return A3dCall(A3DMiscCascadedAttributesGet)(*attributes, block);
}

int WalkModelFile(A3dEntity modelFile, ON_ClassArray<ON_Mesh>& meshes,
                  ON_SimpleArray<double>& units, CStringArray& names) {
  TakeEntityName(modelFile);
  ModelFileBlock data = ZeroedBlock<ModelFileBlock>();
  if (!modelFile || A3dCall(A3DAsmModelFileGet)(modelFile, &data) != kA3dSuccess) {
    SetLastErrorText("Unable to retrieve model file data");
    return 0;
  }
  ModelUnit = data.unit;
  A3dEntity rootAttributes = nullptr;
  A3dCall(A3DMiscCascadedAttributesCreate)(&rootAttributes);

  OccurrencePath.clear();
  OccurrenceVisits = 0;
  int result = 1;
  if (!HandlesPresent(data.occurrences, data.occurrenceCount)) {
    SetLastErrorText("Unable to retrieve model file data [Invalid product occurrence]");
    result = 0;
  }
  for (uint32_t i = 0; result && i < data.occurrenceCount; ++i) {
    result = WalkOccurrence(data.occurrences[i], rootAttributes, meshes, units, names);
  }
  OccurrencePath.clear();

  A3dCall(A3DAsmModelFileGet)(nullptr, &data);
  A3dCall(A3DMiscCascadedAttributesDelete)(rootAttributes);
  return result;
}

int WalkOccurrence(A3dEntity occurrence, A3dEntity fatherAttributes, ON_ClassArray<ON_Mesh>& meshes,
                   ON_SimpleArray<double>& units, CStringArray& names) {
  if (!occurrence) {
    SetLastErrorText("Unable to retrieve product occurence data [Invalid entity]");
    return 0;
  }
  if (!EnterOccurrence(occurrence))
    return 0;
  TakeEntityName(occurrence);
  A3dEntity attributes = nullptr;
  CascadedAttributesBlock attributesData;
  PushAttributes(occurrence, fatherAttributes, &attributes, &attributesData);

  int result = 0;
  ProductOccurrenceBlock data = ZeroedBlock<ProductOccurrenceBlock>();
  if (A3dCall(A3DAsmProductOccurrenceGet)(occurrence, &data) != kA3dSuccess) {
    SetLastErrorText("Unable to retrieve product occurence data");
  } else {
    if (!HandlesPresent(data.children, data.childCount)) {
      SetLastErrorText("Unable to retrieve product occurence data [Invalid child occurrence]");
    } else {
      result = WalkOccurrenceContents(data, attributes, meshes, units, names);
    }
    A3dCall(A3DAsmProductOccurrenceGet)(nullptr, &data);
  }
  DropAttributes(attributes, &attributesData);
  OccurrencePath.pop_back();
  return result;
}

int WalkPart(A3dEntity part, A3dEntity fatherAttributes, ON_ClassArray<ON_Mesh>& meshes,
             ON_SimpleArray<double>& units, CStringArray& names) {
  // A Get given a null entity releases a block: it must never be asked for a null part.
  if (!part) {
    SetLastErrorText("Unable to retrieve part definition data [Invalid entity]");
    return 0;
  }
  TakeEntityName(part);
  A3dEntity attributes = nullptr;
  CascadedAttributesBlock attributesData;
  PushAttributes(part, fatherAttributes, &attributes, &attributesData);

  int result = 0;
  PartDefinitionBlock data = ZeroedBlock<PartDefinitionBlock>();
  if (A3dCall(A3DAsmPartDefinitionGet)(part, &data) != kA3dSuccess) {
    SetLastErrorText("Unable to retrieve part definition data");
  } else {
    if (!HandlesPresent(data.repItems, data.repItemCount)) {
      SetLastErrorText("Unable to retrieve part definition data [Invalid representation item]");
    } else {
      result = 1;
      for (uint32_t i = 0; result && i < data.repItemCount; ++i) {
        result = WalkRepItem(data.repItems[i], attributes, meshes, units, names);
      }
    }
    A3dCall(A3DAsmPartDefinitionGet)(nullptr, &data);
  }
  DropAttributes(attributes, &attributesData);
  return result;
}

int WalkRepItem(A3dEntity item, A3dEntity fatherAttributes, ON_ClassArray<ON_Mesh>& meshes,
                ON_SimpleArray<double>& units, CStringArray& names) {
  // As for a part: a null item would make its Get a release.
  if (!item) {
    SetLastErrorText("Unable to retrieve representation item data [Invalid entity]");
    return 0;
  }
  A3dEntity attributes = nullptr;
  CascadedAttributesBlock attributesData;
  PushAttributes(item, fatherAttributes, &attributes, &attributesData);

  int result = 0;
  RepItemBlock data = ZeroedBlock<RepItemBlock>();
  if (A3dCall(A3DRiRepresentationItemGet)(item, &data) != kA3dSuccess) {
    SetLastErrorText("Unable to retrieve representation item data");
  } else {
    result = ConvertTessToMesh(data.tessellation, meshes, units, names);
    A3dCall(A3DRiRepresentationItemGet)(nullptr, &data);
  }
  DropAttributes(attributes, &attributesData);
  return result;
}

int ConvertTessToMesh(A3dEntity tess, ON_ClassArray<ON_Mesh>& meshes, ON_SimpleArray<double>& units,
                      CStringArray& names) {
  if (!tess) {
    SetLastErrorText("Unable to retrieve tesselation data [Invalid entity]");
    return 0;
  }
  TessBaseBlock base = ZeroedBlock<TessBaseBlock>();
  if (A3dCall(A3DTessBaseGet)(tess, &base) != kA3dSuccess) {
    SetLastErrorText("Unable to retrieve tesselation data");
    return 0;
  }
  int result = 0;
  int32_t type = 0;
  if (A3dCall(A3DEntityGetType)(tess, &type) != kA3dSuccess) {
    SetLastErrorText("Unable to get tesselation type");
  } else if (type != kA3dTypeTess3D) {
    SetLastErrorText("Unsupported tesselation type");
  } else {
    Tess3DBlock data = ZeroedBlock<Tess3DBlock>();
    if (A3dCall(A3DTess3DGet)(tess, &data) != kA3dSuccess) {
      SetLastErrorText("Unable to retrieve tesselation 3d data");
    } else {
      if (!TessellationUsable(base, data)) {
        SetLastErrorText("Unable to retrieve tesselation 3d data [Invalid counts]");
      } else {
        result = StoreMesh(base, data, meshes, units, names);
      }
      A3dCall(A3DTess3DGet)(nullptr, &data);
    }
  }
  A3dCall(A3DTessBaseGet)(nullptr, &base);
  return result;
}
