#include "tests/a3dlib/library_fixture.h"

#include <cstdio>
#include <fstream>

#include "standins/a3dlib/model_file.h"
#include "tests/a3dlib/module_access.h"
#include "tests/support/test_env.h"

namespace a3dtest {

void LibraryTest::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "-" + info->name();
  for (char& c : name) {
    c = (c == '/') ? '-' : c;
  }
  logPath_ = TempFile(name + ".log");
  SetEnv("KV_A3D_LOG", logPath_.c_str());
  SetEnv("KV_A3D_VERSION", nullptr);
  SetEnv("KV_A3D_INIT_RESULT", nullptr);
  SetEnv("KV_A3D_FAIL_CALL", nullptr);
  module_ = OpenModule(FullBuildDir());
  ASSERT_NE(module_, nullptr) << FullBuildDir();
#define KV_A3D_BIND(name, params)                                   \
  api_.name = reinterpret_cast<name##Fn>(FindProc(module_, #name)); \
  ASSERT_NE(api_.name, nullptr) << #name;
  KV_A3D_CALLED_LIST(KV_A3D_BIND)
#undef KV_A3D_BIND
  failAllocation_ =
      reinterpret_cast<KvA3dFailAllocationFn>(FindProc(module_, kKvA3dFailAllocationName));
  ASSERT_NE(failAllocation_, nullptr) << kKvA3dFailAllocationName;
}

void LibraryTest::TearDown() {
  Unload();
  SetEnv("KV_A3D_LOG", nullptr);
  SetEnv("KV_A3D_VERSION", nullptr);
  SetEnv("KV_A3D_INIT_RESULT", nullptr);
  SetEnv("KV_A3D_FAIL_CALL", nullptr);
  for (const std::string& path : tempFiles_) {
    std::remove(path.c_str());
  }
}

void LibraryTest::Initialize() {
  int32_t major = 0;
  int32_t minor = 0;
  ASSERT_EQ(api_.A3DDllGetVersion(&major, &minor), kA3dSuccess);
  ASSERT_EQ(api_.A3DDllInitialize(major, minor), kA3dSuccess);
}

void LibraryTest::Unload() {
  if (module_) {
    CloseModule(module_);
    module_ = nullptr;
    api_ = A3dApi();
    failAllocation_ = nullptr;
  }
}

std::vector<std::string> LibraryTest::LogLines() const {
  std::vector<std::string> lines;
  std::ifstream log(logPath_);
  for (std::string line; std::getline(log, line);) {
    lines.push_back(line);
  }
  return lines;
}

Counts LibraryTest::TerminateCounts() {
  EXPECT_EQ(api_.A3DDllTerminate(), kA3dSuccess);
  const std::vector<std::string> lines = LogLines();
  EXPECT_FALSE(lines.empty());
  EXPECT_EQ(lines.empty() ? "" : lines.back().substr(0, 20), "A3DDllTerminate -> 0");
  const std::optional<Counts> counts = testenv::LastTerminateCounts(testenv::ReadFile(logPath_));
  EXPECT_TRUE(counts) << "no counts in the library's log";
  return counts.value_or(Counts{~0u, ~0u});
}

std::string LibraryTest::TempFile(const std::string& suffix) {
  const std::string path = "a3dlib-test-" + suffix;
  std::remove(path.c_str());
  tempFiles_.push_back(path);
  return path;
}

A3dEntity LibraryTest::LoadThroughLibrary(const a3dstore::Model& model) {
  const std::string path = TempFile(std::to_string(tempFiles_.size()) + ".kva3d");
  EXPECT_TRUE(a3dstore::WriteModelFile(model, path));
  A3dEntity loaded = nullptr;
  EXPECT_EQ(api_.A3DAsmModelFileLoadFromFile(path.c_str(), nullptr, &loaded), kA3dSuccess);
  return loaded;
}

a3dstore::Model TriangleModel() {
  a3dstore::Model model;
  model.file.base.name = "ModelFile";
  model.file.unit = 1.0;
  model.file.occurrences = {0};
  a3dstore::Occurrence occ;
  occ.base.name = "Model";
  occ.part = 0;
  model.occurrences.push_back(occ);
  a3dstore::PartDefinition part;
  part.items = {0};
  model.parts.push_back(part);
  a3dstore::RepItem item;
  item.closed = true;
  item.tessellation = 0;
  model.items.push_back(item);
  a3dstore::Tessellation tess;
  tess.coords = {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 1, 0, 1, 0, 1, 1};
  tess.normals = {0, 0, 1, 0, -1, 0};
  tess.indices = {0, 0, 3, 6, 3, 9, 12, 15};
  a3dstore::Face face;
  face.triangleKind = kA3dFaceTrianglesOneNormal;
  face.firstIndex = 0;
  face.sizes = {2};
  tess.faces.push_back(face);
  model.tessellations.push_back(tess);
  return model;
}

}  // namespace a3dtest
