// ON_MeshFace: four vertex indices; a triangle repeats its third index in vi[3].
#pragma once

struct ON_MeshFace {
  int vi[4] = {0, 0, 0, 0};

  static ON_MeshFace Quad(int a, int b, int c, int d) {
    ON_MeshFace face;
    face.vi[0] = a;
    face.vi[1] = b;
    face.vi[2] = c;
    face.vi[3] = d;
    return face;
  }
  static ON_MeshFace Triangle(int a, int b, int c) { return Quad(a, b, c, c); }

  bool IsTriangle() const { return vi[2] == vi[3]; }
  bool IsQuad() const { return vi[2] != vi[3]; }

  // Every index is within [0, vertexCount) and a quad has four different corners.
  bool IsValid(int vertexCount) const {
    for (int k = 0; k < 4; ++k) {
      if (vi[k] < 0 || vi[k] >= vertexCount) {
        return false;
      }
    }
    if (IsTriangle()) {
      return true;
    }
    return vi[0] != vi[1] && vi[0] != vi[2] && vi[0] != vi[3] && vi[1] != vi[2] && vi[1] != vi[3];
  }
};
