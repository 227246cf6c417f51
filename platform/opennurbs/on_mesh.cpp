// ON_Mesh: construction, copies, setting vertices and faces, appending meshes.
#include "platform/opennurbs/on_mesh.h"

#include <climits>
#include <utility>

namespace {

// Shifts a vertex index by the old vertex count; wraps rather than overflow on bad indices.
inline int Shifted(int index, unsigned shift) {
  return static_cast<int>(static_cast<unsigned>(index) + shift);
}

// Room for `needed` elements, growing by half at least: a model of many parts appended one by
// one must not copy everything so far at each part (only mremap-backed heaps avoid that copy).
template <class T>
bool MakeRoom(ON_SimpleArray<T>& a, int needed) {
  if (needed <= a.Capacity()) {
    return true;
  }
  return a.Reserve(on_internal::GrownCapacity(a.Capacity(), needed, on_internal::MaxCount<T>()));
}

}  // namespace

ON_Mesh::ON_Mesh(int faceCapacity, int vertexCapacity, bool /*hasVertexNormals*/,
                 bool /*hasTextureCoordinates*/) {
  m_F.Reserve(faceCapacity);
  m_V.Reserve(vertexCapacity);
}

ON_Mesh::ON_Mesh(const ON_Mesh& other) : m_V(other.m_V), m_F(other.m_F), m_FN(other.m_FN) {
  if (m_V.Count() != other.m_V.Count() || m_F.Count() != other.m_F.Count() ||
      m_FN.Count() != other.m_FN.Count()) {
    m_V.Destroy();
    m_F.Destroy();
    m_FN.Destroy();
  }
}

ON_Mesh& ON_Mesh::operator=(const ON_Mesh& other) {
  if (this == &other) {
    return *this;
  }
  DestroyTopology();
  m_V = other.m_V;
  m_F = other.m_F;
  m_FN = other.m_FN;
  if (m_V.Count() != other.m_V.Count() || m_F.Count() != other.m_F.Count() ||
      m_FN.Count() != other.m_FN.Count()) {
    m_V.Destroy();
    m_F.Destroy();
    m_FN.Destroy();
  }
  return *this;
}

ON_Mesh::ON_Mesh(ON_Mesh&& other) noexcept
    : m_V(std::move(other.m_V)), m_F(std::move(other.m_F)), m_FN(std::move(other.m_FN)) {
  other.DestroyTopology();
}

ON_Mesh& ON_Mesh::operator=(ON_Mesh&& other) noexcept {
  if (this != &other) {
    DestroyTopology();
    other.DestroyTopology();
    m_V = std::move(other.m_V);
    m_F = std::move(other.m_F);
    m_FN = std::move(other.m_FN);
  }
  return *this;
}

bool ON_Mesh::SetVertex(int index, const ON_3fPoint& point) {
  if (index < 0 || index > m_V.Count()) {
    return false;
  }
  DestroyTopology();
  if (index == m_V.Count()) {
    return m_V.Append(point);
  }
  m_V[index] = point;
  return true;
}

bool ON_Mesh::SetVertex(int index, const ON_3dPoint& point) {
  return SetVertex(index, ON_3fPoint(point));
}

bool ON_Mesh::SetTriangle(int faceIndex, int a, int b, int c) {
  return SetQuad(faceIndex, a, b, c, c);
}

bool ON_Mesh::SetQuad(int faceIndex, int a, int b, int c, int d) {
  if (faceIndex < 0 || faceIndex > m_F.Count()) {
    return false;
  }
  DestroyTopology();
  ON_MeshFace face;
  face.vi[0] = a;
  face.vi[1] = b;
  face.vi[2] = c;
  face.vi[3] = d;
  if (faceIndex == m_F.Count()) {
    return m_F.Append(face);
  }
  m_F[faceIndex] = face;
  return true;
}

bool ON_Mesh::Append(const ON_Mesh& other) {
  // Counts first: when other is this mesh, its arrays grow below.
  const int vertex_count = m_V.Count();
  const int face_count = m_F.Count();
  const int other_vertices = other.m_V.Count();
  const int other_faces = other.m_F.Count();
  if (other_vertices == 0 && other_faces == 0) {
    return true;
  }
  if (other_vertices > INT_MAX - vertex_count || other_faces > INT_MAX - face_count) {
    return false;
  }
  const bool keep_normals =
      m_FN.Count() == face_count && other.m_FN.Count() == other_faces && other_faces > 0;
  if (!MakeRoom(m_V, vertex_count + other_vertices) || !MakeRoom(m_F, face_count + other_faces) ||
      (keep_normals && !MakeRoom(m_FN, face_count + other_faces))) {
    return false;
  }
  DestroyTopology();

  // Reserved: these cannot fail, and when other is this mesh its storage is settled now.
  m_V.Append(other_vertices, other.m_V.Array());
  m_F.SetCount(face_count + other_faces);
  const ON_MeshFace* src = other.m_F.Array();
  ON_MeshFace* dst = m_F.Array() + face_count;
  const unsigned shift = static_cast<unsigned>(vertex_count);
  for (int i = 0; i < other_faces; ++i) {
    dst[i].vi[0] = Shifted(src[i].vi[0], shift);
    dst[i].vi[1] = Shifted(src[i].vi[1], shift);
    dst[i].vi[2] = Shifted(src[i].vi[2], shift);
    dst[i].vi[3] = Shifted(src[i].vi[3], shift);
  }
  if (keep_normals) {
    m_FN.Append(other_faces, other.m_FN.Array());
  } else if (other_faces > 0) {
    m_FN.Destroy();
  }
  return true;
}

const ON_MeshTopology& ON_Mesh::Topology() const {
  if (!m_top_ready || m_top.m_mesh != this || m_top.m_topv_map.Count() != m_V.Count()) {
    m_top_ready = m_top.Create(*this);
  }
  return m_top;
}

void ON_Mesh::DestroyTopology() {
  if (m_top.m_mesh != nullptr) {  // SetVertex calls this once a vertex: keep it cheap
    m_top.Destroy();
  }
  m_top_ready = false;
}
