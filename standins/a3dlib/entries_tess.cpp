// The read side of tessellations: the coordinates, and the 3D data with its index entries
// presented to a reader as tess_presentation.h describes.
#include "standins/a3dlib/a3d_export.h"
#include "standins/a3dlib/get_support.h"
#include "standins/a3dlib/library_log.h"
#include "standins/a3dlib/tess_presentation.h"

using namespace a3dlib;

namespace {

A3dStatus FillTessBase(A3dEntity handle, TessBaseBlock* block) {
  a3dstore::Tessellation* tess = nullptr;
  KV_A3D_TRY(Lookup(handle, &tess));
  KV_A3D_TRY(Refused(tess->base, a3dstore::kFailTessBaseGet));
  BlockMemory memory;
  double* coords = Copy(&memory, tess->coords);
  if (memory.failed) {
    return kErrNoMemory;
  }
  block->coordCount = uint32_t(tess->coords.size());
  block->coords = coords;
  Attach(A3dEntry::A3DTessBaseGet, *block, std::move(memory));
  return kA3dSuccess;
}

// The faces as blocks, each with its attached sizes array.
TessFaceBlock* Faces(BlockMemory* memory, const a3dstore::Tessellation& tess,
                     const std::vector<uint32_t>& firstIndices) {
  TessFaceBlock* faces = Allocate<TessFaceBlock>(memory, tess.faces.size());
  for (size_t i = 0; faces && i < tess.faces.size(); ++i) {
    const a3dstore::Face& face = tess.faces[i];
    faces[i].size = sizeof(TessFaceBlock);
    faces[i].triangleKind = face.triangleKind;
    faces[i].firstIndex = firstIndices[i];
    faces[i].sizeCount = uint32_t(face.sizes.size());
    faces[i].sizes = Copy(memory, face.sizes);
  }
  return faces;
}

A3dStatus FillTess3D(A3dEntity handle, Tess3DBlock* block) {
  a3dstore::Tessellation* tess = nullptr;
  KV_A3D_TRY(Lookup(handle, &tess));
  if (tess->type != kA3dTypeTess3D) {
    return kErrWrongType;
  }
  KV_A3D_TRY(Refused(tess->base, a3dstore::kFailGet));
  a3dstore::PresentedIndices presented;
  if (!a3dstore::PresentIndices(*tess, &presented)) {
    return kErrTooLarge;
  }
  BlockMemory memory;
  double* normals = Copy(&memory, tess->normals);
  uint32_t* indices = Copy(&memory, presented.entries);
  TessFaceBlock* faces = Faces(&memory, *tess, presented.firstIndices);
  if (memory.failed) {
    return kErrNoMemory;
  }
  block->normalCount = uint32_t(tess->normals.size());
  block->normals = normals;
  block->indexCount = uint32_t(presented.entries.size());
  block->indices = indices;
  block->faceCount = uint32_t(tess->faces.size());
  block->faces = faces;
  Attach(A3dEntry::A3DTess3DGet, *block, std::move(memory));
  return kA3dSuccess;
}

}  // namespace

KV_A3D_ENTRY(A3DTessBaseGet)(A3dEntity tess, TessBaseBlock* block) {
  const A3dStatus status =
      IfReady([&] { return GetOrRelease(A3dEntry::A3DTessBaseGet, tess, block, FillTessBase); });
  LogLine("A3DTessBaseGet #%u%s -> %d coords=%u", LogId(tess), GetTarget(tess), status,
          status == kA3dSuccess && tess ? block->coordCount : 0u);
  return status;
}
KV_A3D_CHECKED(A3DTessBaseGet);

KV_A3D_ENTRY(A3DTess3DGet)(A3dEntity tess, Tess3DBlock* block) {
  const A3dStatus status =
      IfReady([&] { return GetOrRelease(A3dEntry::A3DTess3DGet, tess, block, FillTess3D); });
  const bool filled = status == kA3dSuccess && tess;
  LogLine("A3DTess3DGet #%u%s -> %d normals=%u indices=%u faces=%u", LogId(tess), GetTarget(tess),
          status, filled ? block->normalCount : 0u, filled ? block->indexCount : 0u,
          filled ? block->faceCount : 0u);
  return status;
}
KV_A3D_CHECKED(A3DTess3DGet);
