#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "platform/opennurbs/opennurbs.h"
#include "tests/opennurbs/mesh_builders.h"

namespace {

const float kNan = std::numeric_limits<float>::quiet_NaN();

std::vector<int> MapOf(const ON_MeshTopology& top) {
  return std::vector<int>(top.m_topv_map.Array(), top.m_topv_map.Array() + top.m_topv_map.Count());
}

bool SameBits(const ON_3fPoint& a, const ON_3fPoint& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

TEST(Topology, GroupsEqualLocationsInOrderOfFirstAppearance) {
  const ON_Mesh mesh = MakeMesh({{1, 2, 3}, {4, 5, 6}, {1, 2, 3}, {7, 8, 9}, {4, 5, 6}, {1, 2, 3}},
                                {{0, 1, 3, 3}, {2, 4, 5, 5}});
  const ON_MeshTopology& top = mesh.Topology();
  EXPECT_EQ(top.TopVertexCount(), 3);
  EXPECT_EQ(MapOf(top), (std::vector<int>{0, 1, 0, 2, 1, 0}));
  EXPECT_EQ(top.TopVertexPoint(0), ON_3fPoint(1, 2, 3));
  EXPECT_EQ(top.TopVertexPoint(1), ON_3fPoint(4, 5, 6));
  EXPECT_EQ(top.TopVertexPoint(2), ON_3fPoint(7, 8, 9));
  EXPECT_EQ(top.TopVertexPoint(3), ON_3fPoint(0, 0, 0));
  EXPECT_EQ(top.TopVertexPoint(-1), ON_3fPoint(0, 0, 0));
}

TEST(Topology, EqualityIsExactWithNegativeZeroFoldedAndNaNUnequal) {
  const float next_to_one = std::nextafter(1.0f, 2.0f);
  const ON_Mesh mesh = MakeMesh(
      {
          {-0.0f, 0.0f, 1},     // 0
          {0.0f, -0.0f, 1},     // 0: -0 and +0 are one location
          {0.0f, 0.0f, 1},      // 0
          {kNan, 0, 0},         // 1: NaN equals nothing,
          {kNan, 0, 0},         // 2: not even the same NaN
          {0, 0, kNan},         // 3
          {1, 1, 1},            // 4
          {next_to_one, 1, 1},  // 5: one bit apart
          {1, 1, 1},            // 4
      },
      {});
  const ON_MeshTopology& top = mesh.Topology();
  EXPECT_EQ(MapOf(top), (std::vector<int>{0, 0, 0, 1, 2, 3, 4, 5, 4}));
  EXPECT_EQ(top.TopVertexCount(), 6);
  EXPECT_TRUE(SameBits(top.TopVertexPoint(0), ON_3fPoint(-0.0f, 0.0f, 1)));
  EXPECT_TRUE(std::isnan(top.TopVertexPoint(2).x));
}

TEST(Topology, EmptyMeshHasNone) {
  const ON_Mesh mesh;
  EXPECT_EQ(mesh.Topology().TopVertexCount(), 0);
  EXPECT_EQ(mesh.Topology().m_topv_map.Count(), 0);
  EXPECT_EQ(mesh.Topology().TopVertexPoint(0), ON_3fPoint(0, 0, 0));
}

// Two vertices at one place: writing m_V behind the mesh's back shows whether it rebuilt.
class TopologyCache : public ::testing::Test {
 protected:
  ON_Mesh mesh = MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 0, 0}}, {{0, 1, 2, 2}});

  int Grouped() const { return mesh.Topology().TopVertexCount(); }
  void MoveBehindItsBack() { mesh.m_V[2] = ON_3fPoint(5, 5, 5); }
};

TEST_F(TopologyCache, LaterCallsAnswerTheSameObjectUnrebuilt) {
  const ON_MeshTopology* first = &mesh.Topology();
  ASSERT_EQ(Grouped(), 2);
  MoveBehindItsBack();
  EXPECT_EQ(&mesh.Topology(), first);
  EXPECT_EQ(Grouped(), 2);
  mesh.DestroyTopology();
  EXPECT_EQ(Grouped(), 3);
}

