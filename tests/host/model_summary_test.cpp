// What the host says of an opened model: its counts when a viewer could draw every triangle,
// else the first entry that points outside the coordinates or normals, or why it is no model.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "standins/a3dlib/model_file.h"
#include "standins/a3dlib/store_memory.h"
#include "standins/host/model_summary.h"

namespace {

using a3dstore::Model;

// Two triangles in one face: coordinates of four points, two normals, the entries a writer
// gives (the normal's position, then the three corners').
Model TwoTriangles() {
  Model model;
  model.file.base.name = "M";
  model.file.occurrences = {0};
  model.occurrences.resize(1);
  model.occurrences[0].part = 0;
  model.parts.resize(1);
  model.parts[0].items = {0};
  model.items.resize(1);
  model.items[0].tessellation = 0;
  model.tessellations.resize(1);
  a3dstore::Tessellation& tess = model.tessellations[0];
  tess.coords = {0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0};
  tess.normals = {0, 0, 1, 0, 0, 1};
  tess.indices = {0, 0, 3, 6, 3, 3, 9, 6};
  tess.faces.push_back({kA3dFaceTrianglesOneNormal, 0, {2}});
  return model;
}

std::string Describe(const Model& model) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(a3dstore::WriteModelFile(model, &bytes));
  return standin::DescribeModelFile(bytes);
}

a3dstore::Tessellation& Tess(Model* model) {
  return model->tessellations[0];
}

struct SummaryCase {
  const char* what;
  std::function<void(Model*)> change;
  const char* said;
};

TEST(ModelSummary, SaysWhetherEveryIndexIsCovered) {
  const SummaryCase kCases[] = {
      {"sound", [](Model*) {},
       "model: 2 triangles in 1 tessellation, 1 occurrence, named \"M\"; coordinates cover every "
       "index, normals cover theirs"},
      {"unnamed, no faces",
       [](Model* m) {
         m->file.base.name.reset();
         Tess(m).faces.clear();
       },
       "model: 0 triangles in 1 tessellation, 1 occurrence, unnamed; nothing to draw"},
      {"corner past the coordinates", [](Model* m) { Tess(m).indices[6] = 12; },
       "model damaged: tessellation 0, face 0, triangle 1: index 12 beyond 12 coordinates"},
      {"corner reaching past the end", [](Model* m) { Tess(m).indices[1] = 10; },
       "model damaged: tessellation 0, face 0, triangle 0: index 10 beyond 12 coordinates"},
      {"no coordinates", [](Model* m) { Tess(m).coords.clear(); },
       "model damaged: tessellation 0, face 0, triangle 0: index 0 beyond 0 coordinates"},
      {"normal past the normals", [](Model* m) { Tess(m).indices[4] = 6; },
       "model damaged: tessellation 0, face 0, triangle 1: normal index 6 beyond 6 normal "
       "coordinates"},
      {"more triangles than entries",
       [](Model* m) {
         Tess(m).faces[0].sizes = {2, 1};
       },
       "model damaged: tessellation 0, face 0: claims 3 triangles, the index array holds 2 from "
       "entry 0"},
      {"sizes past 32 bits",
       [](Model* m) {
         Tess(m).faces[0].sizes = {0xFFFFFFFFu, 0xFFFFFFFFu};
       },
       "model damaged: tessellation 0, face 0: claims 8589934590 triangles, the index array holds "
       "2 from entry 0"},
      {"first index past the entries", [](Model* m) { Tess(m).faces[0].firstIndex = 9; },
       "model damaged: tessellation 0, face 0: claims 2 triangles, the index array holds 0 from "
       "entry 9"},
      {"a second face of an unknown kind",
       [](Model* m) {
         Tess(m).faces.push_back({0x04, 0, {1}});
       },
       "model damaged: tessellation 0, face 1: triangle kind 0x4, which no viewer here draws"},
      {"another kind of tessellation", [](Model* m) { Tess(m).type = kA3dTypeTess3D + 1; },
       "model: 0 triangles in 0 tessellations, 1 occurrence, named \"M\", 1 tessellation of "
       "another kind not drawn; nothing to draw"},
  };
  for (const SummaryCase& test : kCases) {
    Model model = TwoTriangles();
    test.change(&model);
    EXPECT_EQ(Describe(model), test.said) << test.what;
  }
}

TEST(ModelSummary, BytesThatAreNoModelSaySo) {
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(a3dstore::WriteModelFile(TwoTriangles(), &bytes));
  bytes.pop_back();
  EXPECT_EQ(standin::DescribeModelFile(bytes), "not a model file this host can read (truncated)");
  EXPECT_EQ(standin::DescribeModelFile({'a', 'b', 'c'}),
            "not a model file this host can read (bad magic)");
}

// A sound model that the loader cannot find memory for is not called "not a model file".
TEST(ModelSummary, AModelThatDoesNotFitIsNotChecked) {
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(a3dstore::WriteModelFile(TwoTriangles(), &bytes));
  a3dstore::FailAllocationAfter(0);
  const std::string said = standin::DescribeModelFile(bytes);
  a3dstore::FailAllocationAfter(-1);
  EXPECT_EQ(said, "model not checked: it does not fit in memory");
}

}  // namespace
