// OBJ text into meshes, parsed by tinyobjloader's streaming interface: its callbacks hand over
// each vertex, face and group line as it is read, so the file's faces are kept once, as plain
// index lists, and every mesh is built in place in the caller's array at its final size.
#include "standins/ostrel/obj_meshes.h"

#include <istream>
#include <vector>

#include "tiny_obj_loader.h"

namespace {

// A face corner whose index names no vertex of the file.
constexpr int kNoVertex = -1;

// One object or group of the file: its faces are those from firstFace to the next group's.
struct Group {
  size_t firstFace = 0;
};

// What the parse gives: the file's positions, each face's corners as file vertex indices
// (zero-based) and the groups the faces fall in.
struct ObjContent {
  std::vector<float> positions;  // x, y, z per file vertex
  std::vector<int> corners;
  std::vector<size_t> faceStarts;  // each face's first corner; one more at the end
  std::vector<Group> groups;
  bool zeroIndex = false;  // a face used index 0, which OBJ does not allow

  size_t VertexCount() const { return positions.size() / 3; }
  size_t FaceCount() const { return faceStarts.size() - 1; }
  size_t GroupEnd(size_t group) const {
    return group + 1 < groups.size() ? groups[group + 1].firstFace : FaceCount();
  }
};

ObjContent& Content(void* user) {
  return *static_cast<ObjContent*>(user);
}

void OnVertex(void* user, tinyobj::real_t x, tinyobj::real_t y, tinyobj::real_t z,
              tinyobj::real_t /*w*/) {
  ObjContent& content = Content(user);
  content.positions.push_back(x);
  content.positions.push_back(y);
  content.positions.push_back(z);
}

// Positive indices count from 1, negative ones back from the last vertex read so far.
int FileIndex(int raw, size_t verticesSoFar, bool* zero) {
  if (raw > 0)
    return raw - 1;
  if (raw == 0) {
    *zero = true;
    return kNoVertex;
  }
  const long long index = static_cast<long long>(verticesSoFar) + raw;
  return index >= 0 ? static_cast<int>(index) : kNoVertex;
}

// A face of fewer than three corners has no area and is left out, as the parser's own
// loader leaves it out; an index 0 in it still makes the file invalid, as there.
void OnFace(void* user, tinyobj::index_t* indices, int count) {
  ObjContent& content = Content(user);
  if (count < 3) {
    for (int c = 0; c < count; ++c)
      content.zeroIndex |= indices[c].vertex_index == 0;
    return;
  }
  const size_t vertices = content.VertexCount();
  for (int c = 0; c < count; ++c)
    content.corners.push_back(FileIndex(indices[c].vertex_index, vertices, &content.zeroIndex));
  content.faceStarts.push_back(content.corners.size());
}

void StartGroup(ObjContent& content) {
  content.groups.push_back(Group{content.FaceCount()});
}

void OnGroup(void* user, const char** /*names*/, int /*count*/) {
  StartGroup(Content(user));
}

void OnObject(void* user, const char* /*name*/) {
  StartGroup(Content(user));
}

bool ParseObj(CheckedObjText& text, ObjContent* content, std::string* error) {
  std::istream in(&text);
  // The stream would take an exception of the text's buffer (memory for a line too long to
  // hold) for the end of the file: it goes on to the caller, which refuses the read.
  in.exceptions(std::ios::badbit);
  tinyobj::callback_t callbacks;
  callbacks.vertex_cb = OnVertex;
  callbacks.index_cb = OnFace;
  callbacks.group_cb = OnGroup;
  callbacks.object_cb = OnObject;
  content->faceStarts.push_back(0);
  content->groups.push_back(Group{0});  // faces before any group or object line
  std::string warning;
  std::string parseError;
  if (!tinyobj::LoadObjWithCallback(in, callbacks, content, nullptr, &warning, &parseError)) {
    *error = parseError;
    return false;
  }
  if (content->zeroIndex) {
    *error = "a face uses vertex index 0, which OBJ does not allow";
    return false;
  }
  return true;
}

// The vertices of the whole file renumbered for one mesh: each file vertex a group uses gets
// the next mesh vertex the first time the group uses it.
class VertexRenumbering {
 public:
  explicit VertexRenumbering(size_t fileVertexCount)
      : local_(fileVertexCount, -1), stamp_(fileVertexCount, -1) {}

  // How many distinct file vertices the corners use (each index already checked).
  int CountUsed(const int* corners, size_t count, int mark) {
    int used = 0;
    for (size_t i = 0; i < count; ++i) {
      const int fileIndex = corners[i];
      if (stamp_[fileIndex] != mark) {
        stamp_[fileIndex] = mark;
        ++used;
      }
    }
    return used;
  }

  int LocalIndex(int fileIndex, int mark, const float* positions, ON_Mesh* mesh) {
    if (stamp_[fileIndex] != mark) {
      stamp_[fileIndex] = mark;
      local_[fileIndex] = mesh->m_V.Count();
      const float* p = positions + 3 * static_cast<size_t>(fileIndex);
      mesh->m_V.Append(ON_3fPoint(p[0], p[1], p[2]));
    }
    return local_[fileIndex];
  }

