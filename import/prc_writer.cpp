#include "import/prc_writer.h"

#include <io.h>

#include <optional>

#include "import/a3d_binding.h"
#include "platform/acrobat/host_operations.h"

namespace {

// The writer's failures, one text for each family of steps.
const char kNotEnoughMemory[] = "Unable to create PRC file [Not enough memory]";
const char kTooManyTriangles[] = "Unable to create PRC file [Too many triangles]";
const char kTessellationRefused[] =
    "Unable to create PRC file [The 3D library refused the tessellation]";
const char kRepresentationItemRefused[] =
    "Unable to create PRC file [The 3D library refused the representation item]";
const char kPartDefinitionRefused[] =
    "Unable to create PRC file [The 3D library refused the part definition]";
const char kProductOccurrenceRefused[] =
    "Unable to create PRC file [The 3D library refused the product occurrence]";
const char kModelFileRefused[] =
    "Unable to create PRC file [The 3D library refused the model file]";
const char kFileNotWritten[] = "Unable to create PRC file [The file could not be written]";

// Every failure of the writer ends the conversion with its text in LastErrorText.
int Fail(const char* text) {
  SetLastErrorText(text);
  return 0;
}

bool InMesh(int vertexIndex, int vertexCount) {
  return static_cast<unsigned>(vertexIndex) < static_cast<unsigned>(vertexCount);
}

bool CornersInMesh(const ON_MeshFace& face, int vertexCount) {
  return InMesh(face.vi[0], vertexCount) && InMesh(face.vi[1], vertexCount) &&
         InMesh(face.vi[2], vertexCount);
}

// Appends a mesh to the merged one, each face keeping to its own mesh's vertices: Append
// shifts an index past them into the next mesh's, so such a corner is set to -1, outside every
// mesh, as it was outside its own. A face with such a corner among the first three is then
// left out; a quad whose fourth corner is such is not split and gives its first three.
bool AppendMesh(ON_Mesh& merged, const ON_Mesh& mesh) {
  const int firstFace = merged.FaceCount();
  if (!merged.Append(mesh))
    return false;
  const int vertexCount = mesh.VertexCount();
  const ON_MeshFace* own = mesh.m_F.Array();
  ON_MeshFace* appended = merged.m_F.Array() + firstFace;
  for (int f = 0; f < mesh.FaceCount(); ++f) {
    for (int k = 0; k < 4; ++k) {
      if (!InMesh(own[f].vi[k], vertexCount))
        appended[f].vi[k] = -1;
    }
  }
  return true;
}

// The triangles to write: every face whose corners 0 to 2 lie within the mesh's vertices. A
// face pointing outside has no position to write and is left out.
int CountWritableTriangles(const ON_Mesh& mesh) {
  const int vertexCount = mesh.VertexCount();
  const int faceCount = mesh.FaceCount();
  int n = 0;
  for (int f = 0; f < faceCount; ++f)
    n += CornersInMesh(mesh.m_F[f], vertexCount) ? 1 : 0;
  return n;
}

// The toolkit's copy is empty when memory ran out: it must hold every vertex and face.
bool IsWholeCopy(const ON_Mesh& copy, const ON_Mesh& mesh) {
  return copy.VertexCount() == mesh.VertexCount() && copy.FaceCount() == mesh.FaceCount();
}

// ComputeFaceNormals answers false also when a face has no direction (its normal, 0, is
// written as it is); only a normal array shorter than the face list means memory ran out.
bool HasEveryFaceNormal(const ON_Mesh& mesh) {
  return mesh.m_FN.Count() == mesh.FaceCount();
}

// The topology maps every vertex unless memory ran out while it was built.
bool HasTopology(const ON_Mesh& mesh) {
  return mesh.Topology().m_topv_map.Count() == mesh.VertexCount();
}

// The library's status of naming an entity, which SetEntityName does not answer.
A3dStatus NameEntity(const char* name, A3dEntity entity) {
  RootBaseBlock block = {};
  block.size = sizeof(block);
  block.name = name;
  return A3dCall(A3DRootBaseSet)(entity, &block);
}

// A create call succeeded when the library answered success and gave an entity; the entity is
// read through its address once the call has returned.
bool Created(A3dStatus status, const A3dEntity* entity) {
  return status == kA3dSuccess && *entity != nullptr;
}

// The steps of the model tree, from the tessellation up: each answers its new entity, or null
// when the library refused one of its calls.

A3dEntity MakeTessellation(TessellationBlocks* blocks) {
  A3dEntity tessellation = nullptr;
  if (!Created(A3dCall(A3DTess3DCreate)(&blocks->tess, &tessellation), &tessellation) ||
      A3dCall(A3DTessBaseSet)(tessellation, &blocks->base) != kA3dSuccess)
    return nullptr;
  return tessellation;
}

A3dEntity MakeRepresentationItem(A3dEntity tessellation) {
  PolyBrepBlock polyBrep = {};
  polyBrep.size = sizeof(polyBrep);
  polyBrep.closed = 1;
  A3dEntity repItem = nullptr;
  if (!Created(A3dCall(A3DRiPolyBrepModelCreate)(&polyBrep, &repItem), &repItem))
    return nullptr;
  RepItemBlock repItemData = {};
  repItemData.size = sizeof(repItemData);
  repItemData.tessellation = tessellation;
  if (A3dCall(A3DRiRepresentationItemSet)(repItem, &repItemData) != kA3dSuccess)
    return nullptr;
  return repItem;
}

A3dEntity MakePartDefinition(A3dEntity* repItem) {
  PartDefinitionBlock part = {};
  part.size = sizeof(part);
  part.repItemCount = 1;
  part.repItems = repItem;
  A3dEntity partDefinition = nullptr;
  if (!Created(A3dCall(A3DAsmPartDefinitionCreate)(&part, &partDefinition), &partDefinition))
    return nullptr;
  return partDefinition;
}

A3dEntity MakeProductOccurrence(A3dEntity partDefinition) {
  ProductOccurrenceBlock occurrence = {};
  occurrence.size = sizeof(occurrence);
  occurrence.partDefinition = partDefinition;
  A3dEntity productOccurrence = nullptr;
  if (!Created(A3dCall(A3DAsmProductOccurrenceCreate)(&occurrence, &productOccurrence),
               &productOccurrence) ||
      NameEntity("Model", productOccurrence) != kA3dSuccess)
    return nullptr;
  return productOccurrence;
}

A3dEntity MakeModelFile(A3dEntity* productOccurrence) {
  ModelFileBlock modelFile = {};
  modelFile.size = sizeof(modelFile);
  modelFile.unit = 1.0;
  modelFile.occurrenceCount = 1;
  modelFile.occurrences = productOccurrence;
  A3dEntity model = nullptr;
  if (!Created(A3dCall(A3DAsmModelFileCreate)(&modelFile, &model), &model))
    return nullptr;
  return model;
}

// Names the model file and writes it at the path. A write that fails may have left part of a
// file there: it is deleted, so that nothing takes it for the model.
int NameAndWriteModelFile(A3dEntity model, const CString& path) {
  if (NameEntity("ModelFile", model) != kA3dSuccess)
    return Fail(kModelFileRefused);
  WriteParamsBlock params = {};
  params.size = sizeof(params);
  params.option04 = 0;
  params.option08 = 1;
  params.option0A = 1;
  params.option0C = 1;
  params.option10 = 0;
  if (A3dCall(A3DAsmModelFileWriteToFile)(model, &params, static_cast<const char*>(path)) !=
      kA3dSuccess) {
    _unlink(path);
    return Fail(kFileNotWritten);
  }
  return 1;
}

}  // namespace

