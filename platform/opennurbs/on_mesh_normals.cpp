// ON_Mesh::ComputeFaceNormals.
#include <cmath>
#include <limits>

#include "platform/opennurbs/on_mesh.h"

namespace {

// The unit vector along a x b, computed in double; false (and zero) when a x b has no
// direction: zero, or not finite because a coordinate was not.
inline bool UnitCross(double ax, double ay, double az, double bx, double by, double bz,
                      ON_3fVector* n) {
  const double cx = ay * bz - az * by;
  const double cy = az * bx - ax * bz;
  const double cz = ax * by - ay * bx;
  const double len2 = cx * cx + cy * cy + cz * cz;
  // Floats widened to double cannot overflow here: len2 is infinite or NaN only from a
  // non-finite coordinate.
  if (!(len2 > 0.0 && len2 < std::numeric_limits<double>::infinity())) {
    *n = ON_3fVector(0.0f, 0.0f, 0.0f);
    return false;
  }
  const double s = 1.0 / std::sqrt(len2);
  *n = ON_3fVector(static_cast<float>(cx * s), static_cast<float>(cy * s),
                   static_cast<float>(cz * s));
  return true;
}

inline bool InRange(int index, int count) {
  return static_cast<unsigned>(index) < static_cast<unsigned>(count);
}

// The normal of one face; false, with (0,0,0), for a degenerate one.
inline bool FaceNormal(const ON_MeshFace& f, const ON_3fPoint* v, int vertex_count,
                       ON_3fVector* n) {
  const bool triangle = f.IsTriangle();
  if (!InRange(f.vi[0], vertex_count) || !InRange(f.vi[1], vertex_count) ||
      !InRange(f.vi[2], vertex_count) || (!triangle && !InRange(f.vi[3], vertex_count))) {
    *n = ON_3fVector(0.0f, 0.0f, 0.0f);
    return false;
  }
  const ON_3fPoint& p0 = v[f.vi[0]];
  const ON_3fPoint& p1 = v[f.vi[1]];
  const ON_3fPoint& p2 = v[f.vi[2]];
  // Triangle: (v1-v0)x(v2-v0). Quad: the diagonals, (v2-v0)x(v3-v1).
  const ON_3fPoint& a_end = triangle ? p1 : p2;
  const ON_3fPoint& b_start = triangle ? p0 : p1;
  const ON_3fPoint& b_end = triangle ? p2 : v[f.vi[3]];
  return UnitCross(static_cast<double>(a_end.x) - p0.x, static_cast<double>(a_end.y) - p0.y,
                   static_cast<double>(a_end.z) - p0.z, static_cast<double>(b_end.x) - b_start.x,
                   static_cast<double>(b_end.y) - b_start.y,
                   static_cast<double>(b_end.z) - b_start.z, n);
}

}  // namespace

bool ON_Mesh::ComputeFaceNormals() {
  const int face_count = m_F.Count();
  if (m_FN.Capacity() < face_count) {
    m_FN.Destroy();  // the old normals are replaced: growing need not copy them
  }
  m_FN.Empty();
  if (!m_FN.Reserve(face_count)) {
    return false;
  }
  const ON_MeshFace* f = m_F.Array();
  const ON_3fPoint* v = m_V.Array();
  const int vertex_count = m_V.Count();
  bool all_unit = true;
  // Appended one by one into the reserved room (cannot fail): each element is written once,
  // with no zero fill before it.
  for (int i = 0; i < face_count; ++i) {
    ON_3fVector n;
    all_unit &= FaceNormal(f[i], v, vertex_count, &n);
    m_FN.Append(n);
  }
  return all_unit;
}
