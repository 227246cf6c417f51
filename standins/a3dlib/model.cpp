#include "standins/a3dlib/model.h"

namespace a3dstore {

bool operator==(const Base& a, const Base& b) {
  return a.name == b.name && a.flags == b.flags;
}

bool operator==(const Face& a, const Face& b) {
  return a.triangleKind == b.triangleKind && a.firstIndex == b.firstIndex && a.sizes == b.sizes;
}

bool operator==(const Tessellation& a, const Tessellation& b) {
  return a.base == b.base && a.type == b.type && a.coords == b.coords && a.normals == b.normals &&
         a.indices == b.indices && a.faces == b.faces;
}

bool operator==(const RepItem& a, const RepItem& b) {
  return a.base == b.base && a.kind == b.kind && a.closed == b.closed &&
         a.tessellation == b.tessellation;
}

bool operator==(const PartDefinition& a, const PartDefinition& b) {
  return a.base == b.base && a.items == b.items;
}

bool operator==(const Occurrence& a, const Occurrence& b) {
  return a.base == b.base && a.children == b.children && a.part == b.part &&
         a.firstLinked == b.firstLinked && a.secondLinked == b.secondLinked;
}

bool operator==(const WriteParams& a, const WriteParams& b) {
  return a.option04 == b.option04 && a.option08 == b.option08 && a.option0A == b.option0A &&
         a.option0C == b.option0C && a.option10 == b.option10;
}

bool operator==(const ModelFileEntry& a, const ModelFileEntry& b) {
  return a.base == b.base && a.unit == b.unit && a.writeParams == b.writeParams &&
         a.occurrences == b.occurrences;
}

bool operator==(const Model& a, const Model& b) {
  return a.file == b.file && a.occurrences == b.occurrences && a.parts == b.parts &&
         a.items == b.items && a.tessellations == b.tessellations;
}

}  // namespace a3dstore
