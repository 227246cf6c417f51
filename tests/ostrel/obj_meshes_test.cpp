// The SKP-reading stand-in's OBJ reading: which meshes a file gives, their vertices in order of
// first use, their faces, and the files it refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ostrel/tvl_ostrel.h"
#include "tests/support/test_env.h"

namespace {

// A mesh as {vertex count, faces as {a, b, c, d}}.
struct MeshShape {
  int vertices;
  std::vector<std::vector<int>> faces;
};

struct ReadCase {
  const char* name;
  const char* text;
  std::vector<MeshShape> meshes;
};

const char kSquare[] = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n";

const ReadCase kReadCases[] = {
    {"OneMeshPerObjectOrGroup",
     "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3\no a\nf 2 3 4\ng b\nf 4 3 1\n",
     {{3, {{0, 1, 2, 2}}}, {3, {{0, 1, 2, 2}}}, {3, {{0, 1, 2, 2}}}}},
    {"FacelessGroupsGiveNoMesh",
     "o empty\nv 0 0 0\nv 1 0 0\nv 0 1 0\ng also_empty\ng full\nf 1 2 3\ng\n",
     {{3, {{0, 1, 2, 2}}}}},
    {"QuadsStayAndLargerPolygonsAreFanned",
     "v 0 0 0\nv 1 0 0\nv 2 1 0\nv 1 2 0\nv 0 1 0\nf 1 2 3 4\nf 1 2 3 4 5\n",
     {{5, {{0, 1, 2, 3}, {0, 1, 2, 2}, {0, 2, 3, 3}, {0, 3, 4, 4}}}}},
    {"VerticesAreNumberedInOrderOfFirstUse",
     "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 4 2 3\nf 3 2 1\n",
     {{4, {{0, 1, 2, 2}, {2, 1, 3, 3}}}}},
    {"NegativeIndicesCountBackFromTheLastVertex",
     "v 0 0 0\nv 1 0 0\nv 1 1 0\nf -3 -2 -1\nv 0 1 0\nf -4 -2 -1\n",
     {{4, {{0, 1, 2, 2}, {0, 2, 3, 3}}}}},
    {"AFaceMayComeBeforeItsVertices",
     "f 1 2 3\nv 0 0 0\nv 1 0 0\nv 0 1 0\n",
     {{3, {{0, 1, 2, 2}}}}},
    {"FacesOfTwoCornersAndTheirVerticesAreLeftOut",
     "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 5 5 5\nf 4 1\nf 1 2 3\n",
     {{3, {{0, 1, 2, 2}}}}},
    {"MaterialsDoNotSplitAMesh",
     "v 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl a\nf 1 2 3\nusemtl b\nf 3 2 1\n",
     {{3, {{0, 1, 2, 2}, {2, 1, 0, 0}}}}},
    {"TextureAndNormalIndicesAreIgnored",
     "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\nf 1/1/1 2//1 3/1\n",
     {{3, {{0, 1, 2, 2}}}}},
};

class ObjFile : public ::testing::Test {
 protected:
  int Read(const std::string& text, ON_ClassArray<ON_Mesh>* meshes) {
    const std::string path = dir_.Write("model.obj", text);
    return TVLOstrel::SKPToMesh(CString(path.c_str()), *meshes);
  }
  testenv::ScratchDir dir_;
};

class ObjReading : public ObjFile, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ObjReading, GivesTheMeshesOfTheFile) {
  ON_ClassArray<ON_Mesh> meshes;
  ASSERT_NE(Read(GetParam().text, &meshes), 0) << TVLOstrel::GetError().GetString();
  const std::vector<MeshShape>& expected = GetParam().meshes;
  ASSERT_EQ(meshes.Count(), static_cast<int>(expected.size()));
  for (int m = 0; m < meshes.Count(); ++m) {
    EXPECT_EQ(meshes[m].VertexCount(), expected[m].vertices) << "mesh " << m;
    std::vector<std::vector<int>> faces;
    for (int f = 0; f < meshes[m].FaceCount(); ++f) {
      const int* vi = meshes[m].m_F[f].vi;
      faces.push_back({vi[0], vi[1], vi[2], vi[3]});
    }
    EXPECT_EQ(faces, expected[m].faces) << "mesh " << m;
  }
}

INSTANTIATE_TEST_SUITE_P(Ostrel, ObjReading, ::testing::ValuesIn(kReadCases),
                         [](const ::testing::TestParamInfo<ReadCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(ObjFile, PositionsAreThoseOfTheFile) {
  ON_ClassArray<ON_Mesh> meshes;
  ASSERT_NE(Read("v 1.5 -2 0.25\nv 3 4 5\nv -0 1e-3 7\nf 2 3 1\n", &meshes), 0);
  ASSERT_EQ(meshes.Count(), 1);
  const ON_3fPoint expected[] = {{3, 4, 5}, {-0.0f, 1e-3f, 7}, {1.5f, -2, 0.25f}};
  for (int v = 0; v < 3; ++v)
    EXPECT_EQ(meshes[0].m_V[v], expected[v]) << v;
}

TEST_F(ObjFile, MeshesAreAddedAfterThoseAlreadyInTheArray) {
  ON_ClassArray<ON_Mesh> meshes;
  meshes.AppendNew();
  ASSERT_NE(Read(std::string(kSquare) + "f 1 2 3 4\n", &meshes), 0);
  ASSERT_EQ(meshes.Count(), 2);
  EXPECT_EQ(meshes[0].FaceCount(), 0);
  EXPECT_EQ(meshes[1].FaceCount(), 1);
}

struct RefusedCase {
  const char* name;
  const char* faces;
};

const RefusedCase kRefusedCases[] = {
    {"IndexZero", "f 0 1 2\n"},
    {"IndexZeroInAFaceOfTwoCorners", "f 1 0\nf 1 2 3\n"},
    {"IndexPastTheLastVertex", "f 1 2 5\n"},
    {"NegativeIndexBeforeTheFirstVertex", "f -5 1 2\n"},
};

class RefusedObj : public ObjFile, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedObj, IsAnErrorWithAText) {
  ON_ClassArray<ON_Mesh> meshes;
  EXPECT_EQ(Read(std::string(kSquare) + GetParam().faces, &meshes), 0);
  EXPECT_FALSE(TVLOstrel::GetError().IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Ostrel, RefusedObj, ::testing::ValuesIn(kRefusedCases),
                         [](const ::testing::TestParamInfo<RefusedCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
