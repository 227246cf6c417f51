#include "bench/bench_models.h"

#include <cmath>
#include <cstdio>

namespace {

struct GridSize {
  int columns = 1;  // quads a row
  int rows = 1;
};

// Nearly square, with at least `triangles` / 2 quads.
GridSize SizeFor(int triangles) {
  const int quads = triangles < 100 ? 50 : triangles / 2;
  GridSize size;
  size.columns = static_cast<int>(std::lround(std::sqrt(static_cast<double>(quads))));
  size.rows = (quads + size.columns - 1) / size.columns;
  return size;
}

ON_3fPoint GridPoint(int i, int j, float x0, float y0) {
  const float z = 0.02f * std::sin(0.05f * i) * std::cos(0.07f * j);
  return ON_3fPoint(x0 + 0.01f * i, y0 + 0.01f * j, z);
}

// A columns x rows patch of quads at (x0, y0), appended to the array as one mesh.
void AppendGrid(const GridSize& size, float x0, float y0, ON_ClassArray<ON_Mesh>* meshes) {
  const int across = size.columns + 1;
  ON_Mesh& mesh = meshes->AppendNew();
  mesh.m_V.Reserve(across * (size.rows + 1));
  mesh.m_F.Reserve(size.columns * size.rows);
  for (int j = 0; j <= size.rows; ++j) {
    for (int i = 0; i < across; ++i)
      mesh.m_V.Append(GridPoint(i, j, x0, y0));
  }
  for (int j = 0; j < size.rows; ++j) {
    for (int i = 0; i < size.columns; ++i) {
      const int a = j * across + i;
      ON_MeshFace face;
      face.vi[0] = a;
      face.vi[1] = a + 1;
      face.vi[2] = a + 1 + across;
      face.vi[3] = a + across;
      mesh.m_F.Append(face);
    }
  }
}

}  // namespace

const char* ShapeName(ModelShape shape) {
  return shape == ModelShape::kGrid ? "grid" : "small";
}

void MakeModel(ModelShape shape, int triangles, ON_ClassArray<ON_Mesh>* meshes) {
  meshes->Destroy();
  if (shape == ModelShape::kGrid) {
    AppendGrid(SizeFor(triangles), 0.0f, 0.0f, meshes);
    return;
  }
  const int count = triangles < 100 ? 1 : triangles / 100;
  const int perRow = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
  meshes->Reserve(count);
  for (int m = 0; m < count; ++m)
    AppendGrid(GridSize{5, 10}, 0.1f * (m % perRow), 0.2f * (m / perRow), meshes);
}

ModelCounts CountModel(const ON_ClassArray<ON_Mesh>& meshes) {
  ModelCounts counts;
  for (int m = 0; m < meshes.Count(); ++m) {
    const ON_Mesh& mesh = meshes[m];
    counts.vertices += mesh.VertexCount();
    for (int f = 0; f < mesh.FaceCount(); ++f)
      counts.triangles += mesh.m_F[f].IsQuad() ? 2 : 1;
  }
  return counts;
}

bool WriteGridObj(const std::string& path, int triangles) {
  ON_ClassArray<ON_Mesh> meshes;
  MakeModel(ModelShape::kGrid, triangles, &meshes);
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (!file)
    return false;
  const ON_Mesh& mesh = meshes[0];
  std::fprintf(file, "# a generated grid of %d quads\no grid\n", mesh.FaceCount());
  for (int v = 0; v < mesh.VertexCount(); ++v) {
    const ON_3fPoint& p = mesh.m_V[v];
    std::fprintf(file, "v %.6g %.6g %.6g\n", p.x, p.y, p.z);
  }
  for (int f = 0; f < mesh.FaceCount(); ++f) {
    const int* vi = mesh.m_F[f].vi;
    std::fprintf(file, "f %d %d %d %d\n", vi[0] + 1, vi[1] + 1, vi[2] + 1, vi[3] + 1);
  }
  const bool written = std::ferror(file) == 0;
  return std::fclose(file) == 0 && written;
}

CachedModel& CachedModel::For(ModelShape shape, int triangles) {
  static CachedModel cached;
  if (cached.requested != triangles || cached.shape != shape || cached.meshes.Count() == 0) {
    cached.shape = shape;
    cached.requested = triangles;
    MakeModel(shape, triangles, &cached.meshes);
    cached.counts = CountModel(cached.meshes);
  }
  return cached;
}
