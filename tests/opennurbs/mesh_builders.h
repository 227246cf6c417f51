// Small meshes for the tests, written as lists of points and faces.
#pragma once

#include <array>
#include <initializer_list>

#include "platform/opennurbs/opennurbs.h"

// A face given as four indices; a triangle repeats its third.
using FaceIndices = std::array<int, 4>;

inline ON_Mesh MakeMesh(std::initializer_list<ON_3fPoint> points,
                        std::initializer_list<FaceIndices> faces) {
  ON_Mesh mesh;
  for (const ON_3fPoint& p : points) {
    mesh.SetVertex(mesh.VertexCount(), p);
  }
  for (const FaceIndices& f : faces) {
    mesh.SetQuad(mesh.FaceCount(), f[0], f[1], f[2], f[3]);
  }
  return mesh;
}

inline FaceIndices IndicesOf(const ON_MeshFace& f) {
  return {f.vi[0], f.vi[1], f.vi[2], f.vi[3]};
}

// Every face of the mesh, in order.
inline std::vector<FaceIndices> FacesOf(const ON_Mesh& mesh) {
  std::vector<FaceIndices> faces;
  for (int i = 0; i < mesh.FaceCount(); ++i) {
    faces.push_back(IndicesOf(mesh.m_F[i]));
  }
  return faces;
}
