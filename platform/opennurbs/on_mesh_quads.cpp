// ON_Mesh::ConvertQuadsToTriangles.
#include "platform/opennurbs/on_array_limits.h"
#include "platform/opennurbs/on_mesh.h"

namespace {

inline double DistanceSquared(const ON_3fPoint& a, const ON_3fPoint& b) {
  const double dx = static_cast<double>(a.x) - b.x;
  const double dy = static_cast<double>(a.y) - b.y;
  const double dz = static_cast<double>(a.z) - b.z;
  return dx * dx + dy * dy + dz * dz;
}

inline bool IsSplittable(const ON_MeshFace& f, int vertex_count) {
  return f.IsQuad() && f.IsValid(vertex_count);
}

}  // namespace

bool ON_Mesh::ConvertQuadsToTriangles() {
  const int face_count = m_F.Count();
  const int vertex_count = m_V.Count();
  const ON_MeshFace* faces = m_F.Array();
  int quads = 0;
  for (int i = 0; i < face_count; ++i) {
    quads += IsSplittable(faces[i], vertex_count) ? 1 : 0;
  }
  if (quads == 0) {
    return true;
  }
  if (quads > on_internal::MaxCount<ON_MeshFace>() - face_count ||
      !m_F.Reserve(face_count + quads)) {
    return false;
  }
  m_F.SetCount(face_count + quads);

  // In place from the back: face i lands at or after i, so no face is overwritten before it is
  // read, and the list needs no second copy.
  ON_MeshFace* f = m_F.Array();
  const ON_3fPoint* v = m_V.Array();
  int out = face_count + quads;
  for (int i = face_count - 1; i >= 0; --i) {
    const ON_MeshFace q = f[i];
    if (!IsSplittable(q, vertex_count)) {
      f[--out] = q;
      continue;
    }
    const int* c = q.vi;
    const bool along_13 = DistanceSquared(v[c[1]], v[c[3]]) < DistanceSquared(v[c[0]], v[c[2]]);
    if (along_13) {
      f[--out] = ON_MeshFace::Triangle(c[1], c[3], c[0]);
      f[--out] = ON_MeshFace::Triangle(c[1], c[2], c[3]);
    } else {
      f[--out] = ON_MeshFace::Triangle(c[0], c[2], c[3]);
      f[--out] = ON_MeshFace::Triangle(c[0], c[1], c[2]);
    }
  }
  m_FN.Destroy();
  DestroyTopology();
  return true;
}
