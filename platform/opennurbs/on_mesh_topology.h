// ON_MeshTopology: which mesh vertices share one location.
//
// Mesh vertices whose three float coordinates are equal, with -0 taken as +0, form one
// topological vertex; a vertex with a NaN coordinate equals nothing and is one of its own.
// Topological vertices are numbered in the order of their first mesh vertex.
#pragma once

#include "platform/opennurbs/on_point.h"
#include "platform/opennurbs/on_simple_array.h"

class ON_Mesh;

class ON_MeshTopology {
 public:
  int TopVertexCount() const { return m_topv_first.Count(); }

  // The location of a topological vertex (that of its first mesh vertex); (0,0,0) when the
  // index is out of range.
  ON_3fPoint TopVertexPoint(int topVertexIndex) const;

  // Groups the vertices of `mesh`, which must outlive this topology. False when memory ran out:
  // the topology is then empty.
  bool Create(const ON_Mesh& mesh);
  void Destroy();

  // One entry per mesh vertex: the index of its topological vertex.
  ON_SimpleArray<int> m_topv_map;
  // One entry per topological vertex: the mesh vertex where it first appears.
  ON_SimpleArray<int> m_topv_first;
  // The mesh grouped, null before Create.
  const ON_Mesh* m_mesh = nullptr;
};
