// The PRC model writer: the meshes of one import as one triangle tessellation in a model file.
#pragma once

#include <cstdint>

#include "platform/a3d/a3d_blocks.h"
#include "platform/mfc/cstring.h"
#include "platform/opennurbs/opennurbs.h"

// Merges the meshes, each face kept to its own mesh's vertices, splits their quads and writes
// them at the path. The result of BuildPrcModel; 0 when memory runs out while merging or
// splitting, with "Unable to create PRC file [Not enough memory]" in LastErrorText.
int WriteMeshesAsPrc(ON_ClassArray<ON_Mesh>& meshes, CString& path);

// 1 once the model file has been written at the path; 0 when the library cannot be loaded,
// fails its version test or initialisation, lacks an entry point, the model is too large for
// the library's 32-bit byte counts, memory runs out (the host's or the toolkit's), the library
// refuses a model-building call or the write fails. The message is then in LastErrorText, and
// no file of this call is left at the path. Whatever the way out, the model file is deleted,
// the arrays go back to the host, the library is terminated and unloaded, and only then is the
// triangulated copy destroyed.
int BuildPrcModel(const ON_Mesh& mesh, CString& path);

// Names an entity of the model: 0 when the address is null, else 1 (whatever the library
// answered).
int SetEntityName(const char* name, A3dEntity* entity);

// Memory from the host's allocator, and its release.
void* HostAlloc(uint32_t size);
void HostFree(void* block);

// The writer's steps on their own, for measuring them.

// The three flat arrays of the tessellation, from the host's allocator: 9 coordinates, 3
// normal components and 4 index entries a triangle. They go back to the host in the order
// coordinates, normals, indices when released or destroyed.
struct TriangleArrays {
  double* coords = nullptr;
  double* normals = nullptr;
  uint32_t* indices = nullptr;

  TriangleArrays() = default;
  TriangleArrays(const TriangleArrays&) = delete;
  TriangleArrays& operator=(const TriangleArrays&) = delete;
  ~TriangleArrays() { Release(); }

  // Gives back any arrays held, then asks the host for those of n triangles, in the order
  // coordinates, normals, indices; false when it refused one of them. n must pass
  // TriangleCountFits, so that the byte counts fit in 32 bits.
  bool Request(uint32_t n);
  void Release();
};

// Each triangle of the mesh whose corners lie within its vertices: three corner positions
// through the topology (9 doubles), its face normal (3 doubles) and the index record of its
// normal's and corners' positions counted in doubles (4 entries).
void FillPrcTriangleArrays(const ON_Mesh& mesh, double* coords, double* normals, uint32_t* indices);

// The library's blocks around the three arrays of *triangleCount triangles: one face holding
// them all, one normal a triangle. The count is the face's sizes array, so it and the blocks
// must stay in place until the library has built the tessellation.
struct TessellationBlocks {
  TessBaseBlock base;
  Tess3DBlock tess;
  TessFaceBlock face;
};
void DescribeTessellation(double* coords, double* normals, uint32_t* indices,
                          uint32_t* triangleCount, TessellationBlocks* blocks);

// The model tree around the tessellation (poly-B-rep item, part, occurrence "Model", model file
// "ModelFile" of unit 1.0), written at the path and deleted: the eleven library calls. 1 when
// the file was written; 0 at the first call the library refuses, with the step's message in
// LastErrorText, the calls after it not made, the model file (once made) deleted and a file
// that the failed write left at the path removed.
int WritePrcModelTree(TessellationBlocks* blocks, const CString& path);

// The largest triangle count whose coordinate array (72 bytes a triangle) a 32-bit byte count
// can describe.
constexpr uint32_t kMaxPrcTriangles = 59652323;

// Whether the three arrays of n triangles have byte counts that fit in 32 bits.
constexpr bool TriangleCountFits(uint64_t n) {
  return n <= kMaxPrcTriangles;
}
