// Model file bytes through the stand-in 3D library's loader and the plug-in's model-tree walk.
// The store's loader is called directly too: a file it accepts must write back to the same
// bytes, and a file it refuses must not load through the library either. After each input the
// library must hold no entity and no attached block.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "import/a3d_binding.h"
#include "import/prc_stream_reader.h"
#include "standins/a3dlib/model_file.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/test_env.h"

namespace {

std::string ModelPath() {
  static const std::string path = kvfuzz::ScratchFile("input.prc");
  return path;
}

// The store's own verdict on the bytes; an accepted file is checked to be canonical.
bool StoreAccepts(const uint8_t* data, size_t size) {
  a3dstore::Model model;
  if (a3dstore::LoadModelFile(data, size, &model) != a3dstore::LoadStatus::kOk)
    return false;
  std::vector<uint8_t> written;
  if (!a3dstore::WriteModelFile(model, &written))
    kvfuzz::Fail("a loaded model does not write");
  if (written != std::vector<uint8_t>(data, data + size))
    kvfuzz::Fail("a loaded model writes other bytes");
  return true;
}

void CheckWalkResult(bool accepted, int result, const ON_ClassArray<ON_Mesh>& meshes,
                     const ON_SimpleArray<double>& units, const CStringArray& names) {
  if (!accepted && (result != 0 || meshes.Count() != 0))
    kvfuzz::Fail("a refused file gave a model");
  if (accepted && GetLastErrorText() == "Unable to load model file")
    kvfuzz::Fail("the library refused a file the store accepts");
  if (meshes.Count() != units.Count() || meshes.Count() != names.GetSize())
    kvfuzz::Fail("meshes, units and names out of step");
  if (!kvfuzz::FaceIndicesInRange(meshes))
    kvfuzz::Fail("a face index outside its mesh");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  kvfuzz::PrepareEnvironment();
  if (!kvfuzz::HoldA3dLibrary() || !InitA3dLibrary())
    kvfuzz::Fail("the 3D library is not ready");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const bool accepted = StoreAccepts(data, size);
  if (!testenv::WriteBytes(ModelPath(), data, size))
    kvfuzz::Fail("cannot write the input file");
  CString path(ModelPath().c_str());
  ON_ClassArray<ON_Mesh> meshes;
  ON_SimpleArray<double> units;
  CStringArray names;
  SetLastErrorText("");
  const int result = LoadPrcModel(path, meshes, units, names);
  CheckWalkResult(accepted, result, meshes, units, names);
  kvfuzz::CheckLibraryBalanced("the walk");
  if (!InitA3dLibrary())
    kvfuzz::Fail(GetLastErrorText().GetString());
  return 0;
}
