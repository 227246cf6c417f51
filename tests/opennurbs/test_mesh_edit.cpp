#include <climits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/opennurbs/opennurbs.h"
#include "tests/opennurbs/mesh_builders.h"

namespace {

ON_Mesh Triangle() {
  return MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2, 2}});
}

ON_Mesh Square() {
  return MakeMesh({{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}}, {{0, 1, 2, 3}});
}

}  // namespace

TEST(MeshFace, Validity) {
  struct Case {
    FaceIndices vi;
    bool valid;
  } cases[] = {
      {{0, 1, 2, 2}, true},    // triangle
      {{0, 1, 2, 3}, true},    // quad
      {{3, 2, 1, 0}, true},    // quad, other winding
      {{0, 1, 4, 4}, false},   // triangle index == vertex count
      {{-1, 1, 2, 2}, false},  // negative index
      {{0, 1, 2, 4}, false},   // quad, last corner out of range
      {{0, 0, 1, 2}, false},   // quad, corners 0 and 1 repeated
      {{0, 1, 1, 2}, false},   // 1 and 2
      {{0, 1, 2, 0}, false},   // 3 and 0
      {{0, 1, 0, 2}, false},   // 0 and 2
      {{0, 1, 2, 1}, false},   // 1 and 3
  };
  for (const Case& c : cases) {
    ON_MeshFace f;
    for (int k = 0; k < 4; ++k) {
      f.vi[k] = c.vi[k];
    }
    EXPECT_EQ(f.IsValid(4), c.valid) << c.vi[0] << c.vi[1] << c.vi[2] << c.vi[3];
    EXPECT_EQ(f.IsTriangle(), c.vi[2] == c.vi[3]);
    EXPECT_EQ(f.IsQuad(), c.vi[2] != c.vi[3]);
  }
  ON_MeshFace any;
  EXPECT_FALSE(any.IsValid(0));
}

TEST(MeshEdit, CapacityConstructorReservesAnEmptyMesh) {
  const ON_Mesh mesh(10, 20, true, true);
  EXPECT_EQ(mesh.FaceCount(), 0);
  EXPECT_EQ(mesh.VertexCount(), 0);
  EXPECT_GE(mesh.m_F.Capacity(), 10);
  EXPECT_GE(mesh.m_V.Capacity(), 20);
}

TEST(MeshEdit, SetVertexAppendsAtCountReplacesBelowRefusesBeyond) {
  ON_Mesh mesh;
  EXPECT_TRUE(mesh.SetVertex(0, ON_3fPoint(1, 2, 3)));
  EXPECT_TRUE(mesh.SetVertex(1, ON_3dPoint(0.1, 0.2, 0.3)));
  EXPECT_FALSE(mesh.SetVertex(3, ON_3fPoint(9, 9, 9)));
  EXPECT_FALSE(mesh.SetVertex(-1, ON_3fPoint(9, 9, 9)));
  ASSERT_EQ(mesh.VertexCount(), 2);
  EXPECT_EQ(mesh.m_V[1], ON_3fPoint(0.1f, 0.2f, 0.3f));
  EXPECT_TRUE(mesh.SetVertex(0, ON_3dPoint(4, 5, 6)));
  EXPECT_EQ(mesh.VertexCount(), 2);
  EXPECT_EQ(mesh.m_V[0], ON_3fPoint(4, 5, 6));
}

TEST(MeshEdit, SetFacesStoresIndicesUncheckedAndRefusesGaps) {
  ON_Mesh mesh;  // no vertices yet: a reader may set faces first
  EXPECT_TRUE(mesh.SetTriangle(0, 5, 6, 7));
  EXPECT_TRUE(mesh.SetQuad(1, -1, 0, 1, 2));
  EXPECT_FALSE(mesh.SetTriangle(3, 0, 1, 2));
  EXPECT_FALSE(mesh.SetQuad(-1, 0, 1, 2, 3));
  EXPECT_EQ(FacesOf(mesh), (std::vector<FaceIndices>{{5, 6, 7, 7}, {-1, 0, 1, 2}}));
  EXPECT_TRUE(mesh.SetQuad(0, 1, 2, 3, 4));
  EXPECT_TRUE(mesh.SetTriangle(1, 3, 2, 1));
  EXPECT_EQ(FacesOf(mesh), (std::vector<FaceIndices>{{1, 2, 3, 4}, {3, 2, 1, 1}}));
}