// A corner's position is that of the first vertex at its location, read straight from the
// topology's arrays, whose entries are in range by construction. The writer makes sure the
// topology is there; should it be missing (memory ran out), each corner's own vertex gives
// the same location.
void FillPrcTriangleArrays(const ON_Mesh& mesh, double* coords, double* normals,
                           uint32_t* indices) {
  const ON_MeshTopology& topology = mesh.Topology();
  const int vertexCount = mesh.VertexCount();
  const int faceCount = mesh.FaceCount();
  const bool mapped =
      topology.m_topv_map.Count() == vertexCount && topology.m_topv_first.Count() > 0;
  const int* topvMap = topology.m_topv_map.Array();
  const int* topvFirst = topology.m_topv_first.Array();
  const ON_3fPoint* points = mesh.m_V.Array();
  const ON_MeshFace* faces = mesh.m_F.Array();
  const ON_3fVector* faceNormals = mesh.m_FN.Count() == faceCount ? mesh.m_FN.Array() : nullptr;
  uint32_t coordOffset = 0;
  uint32_t normalOffset = 0;
  for (int f = 0; f < faceCount; ++f) {
    const ON_MeshFace& face = faces[f];
    if (!CornersInMesh(face, vertexCount))
      continue;
    for (int j = 0; j < 3; ++j) {
      const int vi = face.vi[j];
      const ON_3fPoint& p = points[mapped ? topvFirst[topvMap[vi]] : vi];
      coords[3 * j + 0] = p.x;
      coords[3 * j + 1] = p.y;
      coords[3 * j + 2] = p.z;
    }
    const ON_3fVector n = faceNormals ? faceNormals[f] : ON_3fVector(0.0f, 0.0f, 0.0f);
    normals[0] = n.x;
    normals[1] = n.y;
    normals[2] = n.z;
    indices[0] = normalOffset;
    indices[1] = coordOffset;
    indices[2] = coordOffset + 3;
    indices[3] = coordOffset + 6;
    coordOffset += 9;
    normalOffset += 3;
    coords += 9;
    normals += 3;
    indices += 4;
  }
}

