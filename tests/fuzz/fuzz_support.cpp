#include "tests/fuzz/fuzz_support.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "import/a3d_binding.h"
#include "tests/support/library_log.h"
#include "tests/support/test_env.h"

namespace kvfuzz {
namespace {

void RemoveScratchDir() {
  std::error_code error;
  std::filesystem::remove_all(ScratchDir(), error);
}

// What the library still holds: read from the line its A3DDllTerminate logs, so the library
// is left terminated. None when the line cannot be read.
std::optional<testenv::LibraryCounts> TerminateAndCount() {
  const std::string log = ScratchFile("a3d.log");
  std::remove(log.c_str());
  setenv("KV_A3D_LOG", log.c_str(), 1);
  A3dCall(A3DDllTerminate)();
  unsetenv("KV_A3D_LOG");
  return testenv::LastTerminateCounts(testenv::ReadFile(log));
}

}  // namespace

const std::string& ScratchDir() {
  static const std::string path = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "kv_fuzz_XXXXXX").string();
    if (!mkdtemp(&pattern[0]))
      Fail("cannot make a scratch directory");
    return pattern;
  }();
  static const bool removed = std::atexit(RemoveScratchDir) == 0;
  (void)removed;
  return path;
}

std::string ScratchFile(const std::string& name) {
  return ScratchDir() + "/" + name;
}

void PrepareEnvironment() {
  setenv("temp", ScratchDir().c_str(), 1);
  const char* path = std::getenv("PATH");
  const std::string searched = std::string(KV_A3DLIB_DIR) + ":" + (path ? path : "");
  setenv("PATH", searched.c_str(), 1);
  for (const char* name :
       {"KV_A3D_LOG", "KV_A3D_VERSION", "KV_A3D_INIT_RESULT", "KV_A3D_FAIL_CALL",
        "KV_OSTREL_RESULT", "KV_OSTREL_ERROR", "KV_OSTREL_LOG", "KV_ABOUT_LOG"}) {
    unsetenv(name);
  }
}

bool HoldA3dLibrary() {
  static HMODULE held = LoadA3dLibrary();
  if (!held)
    std::fprintf(stderr, "fuzz: %s\n", GetLastErrorText().GetString());
  return held != nullptr;
}

void CheckLibraryBalanced(const char* who) {
  const std::optional<testenv::LibraryCounts> counts = TerminateAndCount();
  if (!counts)
    Fail("no count in the library's log");
  if (counts->live != 0 || counts->attached != 0) {
    const std::string what = std::string(who) + " left entities or blocks in the library";
    Fail(what.c_str());
  }
}

bool FaceIndicesInRange(const ON_ClassArray<ON_Mesh>& meshes) {
  for (int m = 0; m < meshes.Count(); ++m) {
    const ON_Mesh& mesh = meshes[m];
    for (int f = 0; f < mesh.FaceCount(); ++f) {
      for (int corner : mesh.m_F[f].vi) {
        if (corner < 0 || corner >= mesh.VertexCount())
          return false;
      }
    }
  }
  return true;
}

void Fail(const char* what) {
  std::fprintf(stderr, "fuzz: invariant broken: %s\n", what);
  std::fflush(stderr);
  std::abort();
}

}  // namespace kvfuzz
