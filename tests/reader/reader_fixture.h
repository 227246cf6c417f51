// What the reader tests run in: the import fixture with a temporary directory of its own for
// the reader's copy, the walk's globals put back to their state at load, a library session
// around each walk or scan, and the arrays the reader fills.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "import/prc_stream_reader.h"
#include "import/prc_tree_walk.h"
#include "tests/import/import_fixture.h"
#include "tests/support/library_log.h"

namespace readertest {

// The 3D library loaded and initialised for the span of a scope, as the reader has it.
struct LibrarySession {
  LibrarySession() : module(LoadA3dLibrary()), ready(module && InitA3dLibrary()) {}
  ~LibrarySession() {
    if (ready)
      TerminateA3dLibrary();
    if (module)
      FreeA3dLibrary(module);
  }
  LibrarySession(const LibrarySession&) = delete;
  LibrarySession& operator=(const LibrarySession&) = delete;

  HMODULE module;
  bool ready;
};

class ReaderTest : public ImportTest {
 protected:
  // "temp" names a directory inside the scratch one, so that on the native build, where the
  // reader's backslash is part of a file name, its copy still lands in the scratch directory.
  ReaderTest() : tempDir_(scratch_.File("tmp")) {
    std::filesystem::create_directories(tempDir_);
    testenv::SetEnv("temp", tempDir_.c_str());
    EntityName.Empty();
    ModelUnit = 0;
    SetLastErrorText("");
  }

  std::string TempPrc() const { return tempDir_ + "\\TVLTemp.prc"; }

  // Writes each model to a file of its own, then loads and walks them in order in one library
  // session; the result of the last walk, stopping at the first that fails.
  int WalkFiles(const std::vector<a3dstore::Model>& models) {
    std::vector<std::string> paths;
    for (size_t i = 0; i < models.size(); ++i) {
      paths.push_back(scratch_.File("walk" + std::to_string(i) + ".prc"));
      EXPECT_TRUE(a3dstore::WriteModelFile(models[i], paths.back())) << "model " << i;
    }
    LibrarySession library;
    EXPECT_TRUE(library.ready) << GetLastErrorText();
    int result = 1;
    for (size_t i = 0; result && i < paths.size(); ++i) {
      CString path(paths[i].c_str());
      result = LoadPrcModel(path, meshes_, units_, names_);
    }
    return result;
  }
  int Walk(const a3dstore::Model& model) { return WalkFiles({model}); }

  // The document scan in a library session, as ReadDocumentPrc runs it.
  int Scan(HostViewDoc view) {
    LibrarySession library;
    EXPECT_TRUE(library.ready) << GetLastErrorText();
    return ScanPrcAnnotations(view, meshes_, units_, names_);
  }

  // What the library counted when its last session ended ("live=N attached=M"): entities
  // not deleted and blocks a Get filled that were not released.
  std::string SessionEnd() const {
    const std::optional<testenv::LibraryCounts> counts = testenv::LastTerminateCounts(LibraryLog());
    return counts ? counts->Text() : "no session ended";
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (INT_PTR i = 0; i < names_.GetSize(); ++i)
      names.push_back(names_[i].GetString());
    return names;
  }
  std::vector<double> Units() const {
    return std::vector<double>(units_.Array(), units_.Array() + units_.Count());
  }
  std::string Error() const { return GetLastErrorText().GetString(); }

  std::string tempDir_;
  std::optional<PlugInSession> session_{std::in_place};
  ON_ClassArray<ON_Mesh> meshes_;
  ON_SimpleArray<double> units_;
  CStringArray names_;
};

// The triangles of a mesh as corner index triples.
inline std::vector<std::vector<int>> Triangles(const ON_Mesh& mesh) {
  std::vector<std::vector<int>> triangles;
  for (int f = 0; f < mesh.FaceCount(); ++f)
    triangles.push_back({mesh.m_F[f].vi[0], mesh.m_F[f].vi[1], mesh.m_F[f].vi[2]});
  return triangles;
}

inline std::vector<float> Coordinates(const ON_Mesh& mesh) {
  std::vector<float> coordinates;
  for (int i = 0; i < mesh.VertexCount(); ++i) {
    coordinates.insert(coordinates.end(), {mesh.m_V[i].x, mesh.m_V[i].y, mesh.m_V[i].z});
  }
  return coordinates;
}

}  // namespace readertest