void DescribeTessellation(double* coords, double* normals, uint32_t* indices,
                          uint32_t* triangleCount, TessellationBlocks* blocks) {
  const uint32_t n = *triangleCount;
  *blocks = TessellationBlocks();
  blocks->base.size = sizeof(blocks->base);
  blocks->base.coordCount = 9 * n;
  blocks->base.coords = coords;
  blocks->tess.size = sizeof(blocks->tess);
  blocks->tess.normalCount = 3 * n;
  blocks->tess.normals = normals;
  blocks->tess.indexCount = 4 * n;
  blocks->tess.indices = indices;
  blocks->face.size = sizeof(blocks->face);
  blocks->face.triangleKind = kA3dFaceTrianglesOneNormal;
  blocks->face.firstIndex = 0;
  blocks->face.sizeCount = 1;
  blocks->face.sizes = triangleCount;
  blocks->tess.faceCount = 1;
  blocks->tess.faces = &blocks->face;
}

// The library offers no call to delete an entity but the model file (with everything under
// it): until the model file exists, what a refused step leaves behind is released when the
// library is terminated and unloaded.
int WritePrcModelTree(TessellationBlocks* blocks, const CString& path) {
  A3dEntity tessellation = MakeTessellation(blocks);
  if (!tessellation)
    return Fail(kTessellationRefused);
  A3dEntity repItem = MakeRepresentationItem(tessellation);
  if (!repItem)
    return Fail(kRepresentationItemRefused);
  A3dEntity partDefinition = MakePartDefinition(&repItem);
  if (!partDefinition)
    return Fail(kPartDefinitionRefused);
  A3dEntity productOccurrence = MakeProductOccurrence(partDefinition);
  if (!productOccurrence)
    return Fail(kProductOccurrenceRefused);
  A3dEntity model = MakeModelFile(&productOccurrence);
  if (!model)
    return Fail(kModelFileRefused);
  const int written = NameAndWriteModelFile(model, path);
  A3dCall(A3DAsmModelFileDelete)(model);
  return written;
}

namespace {

// The arrays, the fill and the library calls for the triangulated copy. The arrays go back to
// the host when it returns, after the model file has been deleted.
int WriteTessellation(const ON_Mesh& copy, const CString& path) {
  // the sizes array of the tessellation face: it stays here until the library has built it
  uint32_t n = static_cast<uint32_t>(CountWritableTriangles(copy));
  if (!TriangleCountFits(n))
    return Fail(kTooManyTriangles);

  TriangleArrays arrays;
  const bool given = arrays.Request(n);
  if (n > 0) {
    if (!given || !HasTopology(copy))
      return Fail(kNotEnoughMemory);
    FillPrcTriangleArrays(copy, arrays.coords, arrays.normals, arrays.indices);
  }

  TessellationBlocks blocks;
  DescribeTessellation(arrays.coords, arrays.normals, arrays.indices, &n, &blocks);
  return WritePrcModelTree(&blocks, path);
}

}  // namespace

void* HostAlloc(uint32_t size) {
  return HostMemoryAlloc(size);
}

void HostFree(void* block) {
  if (block)
    HostMemoryFree(block);
}

bool TriangleArrays::Request(uint32_t n) {
  Release();
  coords = static_cast<double*>(HostAlloc(9 * n * 8u));
  normals = static_cast<double*>(HostAlloc(3 * n * 8u));
  indices = static_cast<uint32_t*>(HostAlloc(4 * n * 4u));
  return coords && normals && indices;
}

void TriangleArrays::Release() {
  HostFree(coords);
  HostFree(normals);
  HostFree(indices);
  coords = normals = nullptr;
  indices = nullptr;
}

int SetEntityName(const char* name, A3dEntity* entity) {
  if (!entity)
    return 0;
  NameEntity(name, *entity);
  return 1;
}

int BuildPrcModel(const ON_Mesh& mesh, CString& path) {
  // Declared before the library so that it is destroyed after the library has been
  // terminated and unloaded; made only once the library is ready.
  std::optional<ON_Mesh> copy;
  // every entry point the writer calls, so that none is called when one is missing
  A3dLibrarySession library(
      {A3dEntry::A3DTess3DCreate, A3dEntry::A3DTessBaseSet, A3dEntry::A3DRiPolyBrepModelCreate,
       A3dEntry::A3DRiRepresentationItemSet, A3dEntry::A3DAsmPartDefinitionCreate,
       A3dEntry::A3DAsmProductOccurrenceCreate, A3dEntry::A3DRootBaseSet,
       A3dEntry::A3DAsmModelFileCreate, A3dEntry::A3DAsmModelFileWriteToFile,
       A3dEntry::A3DAsmModelFileDelete, A3dEntry::A3DDllTerminate});
  if (!library.Ready())
    return 0;
  copy.emplace(mesh);
  if (!IsWholeCopy(*copy, mesh) || !copy->ConvertQuadsToTriangles())
    return Fail(kNotEnoughMemory);
  copy->ComputeFaceNormals();
  if (!HasEveryFaceNormal(*copy))
    return Fail(kNotEnoughMemory);
  return WriteTessellation(*copy, path);
}

int WriteMeshesAsPrc(ON_ClassArray<ON_Mesh>& meshes, CString& path) {
  ON_Mesh merged;
  for (int i = 0; i < meshes.Count(); ++i) {
    if (!AppendMesh(merged, meshes[i]))
      return Fail(kNotEnoughMemory);
  }
  if (!merged.ConvertQuadsToTriangles())
    return Fail(kNotEnoughMemory);
  return BuildPrcModel(merged, path);
}
