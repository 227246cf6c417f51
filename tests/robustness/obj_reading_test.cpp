// OBJ text that the SKP-reading stand-in once mishandled, found while fuzzing it: each case is
// a small model with one odd line or face, read as the model it is.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ostrel/tvl_ostrel.h"
#include "tests/support/test_env.h"

namespace {

ON_ClassArray<ON_Mesh> ReadObj(const std::string& text, int* result) {
  testenv::ScratchDir dir;
  ON_ClassArray<ON_Mesh> meshes;
  *result = TVLOstrel::SKPToMesh(CString(dir.Write("model.obj", text).c_str()), meshes);
  return meshes;
}

struct ObjCase {
  const char* name;
  const char* oddLine;
};

// "vw vertex joint weight ...": the parser reads a joint id as a float and converts it to an
// int. One that no int holds must not reach that conversion (undefined behaviour, which
// clang's sanitizer reports; g++'s -fsanitize=undefined does not check float conversions, so
// only the fuzz build sees it go wrong).
const ObjCase kSkinWeights[] = {
    {"JointIdPastFloatRange", "vw 0 1e39 0.5"},
    {"JointIdPastIntRange", "vw 0 3e9 0.5"},
    {"SecondJointIdPastIntRange", "vw 0 1 0.5 3e9 0.5"},
};

class SkinWeightLine : public ::testing::TestWithParam<ObjCase> {};

TEST_P(SkinWeightLine, LeavesTheMeshAsItIs) {
  int result = 0;
  ON_ClassArray<ON_Mesh> meshes = ReadObj(
      std::string("v 0 0 0\nv 1 0 0\nv 0 1 0\n") + GetParam().oddLine + "\nf 1 2 3\n", &result);
  ASSERT_NE(result, 0) << TVLOstrel::GetError().GetString();
  ASSERT_EQ(meshes.Count(), 1);
  EXPECT_EQ(meshes[0].VertexCount(), 3);
  ASSERT_EQ(meshes[0].FaceCount(), 1);
  EXPECT_TRUE(meshes[0].m_F[0].IsValid(3));
}

INSTANTIATE_TEST_SUITE_P(ObjReading, SkinWeightLine, ::testing::ValuesIn(kSkinWeights),
                         [](const ::testing::TestParamInfo<ObjCase>& info) {
                           return std::string(info.param.name);
                         });

// The parser counts a face's corners in one byte: a polygon of more corners must still be
// fanned whole, and the face after it keep its own corners rather than the polygon's rest.
TEST(ObjReading, PolygonOfMoreCornersThanAByteCounts) {
  constexpr int kCorners = 300;
  std::string text;
  std::string polygon = "f";
  for (int i = 0; i < kCorners; ++i) {
    text += "v " + std::to_string(i) + " " + std::to_string(i % 7) + " 0\n";
    polygon += " " + std::to_string(i + 1);
  }
  text += polygon + "\nf 1 2 3\n";
  int result = 0;
  ON_ClassArray<ON_Mesh> meshes = ReadObj(text, &result);
  ASSERT_NE(result, 0) << TVLOstrel::GetError().GetString();
  ASSERT_EQ(meshes.Count(), 1);
  const ON_Mesh& mesh = meshes[0];
  EXPECT_EQ(mesh.VertexCount(), kCorners);
  ASSERT_EQ(mesh.FaceCount(), kCorners - 2 + 1);
  const ON_MeshFace& fanEnd = mesh.m_F[kCorners - 3];
  EXPECT_EQ(std::vector<int>(fanEnd.vi, fanEnd.vi + 4),
            (std::vector<int>{0, kCorners - 2, kCorners - 1, kCorners - 1}));
  const ON_MeshFace& last = mesh.m_F[mesh.FaceCount() - 1];
  EXPECT_EQ(std::vector<int>(last.vi, last.vi + 4), (std::vector<int>{0, 1, 2, 2}));
}

}  // namespace
