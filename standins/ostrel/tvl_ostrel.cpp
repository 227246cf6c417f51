// The SKP reading library stand-in. The SketchUp format is closed, so this reader takes
// Wavefront OBJ text and refuses real SketchUp models with a clear text.
#include "platform/ostrel/tvl_ostrel.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "standins/ostrel/obj_meshes.h"

namespace {

CString& LastError() {
  static CString error;
  return error;
}

bool CanOpen(const char* path) {
  std::FILE* file = std::fopen(path, "rb");
  if (!file)
    return false;
  std::fclose(file);
  return true;
}

int Fail(const char* format, const char* path, const char* detail = "") {
  LastError().Format(format, path, detail);
  return 0;
}

// A test scenario: KV_OSTREL_RESULT is the answer given once the file has been read; 0 makes
// the call fail after filling the array, with the text of KV_OSTREL_ERROR (default empty).
int ScenarioResult() {
  const char* result = std::getenv("KV_OSTREL_RESULT");
  if (!result)
    return 1;
  int value = std::atoi(result);
  if (value == 0) {
    const char* error = std::getenv("KV_OSTREL_ERROR");
    LastError() = error ? error : "";
  }
  return value;
}

}  // namespace

int KV_CDECL TVLOstrel::SKPToMesh(CString path, ON_ClassArray<ON_Mesh>& meshes) {
  if (!CanOpen(path))
    return Fail("Unable to open the file %s", path);
  if (IsSketchUpModel(static_cast<const char*>(path))) {
    return Fail(
        "Unable to read %s: it is a SketchUp model, and this reader takes Wavefront OBJ "
        "text only",
        path);
  }
  std::string error;
  if (!ReadObjMeshes(static_cast<const char*>(path), meshes, &error)) {
    return Fail("Unable to read %s as Wavefront OBJ text: %s", path, error.c_str());
  }
  return ScenarioResult();
}

CString KV_CDECL TVLOstrel::GetError() {
  return LastError();
}
