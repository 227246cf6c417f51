// The model tree that the stand-in 3D library keeps and writes: flat tables of entities that
// refer to one another by table index, so that a tree can share entities, hold cycles and be
// any depth without anything here recursing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/a3d/a3d_blocks.h"

namespace a3dstore {

// A reference to no entity.
constexpr uint32_t kNoRef = 0xFFFFFFFFu;

// Test flags of an entity: each makes one read call of the library answer an error for it.
constexpr uint32_t kFailGet = 1u << 0;          // the Get of the entity's own block
constexpr uint32_t kFailTessBaseGet = 1u << 1;  // A3DTessBaseGet of a tessellation
constexpr uint32_t kFailRootBaseGet = 1u << 2;  // A3DRootBaseGet (the name)
constexpr uint32_t kFailGetType = 1u << 3;      // A3DEntityGetType
constexpr uint32_t kKnownFlags = 0xFu;

// What every entity has: a name (none = unnamed, distinct from "") and its test flags.
struct Base {
  std::optional<std::string> name;
  uint32_t flags = 0;
};

struct Face {
  uint16_t triangleKind = kA3dFaceTrianglesOneNormal;
  uint32_t firstIndex = 0;      // first entry of the face in the index array
  std::vector<uint32_t> sizes;  // triangles of the face: the sum of the entries
};

struct Tessellation {
  Base base;
  int32_t type = kA3dTypeTess3D;  // entity type code; another code is another kind
  std::vector<double> coords;     // x, y, z per point
  std::vector<double> normals;    // x, y, z per normal
  std::vector<uint32_t> indices;  // positions in doubles into coords and normals
  std::vector<Face> faces;
};

enum class ItemKind : uint8_t { kPolyBrep = 1, kOther = 2 };

struct RepItem {
  Base base;
  ItemKind kind = ItemKind::kPolyBrep;
  bool closed = false;  // poly-B-rep only
  uint32_t tessellation = kNoRef;
};

struct PartDefinition {
  Base base;
  std::vector<uint32_t> items;  // representation items
};

struct Occurrence {
  Base base;
  std::vector<uint32_t> children;  // occurrences
  uint32_t part = kNoRef;
  uint32_t firstLinked = kNoRef;  // occurrences
  uint32_t secondLinked = kNoRef;
};

// The values of the write-parameter block the file was written with.
struct WriteParams {
  uint32_t option04 = 0;
  uint16_t option08 = 0;
  uint16_t option0A = 0;
  uint32_t option0C = 0;
  uint32_t option10 = 0;
};

struct ModelFileEntry {
  Base base;
  double unit = 1.0;
  WriteParams writeParams;
  std::vector<uint32_t> occurrences;  // the roots
};

struct Model {
  ModelFileEntry file;
  std::vector<Occurrence> occurrences;
  std::vector<PartDefinition> parts;
  std::vector<RepItem> items;
  std::vector<Tessellation> tessellations;
};

bool operator==(const Base& a, const Base& b);
bool operator==(const Face& a, const Face& b);
bool operator==(const Tessellation& a, const Tessellation& b);
bool operator==(const RepItem& a, const RepItem& b);
bool operator==(const PartDefinition& a, const PartDefinition& b);
bool operator==(const Occurrence& a, const Occurrence& b);
bool operator==(const WriteParams& a, const WriteParams& b);
bool operator==(const ModelFileEntry& a, const ModelFileEntry& b);
bool operator==(const Model& a, const Model& b);

}  // namespace a3dstore
