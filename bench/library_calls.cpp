#include "bench/library_calls.h"

#include "import/a3d_binding.h"
#include "import/prc_writer.h"

namespace {

// The tree the writer builds: tessellation, poly-B-rep item, part, occurrence, model file.
bool BuildAndWrite(Tess3DBlock& tess, TessBaseBlock& base, const CString& path) {
  A3dEntity tessellation = nullptr;
  A3dCall(A3DTess3DCreate)(&tess, &tessellation);
  A3dCall(A3DTessBaseSet)(tessellation, &base);
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
  params.option08 = 1;
  params.option0A = 1;
  params.option0C = 1;
  const A3dStatus status =
      A3dCall(A3DAsmModelFileWriteToFile)(model, &params, static_cast<const char*>(path));
  A3dCall(A3DAsmModelFileDelete)(model);
  return status == kA3dSuccess;
}

}  // namespace

bool RunLibraryCalls(double* coords, double* normals, uint32_t* indices, uint32_t triangles,
                     const CString& path) {
  HMODULE library = LoadA3dLibrary();
  if (!library)
    return false;
  if (!InitA3dLibrary()) {
    FreeA3dLibrary(library);
    return false;
  }
  uint32_t sizes = triangles;
  TessFaceBlock face = {};
  face.size = sizeof(face);
  face.triangleKind = kA3dFaceTrianglesOneNormal;
  face.sizeCount = 1;
  face.sizes = &sizes;
  Tess3DBlock tess = {};
  tess.size = sizeof(tess);
  tess.normalCount = 3 * triangles;
  tess.normals = normals;
  tess.indexCount = 4 * triangles;
  tess.indices = indices;
  tess.faceCount = 1;
  tess.faces = &face;
  TessBaseBlock base = {};
  base.size = sizeof(base);
  base.coordCount = 9 * triangles;
  base.coords = coords;
  const bool written = BuildAndWrite(tess, base, path);
  TerminateA3dLibrary();
  FreeA3dLibrary(library);
  return written;
}
