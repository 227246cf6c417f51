#include "standins/ostrel/obj_meshes.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "tiny_obj_loader.h"

namespace {

// The vertices of the whole file renumbered for one mesh: each file vertex a shape uses gets
// the next mesh vertex the first time the shape uses it.
class VertexRenumbering {
 public:
  explicit VertexRenumbering(size_t fileVertexCount)
      : local_(fileVertexCount, -1), stamp_(fileVertexCount, -1) {}

  void StartMesh(int mesh) { mesh_ = mesh; }

  int LocalIndex(int fileIndex, const std::vector<tinyobj::real_t>& positions, ON_Mesh* mesh) {
    if (stamp_[fileIndex] != mesh_) {
      stamp_[fileIndex] = mesh_;
      local_[fileIndex] = mesh->VertexCount();
      const tinyobj::real_t* p = &positions[3 * static_cast<size_t>(fileIndex)];
      mesh->SetVertex(mesh->VertexCount(), ON_3fPoint(p[0], p[1], p[2]));
    }
    return local_[fileIndex];
  }

 private:
  std::vector<int> local_;
  std::vector<int> stamp_;
  int mesh_ = -1;
};

// One shape's faces: triangles and quads as they are, larger polygons fanned into triangles
// around their first corner. False when a face refers to a vertex the file does not have.
bool AddShapeFaces(const tinyobj::mesh_t& shape, const std::vector<tinyobj::real_t>& positions,
                   VertexRenumbering* numbering, ON_Mesh* mesh) {
  const int fileVertexCount = static_cast<int>(positions.size() / 3);
  size_t offset = 0;
  for (unsigned char corners : shape.num_face_vertices) {
    int v[256];
    for (unsigned c = 0; c < corners; ++c) {
      int fileIndex = shape.indices[offset + c].vertex_index;
      if (fileIndex < 0 || fileIndex >= fileVertexCount)
        return false;
      v[c] = numbering->LocalIndex(fileIndex, positions, mesh);
    }
    offset += corners;
    if (corners == 4) {
      mesh->SetQuad(mesh->FaceCount(), v[0], v[1], v[2], v[3]);
    } else {
      for (unsigned c = 1; c + 1 < corners; ++c) {
        mesh->SetTriangle(mesh->FaceCount(), v[0], v[c], v[c + 1]);
      }
    }
  }
  return true;
}

}  // namespace

bool IsSketchUpModel(const std::string& path) {
  static const char kMarker[] = "SketchUp Model";
  unsigned char head[64] = {};
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file)
    return false;
  size_t n = std::fread(head, 1, sizeof(head), file);
  std::fclose(file);
  const size_t markerLength = std::strlen(kMarker);
  for (size_t start = 0; start + 2 * markerLength <= n; ++start) {
    size_t i = 0;
    while (i < markerLength && head[start + 2 * i] == static_cast<unsigned char>(kMarker[i]) &&
           head[start + 2 * i + 1] == 0) {
      ++i;
    }
    if (i == markerLength)
      return true;
  }
  return false;
}

bool ReadObjMeshes(const std::string& path, ON_ClassArray<ON_Mesh>& meshes, std::string* error) {
  tinyobj::ObjReaderConfig config;
  config.triangulate = false;
  config.vertex_color = false;
  config.mtl_search_path = "";
  tinyobj::ObjReader reader;
  if (!reader.ParseFromFile(path, config)) {
    *error = reader.Error();
    return false;
  }
  const std::vector<tinyobj::real_t>& positions = reader.GetAttrib().vertices;
  VertexRenumbering numbering(positions.size() / 3);
  int meshNumber = 0;
  for (const tinyobj::shape_t& shape : reader.GetShapes()) {
    if (shape.mesh.num_face_vertices.empty())
      continue;
    ON_Mesh mesh;
    numbering.StartMesh(meshNumber++);
    if (!AddShapeFaces(shape.mesh, positions, &numbering, &mesh)) {
      *error = "a face refers to a vertex that the file does not define";
      return false;
    }
    meshes.Append(mesh);
  }
  return true;
}
