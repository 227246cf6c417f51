// Generated models of a chosen size: one large grid of quads, or many small meshes, and the
// grid as OBJ text for the import benchmarks.
#pragma once

#include <string>

#include "platform/opennurbs/opennurbs.h"

enum class ModelShape { kGrid, kSmallMeshes };

// The name of the shape in benchmark names: "grid" or "small".
const char* ShapeName(ModelShape shape);

// Close to `triangles` triangles (at least 100) once the quads are split. A grid is one mesh of
// quads over a gently waved surface; small meshes are separate 5 x 10 quad patches of 100
// triangles each, side by side, so that no two meshes share a location.
void MakeModel(ModelShape shape, int triangles, ON_ClassArray<ON_Mesh>* meshes);

// Triangles and vertices of the meshes once every quad is split.
struct ModelCounts {
  long long triangles = 0;
  long long vertices = 0;
};
ModelCounts CountModel(const ON_ClassArray<ON_Mesh>& meshes);

// The grid of MakeModel as an OBJ file with one object; false when it cannot be written.
bool WriteGridObj(const std::string& path, int triangles);

// The model of a shape and size, made at the first call and kept until another is asked for:
// the benchmarks of one size share it and at most one large model is in memory.
struct CachedModel {
  ModelShape shape = ModelShape::kGrid;
  int requested = 0;
  ON_ClassArray<ON_Mesh> meshes;
  ModelCounts counts;

  static CachedModel& For(ModelShape shape, int triangles);
};
