// What each toolkit call leaves when memory runs out, shown with the hook that refuses one
// allocation: what a caller examines to tell a memory failure from a normal outcome.
#include <gtest/gtest.h>

#include "platform/opennurbs/on_allocation.h"
#include "platform/opennurbs/opennurbs.h"
#include "tests/opennurbs/mesh_builders.h"

namespace {

// The hook refuses the n-th allocation from its construction on, and none once it ends.
class RefusedAllocation {
 public:
  explicit RefusedAllocation(int n) { KvFailArrayAllocationForTesting(n); }
  ~RefusedAllocation() { KvFailArrayAllocationForTesting(0); }
};

ON_Mesh QuadAndTriangle() {
  return MakeMesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 1}},
                  {{0, 1, 2, 3}, {0, 1, 4, 4}});
}

}  // namespace

TEST(AllocationFailures, OnlyTheNthAllocationIsRefusedAndShrinkingIsNone) {
  ON_SimpleArray<int> a;
  {
    RefusedAllocation second(2);
    EXPECT_TRUE(a.Reserve(4));
    EXPECT_TRUE(a.SetCapacity(2)) << "giving memory back is no allocation";
    EXPECT_FALSE(a.Reserve(16));
    EXPECT_EQ(2, a.Capacity());
    EXPECT_TRUE(a.Reserve(16));
    EXPECT_EQ(3, KvArrayAllocationsForTesting());
  }
  ON_ClassArray<ON_Mesh> meshes;
  RefusedAllocation first(1);
  EXPECT_FALSE(meshes.Append(ON_Mesh()));
  EXPECT_EQ(0, meshes.Count());
}

TEST(AllocationFailures, EachMeshCallShowsItsMemoryFailure) {
  const ON_Mesh mesh = QuadAndTriangle();
  {
    RefusedAllocation first(1);
    ON_Mesh copy(mesh);
    EXPECT_EQ(0, copy.VertexCount()) << "the copy is empty";
    EXPECT_EQ(0, copy.FaceCount());
  }
  {
    ON_Mesh merged = mesh;
    RefusedAllocation first(1);
    EXPECT_FALSE(merged.Append(mesh));
    EXPECT_EQ(mesh.FaceCount(), merged.FaceCount()) << "nothing changed";
  }
  {
    ON_Mesh split = mesh;
    RefusedAllocation first(1);
    EXPECT_FALSE(split.ConvertQuadsToTriangles());
    EXPECT_TRUE(split.m_F[0].IsQuad()) << "the quad is left";
  }
  {
    ON_Mesh normals = mesh;
    RefusedAllocation first(1);
    EXPECT_FALSE(normals.ComputeFaceNormals());
    EXPECT_EQ(0, normals.m_FN.Count()) << "fewer normals than faces";
  }
  for (int n = 1; n <= 3; ++n) {
    ON_Mesh grouped = mesh;
    RefusedAllocation nth(n);
    EXPECT_NE(grouped.VertexCount(), grouped.Topology().m_topv_map.Count()) << n;
  }
}

// A face without a direction answers false too, but every face has its normal: that is no
// memory failure.
TEST(AllocationFailures, ADegenerateFaceIsNotOne) {
  ON_Mesh mesh = MakeMesh({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, {{0, 1, 2, 2}});
  EXPECT_FALSE(mesh.ComputeFaceNormals());
  ASSERT_EQ(mesh.FaceCount(), mesh.m_FN.Count());
  EXPECT_EQ(0.0f, mesh.m_FN[0].x);
}