TEST_F(TopologyCache, SetVertexRebuildsIt) {
  ASSERT_EQ(Grouped(), 2);
  mesh.SetVertex(2, ON_3fPoint(5, 5, 5));
  EXPECT_EQ(Grouped(), 3);
  mesh.SetVertex(3, ON_3fPoint(1, 0, 0));
  EXPECT_EQ(Grouped(), 3);
  EXPECT_EQ(mesh.Topology().m_topv_map[3], 1);
}

TEST_F(TopologyCache, AppendAndAssignmentRebuildIt) {
  ASSERT_EQ(Grouped(), 2);
  const ON_Mesh other = MakeMesh({{7, 7, 7}}, {});
  mesh.Append(other);
  EXPECT_EQ(Grouped(), 3);
  EXPECT_EQ(mesh.Topology().m_topv_map.Count(), 4);

  mesh = other;
  EXPECT_EQ(Grouped(), 1);
  EXPECT_EQ(mesh.Topology().TopVertexPoint(0), ON_3fPoint(7, 7, 7));
}

TEST_F(TopologyCache, ASplitDropsIt) {
  mesh.SetVertex(3, ON_3fPoint(0, 1, 0));
  mesh.SetQuad(1, 0, 1, 3, 2);
  mesh.m_V[2] = ON_3fPoint(1, 1, 0);
  mesh.DestroyTopology();
  ASSERT_EQ(Grouped(), 4);
  mesh.m_V[2] = ON_3fPoint(0, 1, 0);  // now 2 and 3 share a place, unseen by the cache
  ASSERT_TRUE(mesh.ConvertQuadsToTriangles());
  ASSERT_EQ(mesh.FaceCount(), 3);
  EXPECT_EQ(Grouped(), 3);
}

TEST_F(TopologyCache, VertexCountChangedBehindItsBackRebuildsIt) {
  ASSERT_EQ(Grouped(), 2);
  mesh.m_V.Append(ON_3fPoint(9, 9, 9));
  EXPECT_EQ(mesh.Topology().m_topv_map.Count(), 4);
  EXPECT_EQ(Grouped(), 3);
}

TEST_F(TopologyCache, ACopyHasItsOwn) {
  const ON_MeshTopology& original = mesh.Topology();
  ON_Mesh copy(mesh);
  copy.m_V[2] = ON_3fPoint(5, 5, 5);
  EXPECT_NE(&copy.Topology(), &original);
  EXPECT_EQ(copy.Topology().TopVertexCount(), 3);
  EXPECT_EQ(copy.Topology().m_mesh, &copy);
  EXPECT_EQ(Grouped(), 2);
}

TEST(Topology, GroupsAHundredThousandVertexGrid) {
  // Each cell of a grid carries its own four corners, so inner points appear four times.
  const int n = 160;
  ON_Mesh mesh;
  auto corner = [](int i, int j) {
    return ON_3fPoint(0.001f * static_cast<float>(i), 1000.0f + 0.25f * static_cast<float>(j),
                      -0.0f);
  };
  for (int i = 0; i + 1 < n; ++i) {
    for (int j = 0; j + 1 < n; ++j) {
      const int v = mesh.VertexCount();
      mesh.SetVertex(v, corner(i, j));
      mesh.SetVertex(v + 1, corner(i + 1, j));
      mesh.SetVertex(v + 2, corner(i + 1, j + 1));
      mesh.SetVertex(v + 3, corner(i, j + 1));
      mesh.SetQuad(mesh.FaceCount(), v, v + 1, v + 2, v + 3);
    }
  }
  ASSERT_GT(mesh.VertexCount(), 100000);
  const ON_MeshTopology& top = mesh.Topology();
  ASSERT_EQ(top.TopVertexCount(), n * n);
  ASSERT_EQ(top.m_topv_map.Count(), mesh.VertexCount());

  std::map<std::tuple<float, float, float>, int> seen;
  int next = 0;
  for (int v = 0; v < mesh.VertexCount(); ++v) {
    const ON_3fPoint& p = mesh.m_V[v];
    const int t = top.m_topv_map[v];
    const auto found = seen.emplace(std::make_tuple(p.x, p.y, p.z), t);
    if (found.second) {
      ASSERT_EQ(t, next++) << v;  // a new place takes the next number
    } else {
      ASSERT_EQ(t, found.first->second) << v;
    }
    ASSERT_EQ(top.TopVertexPoint(t), p) << v;
  }
}
