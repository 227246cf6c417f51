// A model that uses everything the file can say: sharing, cycles, unnamed and empty names,
// test flags, another tessellation type, another item kind, write parameters. Its tables
// are in the order a breadth-first walk from the model file meets them.
#pragma once

#include "standins/a3dlib/model.h"

namespace a3dtest {

inline a3dstore::Model RichModel() {
  a3dstore::Model model;
  model.file.base.name = "Rich";
  model.file.unit = 25.4;
  model.file.writeParams = {0x01020304u, 0x0506, 0x0708, 0x090A0B0Cu, 0xFFFFFFFFu};
  model.file.occurrences = {0, 1};
  model.occurrences.resize(3);
  model.occurrences[0].base.name = "root";
  model.occurrences[0].children = {2};
  model.occurrences[0].part = 0;
  model.occurrences[1].base.name = "";  // named, with an empty name
  model.occurrences[1].part = 0;        // shares the part of occurrence 0
  model.occurrences[1].firstLinked = 0;
  model.occurrences[1].base.flags = a3dstore::kFailGet;
  model.occurrences[2].children = {0, 2};  // a cycle, and its own child; unnamed
  model.occurrences[2].secondLinked = 1;
  model.parts.resize(1);
  model.parts[0].items = {0, 1};
  model.parts[0].base.flags = a3dstore::kFailRootBaseGet;
  model.items.resize(2);
  model.items[0].closed = true;
  model.items[0].tessellation = 0;
  model.items[1].kind = a3dstore::ItemKind::kOther;
  model.items[1].tessellation = 1;
  model.items[1].base.flags = a3dstore::kFailGetType;
  model.tessellations.resize(2);
  a3dstore::Tessellation& tess = model.tessellations[0];
  tess.base.name = "mesh";
  tess.coords = {0, 0, 0, 1, 0, 0, 0, 1, 0, -1.5, 2.25, 1e300};
  tess.normals = {0, 0, 1};
  tess.indices = {0, 0, 3, 6, 0, 0, 6, 9};
  tess.faces.push_back({kA3dFaceTrianglesOneNormal, 0, {1, 1}});
  tess.faces.push_back({0x04, 4, {}});
  tess.base.flags = a3dstore::kFailTessBaseGet;
  model.tessellations[1].type = 170;  // another kind of tessellation
  model.tessellations[1].coords = {5, 6, 7};
  return model;
}

}  // namespace a3dtest
