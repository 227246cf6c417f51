#include "bench/library_calls.h"

#include "import/a3d_binding.h"
#include "import/prc_writer.h"

bool RunLibraryCalls(double* coords, double* normals, uint32_t* indices, uint32_t triangles,
                     const CString& path) {
  A3dLibrarySession library({A3dEntry::A3DAsmModelFileWriteToFile});
  if (!library.Ready())
    return false;
  uint32_t sizes = triangles;
  TessellationBlocks blocks;
  DescribeTessellation(coords, normals, indices, &sizes, &blocks);
  return WritePrcModelTree(&blocks, path) == 1;
}
