// ON_Mesh: vertex positions, triangle and quad faces, face normals, and a cached topology.
#pragma once

#include "platform/opennurbs/on_mesh_face.h"
#include "platform/opennurbs/on_mesh_topology.h"
#include "platform/opennurbs/on_point.h"
#include "platform/opennurbs/on_simple_array.h"

class ON_Mesh {
 public:
  ON_Mesh() = default;
  // Reserves room for the faces and vertices. There are no vertex normals or texture
  // coordinates in this mesh: the two flags are accepted and ignored.
  ON_Mesh(int faceCapacity, int vertexCapacity, bool hasVertexNormals, bool hasTextureCoordinates);
  // An independent copy without the topology cache; empty if memory runs out.
  ON_Mesh(const ON_Mesh& other);
  // Drops the topology cache; the mesh is left empty if memory runs out.
  ON_Mesh& operator=(const ON_Mesh& other);
  // Takes the other's arrays, leaving it empty; neither keeps a topology cache.
  ON_Mesh(ON_Mesh&& other) noexcept;
  ON_Mesh& operator=(ON_Mesh&& other) noexcept;
  ~ON_Mesh() = default;

  int VertexCount() const { return m_V.Count(); }
  int FaceCount() const { return m_F.Count(); }
  bool HasFaceNormals() const { return m_F.Count() > 0 && m_FN.Count() == m_F.Count(); }

  // index == VertexCount() appends, a smaller index replaces; anything else is refused.
  bool SetVertex(int index, const ON_3fPoint& point);
  bool SetVertex(int index, const ON_3dPoint& point);

  // faceIndex == FaceCount() appends, a smaller index replaces; anything else is refused. The
  // vertex indices are stored as given, not checked: a reader may set faces before vertices.
  bool SetTriangle(int faceIndex, int a, int b, int c);
  bool SetQuad(int faceIndex, int a, int b, int c, int d);

  // Adds the other mesh's vertices after these and its faces after these, every index shifted
  // by the old vertex count (also an out-of-range one: faces are carried as they are; the sum
  // wraps like unsigned arithmetic). Face normals stay only when both meshes have one for every
  // face. The other mesh may be this one. The arrays grow by half at least, so appending many
  // parts stays linear; a caller that knows the totals reserves them first (the capacity
  // constructor). False, with nothing changed, when memory runs out.
  bool Append(const ON_Mesh& other);

  // Splits every valid quad into two triangles along its shorter diagonal (0-2 on a tie):
  // (0,1,2),(0,2,3) or (1,2,3),(1,3,0). The second triangle follows the first in place of the
  // quad, so faces keep their order. Triangles and invalid quads stay. Face normals are cleared
  // when anything was split. False, with nothing changed, only when memory runs out.
  bool ConvertQuadsToTriangles();

  // Replaces m_FN with one unit normal per face, in face order: (v1-v0)x(v2-v0) for a triangle,
  // (v2-v0)x(v3-v1) for a quad. A face whose normal cannot be had (zero area, a vertex index
  // out of range, a non-finite coordinate) gets (0,0,0) and the answer is false; true when every
  // face got a unit normal. Should memory run out, m_FN is left empty and the answer is false.
  bool ComputeFaceNormals();

  // Built at the first call and kept until a mutating call (SetVertex, SetTriangle, SetQuad,
  // Append, assignment, a split in ConvertQuadsToTriangles) or DestroyTopology drops it; also
  // rebuilt when the vertex count no longer matches. Code that writes m_V directly must call
  // DestroyTopology. When memory runs out it is empty (m_topv_map.Count() != VertexCount())
  // and the next call tries again.
  const ON_MeshTopology& Topology() const;
  void DestroyTopology();

  ON_SimpleArray<ON_3fPoint> m_V;    // vertex positions
  ON_SimpleArray<ON_MeshFace> m_F;   // faces
  ON_SimpleArray<ON_3fVector> m_FN;  // face normals, one per face once computed

 private:
  mutable ON_MeshTopology m_top;
  mutable bool m_top_ready = false;
};
