#include <vector>

#include <gtest/gtest.h>

#include "platform/opennurbs/opennurbs.h"
#include "tests/opennurbs/mesh_builders.h"

namespace {

// Corners 0..3 of a quad in the xy plane, with the diagonal lengths chosen per case.
ON_Mesh Quad(float half02, float half13, FaceIndices face) {
  return MakeMesh({{-half02, 0, 0}, {0, -half13, 0}, {half02, 0, 0}, {0, half13, 0}}, {face});
}

}  // namespace

TEST(ConvertQuads, SplitsAlongTheShorterDiagonal) {
  struct Case {
    const char* name;
    float half02, half13;
    FaceIndices quad;
    std::vector<FaceIndices> triangles;
  } cases[] = {
      {"0-2 shorter", 1, 2, {0, 1, 2, 3}, {{0, 1, 2, 2}, {0, 2, 3, 3}}},
      {"1-3 shorter", 2, 1, {0, 1, 2, 3}, {{1, 2, 3, 3}, {1, 3, 0, 0}}},
      {"tie splits 0-2", 1, 1, {0, 1, 2, 3}, {{0, 1, 2, 2}, {0, 2, 3, 3}}},
      // Corners are the face's indices, not the vertex order: here corner 0 is vertex 1.
      {"corners by index", 2, 1, {1, 2, 3, 0}, {{1, 2, 3, 3}, {1, 3, 0, 0}}},
      {"corners by index, other", 1, 2, {1, 2, 3, 0}, {{2, 3, 0, 0}, {2, 0, 1, 1}}},
  };
  for (const Case& c : cases) {
    ON_Mesh mesh = Quad(c.half02, c.half13, c.quad);
    ASSERT_TRUE(mesh.ConvertQuadsToTriangles()) << c.name;
    EXPECT_EQ(FacesOf(mesh), c.triangles) << c.name;
  }
}

TEST(ConvertQuads, LeavesTrianglesAndInvalidQuadsAndKeepsOrder) {
  ON_Mesh mesh = MakeMesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {2, 0, 0}},
                          {
                              {0, 1, 2, 2},   // triangle
                              {0, 1, 2, 3},   // quad, tie
                              {0, 1, 1, 2},   // repeated corner
                              {0, 1, 2, 9},   // index out of range
                              {-1, 0, 1, 2},  // negative index
                              {4, 2, 3, 1},   // quad, 1-3 shorter
                              {4, 2, 1, 1},   // triangle
                          });
  ASSERT_TRUE(mesh.ConvertQuadsToTriangles());
  const std::vector<FaceIndices> expected = {
      {0, 1, 2, 2},  {0, 1, 2, 2}, {0, 2, 3, 3}, {0, 1, 1, 2}, {0, 1, 2, 9},
      {-1, 0, 1, 2}, {2, 3, 1, 1}, {2, 1, 4, 4}, {4, 2, 1, 1},
  };
  EXPECT_EQ(FacesOf(mesh), expected);
}

TEST(ConvertQuads, FaceNormalsGoOnlyWhenSomethingWasSplit) {
  ON_Mesh unsplittable = MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2, 2}, {0, 1, 1, 2}});
  unsplittable.ComputeFaceNormals();
  ASSERT_TRUE(unsplittable.ConvertQuadsToTriangles());
  EXPECT_EQ(unsplittable.FaceCount(), 2);
  EXPECT_EQ(unsplittable.m_FN.Count(), 2);

  ON_Mesh split = Quad(1, 2, {0, 1, 2, 3});
  split.ComputeFaceNormals();
  ASSERT_TRUE(split.ConvertQuadsToTriangles());
  EXPECT_EQ(split.FaceCount(), 2);
  EXPECT_EQ(split.m_FN.Count(), 0);

  ON_Mesh empty;
  EXPECT_TRUE(empty.ConvertQuadsToTriangles());
  EXPECT_EQ(empty.FaceCount(), 0);
}

TEST(ConvertQuads, SplitsEveryQuadOfALargeMesh) {
  // Many quads in a row: the in-place pass must not overwrite faces it has yet to read.
  ON_Mesh mesh;
  const int n = 1000;
  for (int i = 0; i <= n; ++i) {
    mesh.SetVertex(mesh.VertexCount(), ON_3fPoint(static_cast<float>(i), 0, 0));
    mesh.SetVertex(mesh.VertexCount(), ON_3fPoint(static_cast<float>(i), 2, 0));
  }
  for (int i = 0; i < n; ++i) {
    const int a = 2 * i;
    if (i % 3 == 0) {
      mesh.SetTriangle(mesh.FaceCount(), a, a + 2, a + 1);
    } else {
      mesh.SetQuad(mesh.FaceCount(), a, a + 2, a + 3, a + 1);
    }
  }
  ASSERT_TRUE(mesh.ConvertQuadsToTriangles());
  int f = 0;
  for (int i = 0; i < n; ++i) {
    const int a = 2 * i;
    if (i % 3 == 0) {
      ASSERT_EQ(IndicesOf(mesh.m_F[f++]), (FaceIndices{a, a + 2, a + 1, a + 1})) << i;
    } else {  // 1 by 2: the diagonals tie
      ASSERT_EQ(IndicesOf(mesh.m_F[f++]), (FaceIndices{a, a + 2, a + 3, a + 3})) << i;
      ASSERT_EQ(IndicesOf(mesh.m_F[f++]), (FaceIndices{a, a + 3, a + 1, a + 1})) << i;
    }
  }
  EXPECT_EQ(f, mesh.FaceCount());
}