TEST(MeshEdit, CopyIsIndependent) {
  ON_Mesh original = Square();
  original.ComputeFaceNormals();
  ON_Mesh copy(original);
  EXPECT_EQ(copy.VertexCount(), 4);
  EXPECT_EQ(FacesOf(copy), FacesOf(original));
  EXPECT_EQ(copy.m_FN.Count(), 1);
  copy.SetVertex(0, ON_3fPoint(7, 7, 7));
  copy.SetTriangle(0, 0, 1, 2);
  EXPECT_EQ(original.m_V[0], ON_3fPoint(0, 0, 1));
  EXPECT_EQ(IndicesOf(original.m_F[0]), (FaceIndices{0, 1, 2, 3}));

  ON_Mesh assigned = Triangle();
  assigned = original;
  EXPECT_EQ(assigned.VertexCount(), 4);
  EXPECT_EQ(FacesOf(assigned), FacesOf(original));
  EXPECT_NE(assigned.m_V.Array(), original.m_V.Array());
}

TEST(MeshEdit, MoveTakesTheArraysAndLeavesNoCache) {
  ON_Mesh from = Square();
  from.Topology();
  const ON_3fPoint* vertices = from.m_V.Array();
  ON_Mesh to(std::move(from));
  EXPECT_EQ(to.m_V.Array(), vertices);
  EXPECT_EQ(from.VertexCount(), 0);
  EXPECT_EQ(from.Topology().TopVertexCount(), 0);
  EXPECT_EQ(to.Topology().m_mesh, &to);
  EXPECT_EQ(to.Topology().TopVertexCount(), 4);

  ON_Mesh assigned = Triangle();
  assigned.Topology();
  assigned = std::move(to);
  EXPECT_EQ(assigned.m_V.Array(), vertices);
  EXPECT_EQ(assigned.Topology().m_mesh, &assigned);
  EXPECT_EQ(assigned.Topology().TopVertexCount(), 4);
}

TEST(MeshAppend, ReindexesEachMeshByTheVerticesBeforeIt) {
  // The last mesh's faces point outside it: they are carried and shifted all the same.
  const ON_Mesh bad = MakeMesh({{5, 5, 5}, {6, 6, 6}}, {{0, 1, 5, 5}, {-1, 0, 1, INT_MAX}});
  ON_Mesh all;
  ASSERT_TRUE(all.Append(Triangle()));
  ASSERT_TRUE(all.Append(Square()));
  ASSERT_TRUE(all.Append(bad));
  ASSERT_EQ(all.VertexCount(), 9);
  EXPECT_EQ(all.m_V[3], ON_3fPoint(0, 0, 1));
  EXPECT_EQ(all.m_V[8], ON_3fPoint(6, 6, 6));
  const std::vector<FaceIndices> expected = {
      {0, 1, 2, 2}, {3, 4, 5, 6}, {7, 8, 12, 12}, {6, 7, 8, INT_MIN + 6}};
  EXPECT_EQ(FacesOf(all), expected);
}

TEST(MeshAppend, AppendingItselfDoublesTheMesh) {
  ON_Mesh mesh = Square();
  ASSERT_TRUE(mesh.Append(mesh));
  ASSERT_EQ(mesh.VertexCount(), 8);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(mesh.m_V[i + 4], mesh.m_V[i]);
  }
  EXPECT_EQ(FacesOf(mesh), (std::vector<FaceIndices>{{0, 1, 2, 3}, {4, 5, 6, 7}}));
}

TEST(MeshAppend, AnEmptyMeshChangesNothing) {
  ON_Mesh mesh = Square();
  mesh.ComputeFaceNormals();
  const ON_3fPoint* vertices = mesh.m_V.Array();
  ASSERT_TRUE(mesh.Append(ON_Mesh()));
  EXPECT_EQ(mesh.VertexCount(), 4);
  EXPECT_EQ(mesh.FaceCount(), 1);
  EXPECT_EQ(mesh.m_FN.Count(), 1);
  EXPECT_EQ(mesh.m_V.Array(), vertices);
}

TEST(MeshAppend, FaceNormalsStayOnlyWhenBothHaveThemForEveryFace) {
  struct Case {
    const char* name;
    bool base_faces, base_normals, other_normals, kept;
  } cases[] = {
      {"both", true, true, true, true},
      {"only base", true, true, false, false},
      {"only other", true, false, true, false},
      {"neither", true, false, false, false},
      {"base has no faces", false, false, true, true},
  };
  for (const Case& c : cases) {
    ON_Mesh base = c.base_faces ? Square() : ON_Mesh();
    ON_Mesh other = Triangle();
    if (c.base_normals) {
      base.ComputeFaceNormals();
    }
    if (c.other_normals) {
      other.ComputeFaceNormals();
    }
    ASSERT_TRUE(base.Append(other)) << c.name;
    if (c.kept) {
      ASSERT_EQ(base.m_FN.Count(), base.FaceCount()) << c.name;
      EXPECT_EQ(*base.m_FN.Last(), ON_3fVector(0, 0, 1)) << c.name;
    } else {
      EXPECT_EQ(base.m_FN.Count(), 0) << c.name;
    }
  }
}
