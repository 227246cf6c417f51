#include "tests/fuzz/model_seeds.h"

#include "standins/a3dlib/model_file.h"

namespace kvfuzz {
namespace {

using a3dstore::Model;
using a3dstore::Tessellation;

// Two triangles of a unit square, as the plug-in's writer lays them out: four entries per
// triangle (the normal, then the corners) and one face of kind 0x20. Unnamed for null.
Tessellation Square(const char* name) {
  Tessellation tess;
  if (name)
    tess.base.name = name;
  tess.coords = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0};
  tess.normals = {0, 0, 1, 0, 0, 1};
  tess.indices = {0, 0, 3, 6, 3, 0, 6, 9};
  tess.faces.push_back({kA3dFaceTrianglesOneNormal, 0, {2}});
  return tess;
}

// Model file -> occurrence -> part -> item -> tessellation, named as the writer names them.
Model WriterShaped() {
  Model model;
  model.file.base.name = "ModelFile";
  model.file.writeParams = {0, 1, 1, 1, 0};
  model.file.occurrences = {0};
  model.occurrences.resize(1);
  model.occurrences[0].base.name = "Model";
  model.occurrences[0].part = 0;
  model.parts.resize(1);
  model.parts[0].items = {0};
  model.items.resize(1);
  model.items[0].closed = true;
  model.items[0].tessellation = 0;
  model.tessellations.push_back(Square(nullptr));
  return model;
}

// A root with two children, each with a part of its own, and a named path to strip.
Model WithChildren() {
  Model model = WriterShaped();
  model.file.unit = 25.4;
  model.occurrences.resize(3);
  model.occurrences[0].children = {1, 2};
  model.occurrences[1].base.name = "Assembly\\Left";
  model.occurrences[1].part = 1;
  model.occurrences[2].base.name = "Right";
  model.occurrences[2].part = 1;
  model.parts.resize(2);
  model.parts[1].base.name = "Shared part";
  model.parts[1].items = {1, 0};
  model.items.resize(2);
  model.items[1].tessellation = 1;
  model.tessellations.push_back(Square("Second"));
  return model;
}

// Both linked occurrences set, one of them also a root: a shared subtree walked twice.
Model Linked() {
  Model model = WriterShaped();
  model.file.occurrences = {0, 2};
  model.occurrences.resize(3);
  model.occurrences[0].firstLinked = 1;
  model.occurrences[0].secondLinked = 2;
  model.occurrences[1].base.name = "Linked";
  model.occurrences[1].part = 0;
  model.occurrences[2].base.name = "";
  model.occurrences[2].firstLinked = 1;
  return model;
}

// An occurrence below itself: its own child, and a longer loop through a linked one.
Model Cycle() {
  Model model = WriterShaped();
  model.occurrences.resize(3);
  model.occurrences[0].children = {1};
  model.occurrences[1].children = {2};
  model.occurrences[2].firstLinked = 0;
  model.occurrences[2].children = {2};
  return model;
}

// No entity has a name: the meshes are named "Object".
Model Unnamed() {
  Model model = WriterShaped();
  model.file.base.name.reset();
  model.occurrences[0].base.name.reset();
  return model;
}

// What the walk must refuse or skip: a corner past the points, a tessellation of another
// type, a face of another kind, an item of another kind, and calls the library fails.
Model Awkward() {
  Model model = WithChildren();
  model.tessellations[0].indices = {0, 0, 3, 60};
  model.tessellations[0].faces[0].sizes = {1, 4};
  model.tessellations[1].type = 170;
  model.tessellations.push_back(Square("Other kinds"));
  model.tessellations[2].faces.push_back({0x04, 4, {}});
  model.items.resize(3);
  model.items[2].kind = a3dstore::ItemKind::kOther;
  model.items[2].tessellation = 2;
  model.parts[0].items = {2, 0};
  model.parts[1].base.flags = a3dstore::kFailRootBaseGet;
  model.occurrences[2].base.flags = a3dstore::kFailGet;
  return model;
}

// The library answers an error for the tessellation's calls.
Model FailingCalls() {
  Model model = WriterShaped();
  model.tessellations[0].base.flags = a3dstore::kFailTessBaseGet | a3dstore::kFailGetType;
  model.items[0].base.flags = a3dstore::kFailRootBaseGet;
  return model;
}

// Occurrences with nothing below them, and an item without a tessellation.
Model Empty() {
  Model model;
  model.file.occurrences = {0, 1};
  model.occurrences.resize(2);
  model.occurrences[1].part = 0;
  model.parts.resize(1);
  model.parts[0].items = {0};
  model.items.resize(1);
  return model;
}

}  // namespace

std::vector<SeedModel> SeedModels() {
  return {{"writer_shaped", WriterShaped()},
          {"children", WithChildren()},
          {"linked", Linked()},
          {"cycle", Cycle()},
          {"unnamed", Unnamed()},
          {"awkward", Awkward()},
          {"failing_calls", FailingCalls()},
          {"empty", Empty()}};
}

std::vector<std::vector<uint8_t>> SeedModelFiles() {
  std::vector<std::vector<uint8_t>> files;
  for (const SeedModel& seed : SeedModels()) {
    std::vector<uint8_t> bytes;
    if (a3dstore::WriteModelFile(seed.model, &bytes))
      files.push_back(std::move(bytes));
  }
  return files;
}

}  // namespace kvfuzz
