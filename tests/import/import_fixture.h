// What the import tests run in: a scratch directory that "temp" names, the 3D library on the
// search path (or not), its call log, the file dialog's answer, and helpers to read what it
// wrote.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "import/a3d_binding.h"
#include "import/prc_writer.h"
#include "platform/mfc/file_dialog.h"
#include "platform/opennurbs/opennurbs.h"
#include "standins/a3dlib/model_file.h"
#include "tests/support/plugin_session.h"
#include "tests/support/test_env.h"

class ImportTest : public ::testing::Test {
 protected:
  ImportTest()
      : temp_("temp", scratch_.path().c_str()),
        path_("PATH"),
        log_("KV_A3D_LOG", scratch_.File("a3d.log").c_str()) {
    WithLibraryIn(KV_A3DLIB_DIR);
  }
  ~ImportTest() override { KvSetFileDialogAnswerForTesting(nullptr, false); }

  // The file dialog shows nothing and answers the path (null: Cancel), until the test ends.
  void AnswerDialogWith(const char* path) { KvSetFileDialogAnswerForTesting(path, true); }

  std::string TempPrcPath() const { return scratch_.path() + "\\TVLTemp.prc"; }
  std::string OutputPath() const { return scratch_.File("out.prc"); }

  // The entry names of the 3D library's calls, in order, from its log.
  std::vector<std::string> LibraryCalls() const {
    std::istringstream log(testenv::ReadFile(scratch_.File("a3d.log")));
    std::vector<std::string> calls;
    std::string line;
    while (std::getline(log, line))
      calls.push_back(line.substr(0, line.find(' ')));
    return calls;
  }
  std::string LibraryLog() const { return testenv::ReadFile(scratch_.File("a3d.log")); }

  std::optional<a3dstore::Model> Written(const std::string& path) const {
    a3dstore::Model model;
    if (a3dstore::LoadModelFile(path, &model) != a3dstore::LoadStatus::kOk)
      return std::nullopt;
    return model;
  }

  // The search path finds no 3D library, or the given build of it; the fixture puts PATH back.
  void WithoutLibrary() { testenv::SetEnv("PATH", ""); }
  void WithLibraryIn(const char* directory) {
    testenv::SetEnv("PATH", testenv::PathWith(testenv::BuildPath(directory)).c_str());
  }

  testenv::ScratchDir scratch_;
  testenv::ScopedEnv temp_;
  testenv::ScopedEnv path_;
  testenv::ScopedEnv log_;
};

// A mesh from positions and faces given as {a, b, c} (triangle) or {a, b, c, d} (quad).
inline ON_Mesh MakeMesh(const std::vector<ON_3fPoint>& points,
                        const std::vector<std::vector<int>>& faces) {
  ON_Mesh mesh;
  for (const ON_3fPoint& p : points)
    mesh.SetVertex(mesh.VertexCount(), p);
  for (const std::vector<int>& f : faces) {
    if (f.size() == 4) {
      mesh.SetQuad(mesh.FaceCount(), f[0], f[1], f[2], f[3]);
    } else {
      mesh.SetTriangle(mesh.FaceCount(), f[0], f[1], f[2]);
    }
  }
  return mesh;
}

inline ON_ClassArray<ON_Mesh> Meshes(std::initializer_list<ON_Mesh> meshes) {
  ON_ClassArray<ON_Mesh> array;
  for (const ON_Mesh& mesh : meshes)
    array.Append(mesh);
  return array;
}

// One mesh of one triangle, where any model will do.
inline ON_ClassArray<ON_Mesh> OneTriangle() {
  return Meshes({MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}})});
}