 private:
  std::vector<int> local_;
  std::vector<int> stamp_;
};

bool CornersInFile(const ObjContent& content) {
  const size_t vertices = content.VertexCount();
  for (int fileIndex : content.corners) {
    if (fileIndex < 0 || static_cast<size_t>(fileIndex) >= vertices)
      return false;
  }
  return true;
}

// Quads stay quads; a triangle or larger polygon gives corners - 2 triangles.
size_t MeshFaceCount(const ObjContent& content, size_t first, size_t end) {
  size_t faces = 0;
  for (size_t f = first; f < end; ++f) {
    const size_t corners = content.faceStarts[f + 1] - content.faceStarts[f];
    faces += corners == 4 ? 1 : corners - 2;
  }
  return faces;
}

// One group's faces into the mesh: triangles and quads as they are, larger polygons fanned
// into triangles around their first corner.
void FillMesh(const ObjContent& content, size_t first, size_t end, int mark,
              VertexRenumbering* numbering, ON_Mesh* mesh) {
  const float* positions = content.positions.data();
  std::vector<int> v;
  for (size_t f = first; f < end; ++f) {
    const size_t start = content.faceStarts[f];
    const size_t corners = content.faceStarts[f + 1] - start;
    v.resize(corners);
    for (size_t c = 0; c < corners; ++c)
      v[c] = numbering->LocalIndex(content.corners[start + c], mark, positions, mesh);
    if (corners == 4) {
      mesh->m_F.Append(ON_MeshFace::Quad(v[0], v[1], v[2], v[3]));
      continue;
    }
    for (size_t c = 1; c + 1 < corners; ++c)
      mesh->m_F.Append(ON_MeshFace::Triangle(v[0], v[c], v[c + 1]));
  }
}

// Sizes beyond what a mesh's int counts hold are refused rather than wrapped.
bool FitsMesh(size_t faces, int vertices) {
  return faces <= static_cast<size_t>(on_internal::MaxCount<ON_MeshFace>()) &&
         vertices <= on_internal::MaxCount<ON_3fPoint>();
}

bool BuildMeshes(const ObjContent& content, ON_ClassArray<ON_Mesh>& meshes, std::string* error) {
  size_t withFaces = 0;
  for (size_t g = 0; g < content.groups.size(); ++g)
    withFaces += content.GroupEnd(g) > content.groups[g].firstFace ? 1 : 0;
  if (withFaces > static_cast<size_t>(on_internal::MaxCount<ON_Mesh>() - meshes.Count()) ||
      !meshes.Reserve(meshes.Count() + static_cast<int>(withFaces))) {
    *error = "the file holds more meshes than memory allows";
    return false;
  }
  VertexRenumbering numbering(content.VertexCount());
  for (size_t g = 0; g < content.groups.size(); ++g) {
    const size_t first = content.groups[g].firstFace;
    const size_t end = content.GroupEnd(g);
    if (end == first)
      continue;
    const size_t cornerStart = content.faceStarts[first];
    const int mark = static_cast<int>(2 * g);
    const int vertices = numbering.CountUsed(content.corners.data() + cornerStart,
                                             content.faceStarts[end] - cornerStart, mark);
    const size_t faces = MeshFaceCount(content, first, end);
    ON_Mesh& mesh = meshes.AppendNew();
    if (!FitsMesh(faces, vertices) || !mesh.m_V.Reserve(vertices) ||
        !mesh.m_F.Reserve(static_cast<int>(faces))) {
      *error = "a mesh of the file is larger than memory allows";
      return false;
    }
    FillMesh(content, first, end, mark + 1, &numbering, &mesh);
  }
  return true;
}

}  // namespace

bool IsSketchUpModel(std::string_view head) {
  static const char kMarker[] = "SketchUp Model";
  constexpr size_t kMarkerLength = sizeof(kMarker) - 1;
  constexpr size_t kLookedAt = 64;  // the marker is looked for among the first bytes only
  head = head.substr(0, kLookedAt);
  for (size_t start = 0; start + 2 * kMarkerLength <= head.size(); ++start) {
    size_t i = 0;
    while (i < kMarkerLength && head[start + 2 * i] == kMarker[i] && head[start + 2 * i + 1] == 0)
      ++i;
    if (i == kMarkerLength)
      return true;
  }
  return false;
}

bool ReadObjMeshes(CheckedObjText& text, ON_ClassArray<ON_Mesh>& meshes, std::string* error) {
  ObjContent content;
  const bool parsed = ParseObj(text, &content, error);
  // A parse that a fault ended read part of the file only: none of it is kept.
  if (text.Finish().fault != ObjTextFault::kNone || !parsed)
    return false;
  if (!CornersInFile(content)) {
    *error = "a face refers to a vertex that the file does not define";
    return false;
  }
  return BuildMeshes(content, meshes, error);
}
