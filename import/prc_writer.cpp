#include "import/prc_writer.h"

#include "import/a3d_binding.h"
#include "platform/acrobat/host_operations.h"

namespace {

bool CornersInMesh(const ON_MeshFace& face, int vertexCount) {
  return static_cast<unsigned>(face.vi[0]) < static_cast<unsigned>(vertexCount) &&
         static_cast<unsigned>(face.vi[1]) < static_cast<unsigned>(vertexCount) &&
         static_cast<unsigned>(face.vi[2]) < static_cast<unsigned>(vertexCount);
}

// The triangles to write: every face whose corners 0 to 2 lie within the mesh's vertices. A
// face pointing outside its mesh has no position to write and is left out.
int CountWritableTriangles(const ON_Mesh& mesh) {
  const int vertexCount = mesh.VertexCount();
  const int faceCount = mesh.FaceCount();
  int n = 0;
  for (int f = 0; f < faceCount; ++f)
    n += CornersInMesh(mesh.m_F[f], vertexCount) ? 1 : 0;
  return n;
}

// The three flat arrays, given back to the host in the order coordinates, normals, indices.
struct TriangleArrays {
  double* coords = nullptr;
  double* normals = nullptr;
  uint32_t* indices = nullptr;

  ~TriangleArrays() {
    if (coords)
      HostMemoryFree(coords);
    if (normals)
      HostMemoryFree(normals);
    if (indices)
      HostMemoryFree(indices);
  }
};

}  // namespace

// A corner's position is that of the first vertex at its location, read straight from the
// topology's arrays, whose entries are in range by construction. Should the topology be
// missing (memory ran out), each corner's own vertex gives the same location.
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

A3dStatus WritePrcModelTree(TessellationBlocks* blocks, const CString& path) {
  A3dEntity tessellation = nullptr;
  A3dCall(A3DTess3DCreate)(&blocks->tess, &tessellation);
  A3dCall(A3DTessBaseSet)(tessellation, &blocks->base);

  PolyBrepBlock polyBrep = {};
  polyBrep.size = sizeof(polyBrep);
  polyBrep.closed = 1;
  A3dEntity repItem = nullptr;
  A3dCall(A3DRiPolyBrepModelCreate)(&polyBrep, &repItem);

  RepItemBlock repItemData = {};
  repItemData.size = sizeof(repItemData);
  repItemData.tessellation = tessellation;
  A3dCall(A3DRiRepresentationItemSet)(repItem, &repItemData);

  PartDefinitionBlock part = {};
  part.size = sizeof(part);
  part.repItemCount = 1;
  part.repItems = &repItem;
  A3dEntity partDefinition = nullptr;
  A3dCall(A3DAsmPartDefinitionCreate)(&part, &partDefinition);

  ProductOccurrenceBlock occurrence = {};
  occurrence.size = sizeof(occurrence);
  occurrence.partDefinition = partDefinition;
  A3dEntity productOccurrence = nullptr;
  A3dCall(A3DAsmProductOccurrenceCreate)(&occurrence, &productOccurrence);
  SetEntityName("Model", &productOccurrence);

  ModelFileBlock modelFile = {};
  modelFile.size = sizeof(modelFile);
  modelFile.unit = 1.0;
  modelFile.occurrenceCount = 1;
  modelFile.occurrences = &productOccurrence;
  A3dEntity model = nullptr;
  A3dCall(A3DAsmModelFileCreate)(&modelFile, &model);
  SetEntityName("ModelFile", &model);

  WriteParamsBlock params = {};
  params.size = sizeof(params);
  params.option04 = 0;
  params.option08 = 1;
  params.option0A = 1;
  params.option0C = 1;
  params.option10 = 0;
  A3dStatus written =
      A3dCall(A3DAsmModelFileWriteToFile)(model, &params, static_cast<const char*>(path));
  A3dCall(A3DAsmModelFileDelete)(model);
  return written;
}

namespace {

// The arrays, the fill and the library calls for the triangulated copy.
int WriteTessellation(const ON_Mesh& copy, const CString& path) {
  // the sizes array of the tessellation face: it stays here until the library has built it
  uint32_t n = static_cast<uint32_t>(CountWritableTriangles(copy));
  if (!TriangleCountFits(n)) {
    SetLastErrorText("Unable to create PRC file [Too many triangles]");
    return 0;
  }

  TriangleArrays arrays;
  arrays.coords = static_cast<double*>(HostAlloc(9 * n * 8u));
  arrays.normals = static_cast<double*>(HostAlloc(3 * n * 8u));
  arrays.indices = static_cast<uint32_t*>(HostAlloc(4 * n * 4u));
  if (n > 0 && (!arrays.coords || !arrays.normals || !arrays.indices)) {
    SetLastErrorText("Unable to create PRC file [Not enough memory]");
    return 0;
  }
  if (n > 0)
    FillPrcTriangleArrays(copy, arrays.coords, arrays.normals, arrays.indices);

  TessellationBlocks blocks;
  DescribeTessellation(arrays.coords, arrays.normals, arrays.indices, &n, &blocks);
  WritePrcModelTree(&blocks, path);
  return 1;
}

}  // namespace

void* HostAlloc(uint32_t size) {
  return HostMemoryAlloc(size);
}

void HostFree(void* block) {
  if (block)
    HostMemoryFree(block);
}

int SetEntityName(const char* name, A3dEntity* entity) {
  if (!entity)
    return 0;
  RootBaseBlock block = {};
  block.size = sizeof(block);
  block.name = name;
  A3dCall(A3DRootBaseSet)(*entity, &block);
  return 1;
}

int BuildPrcModel(const ON_Mesh& mesh, CString& path) {
  // every entry point the writer calls, so that none is called when one is missing
  A3dLibrarySession library(
      {A3dEntry::A3DTess3DCreate, A3dEntry::A3DTessBaseSet, A3dEntry::A3DRiPolyBrepModelCreate,
       A3dEntry::A3DRiRepresentationItemSet, A3dEntry::A3DAsmPartDefinitionCreate,
       A3dEntry::A3DAsmProductOccurrenceCreate, A3dEntry::A3DRootBaseSet,
       A3dEntry::A3DAsmModelFileCreate, A3dEntry::A3DAsmModelFileWriteToFile,
       A3dEntry::A3DAsmModelFileDelete, A3dEntry::A3DDllTerminate});
  if (!library.Ready())
    return 0;
  ON_Mesh copy(mesh);
  copy.ConvertQuadsToTriangles();
  copy.ComputeFaceNormals();
  return WriteTessellation(copy, path);
}

int WriteMeshesAsPrc(ON_ClassArray<ON_Mesh>& meshes, CString& path) {
  ON_Mesh merged;
  for (int i = 0; i < meshes.Count(); ++i)
    merged.Append(meshes[i]);
  merged.ConvertQuadsToTriangles();
  return BuildPrcModel(merged, path);
}
