#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "platform/opennurbs/opennurbs.h"
#include "tests/opennurbs/mesh_builders.h"

namespace {

const float kNan = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

void ExpectNormal(const ON_3fVector& n, double x, double y, double z, const char* name) {
  EXPECT_NEAR(n.x, x, 1e-6) << name;
  EXPECT_NEAR(n.y, y, 1e-6) << name;
  EXPECT_NEAR(n.z, z, 1e-6) << name;
}

}  // namespace

TEST(FaceNormals, AreUnitAndFollowTheWinding) {
  const float s = std::sqrt(0.5f);
  struct Case {
    const char* name;
    ON_3fPoint v[4];
    FaceIndices face;
    double x, y, z;
  } cases[] = {
      {"triangle", {{0, 0, 0}, {2, 0, 0}, {0, 3, 0}, {}}, {0, 1, 2, 2}, 0, 0, 1},
      {"triangle reversed", {{0, 0, 0}, {2, 0, 0}, {0, 3, 0}, {}}, {0, 2, 1, 1}, 0, 0, -1},
      {"triangle tilted", {{0, 0, 0}, {1, 0, 0}, {0, 1, 1}, {}}, {0, 1, 2, 2}, 0, -s, s},
      // A quad's normal comes from its diagonals, also when it is not planar.
      {"quad", {{0, 0, 5}, {4, 0, 5}, {4, 1, 5}, {0, 1, 5}}, {0, 1, 2, 3}, 0, 0, 1},
      {"quad not planar", {{0, 0, 0}, {1, 0, 1}, {1, 1, 0}, {0, 1, 1}}, {0, 1, 2, 3}, 0, 0, 1},
      // Float arithmetic would underflow or overflow on these; the normal does not.
      {"tiny", {{0, 0, 0}, {1e-30f, 0, 0}, {0, 1e-30f, 0}, {}}, {0, 1, 2, 2}, 0, 0, 1},
      {"huge", {{-3e38f, 0, 0}, {3e38f, 0, 0}, {0, 0, 3e38f}, {}}, {0, 1, 2, 2}, 0, -1, 0},
  };
  for (const Case& c : cases) {
    ON_Mesh mesh = MakeMesh({c.v[0], c.v[1], c.v[2], c.v[3]}, {c.face});
    EXPECT_TRUE(mesh.ComputeFaceNormals()) << c.name;
    ASSERT_EQ(mesh.m_FN.Count(), 1) << c.name;
    ExpectNormal(mesh.m_FN[0], c.x, c.y, c.z, c.name);
    EXPECT_NEAR(mesh.m_FN[0].Length(), 1.0, 1e-6) << c.name;
  }
}

TEST(FaceNormals, DegenerateFacesGetZeroAndTheCallFails) {
  struct Case {
    const char* name;
    ON_3fPoint v[3];
    FaceIndices face;
  } cases[] = {
      {"collinear", {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}}, {0, 1, 2, 2}},
      {"repeated vertex", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {0, 1, 1, 1}},
      {"first index past the end", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {6, 1, 2, 2}},
      {"index past the end", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {0, 1, 6, 6}},
      {"negative index", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {0, -1, 2, 2}},
      {"quad corner past the end", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {0, 1, 2, 100000}},
      {"quad with zero diagonal", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {0, 1, 0, 2}},
      {"NaN", {{0, 0, 0}, {1, kNan, 0}, {0, 1, 0}}, {0, 1, 2, 2}},
      {"infinity", {{0, 0, 0}, {1, 0, 0}, {0, kInf, 0}}, {0, 1, 2, 2}},
  };
  for (const Case& c : cases) {
    // Six vertices in all; the good face after the bad one still gets its normal.
    ON_Mesh mesh =
        MakeMesh({c.v[0], c.v[1], c.v[2], {5, 0, 0}, {5, 1, 0}, {6, 0, 0}}, {c.face, {3, 5, 4, 4}});
    EXPECT_FALSE(mesh.ComputeFaceNormals()) << c.name;
    ASSERT_EQ(mesh.m_FN.Count(), 2) << c.name;
    EXPECT_EQ(mesh.m_FN[0], ON_3fVector(0, 0, 0)) << c.name;
    ExpectNormal(mesh.m_FN[1], 0, 0, 1, c.name);
  }
}

TEST(FaceNormals, ReplaceEarlierNormals) {
  ON_Mesh mesh = MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2, 2}});
  for (int i = 0; i < 5; ++i) {
    mesh.m_FN.Append(ON_3fVector(9, 9, 9));
  }
  EXPECT_TRUE(mesh.ComputeFaceNormals());
  ASSERT_EQ(mesh.m_FN.Count(), 1);
  ExpectNormal(mesh.m_FN[0], 0, 0, 1, "first");

  mesh.SetTriangle(1, 0, 2, 1);
  EXPECT_TRUE(mesh.ComputeFaceNormals());
  ASSERT_EQ(mesh.m_FN.Count(), 2);
  ExpectNormal(mesh.m_FN[1], 0, 0, -1, "second");

  ON_Mesh empty;
  empty.m_FN.Append(ON_3fVector(1, 0, 0));
  EXPECT_TRUE(empty.ComputeFaceNormals());
  EXPECT_EQ(empty.m_FN.Count(), 0);
}
