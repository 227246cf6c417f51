// OBJ text through the SKP-reading stand-in: whatever it reads, every face it gives refers to
// vertices of its own mesh, and a refusal comes with a text for the user.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/ostrel/tvl_ostrel.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/test_env.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  kvfuzz::PrepareEnvironment();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = kvfuzz::ScratchFile("input.obj");
  if (!testenv::WriteBytes(path, data, size))
    kvfuzz::Fail("cannot write the input file");
  ON_ClassArray<ON_Mesh> meshes;
  if (TVLOstrel::SKPToMesh(CString(path.c_str()), meshes) == 0 && TVLOstrel::GetError().IsEmpty())
    kvfuzz::Fail("a refusal without a text");
  if (!kvfuzz::FaceIndicesInRange(meshes))
    kvfuzz::Fail("a face index outside its mesh");
  return 0;
}
