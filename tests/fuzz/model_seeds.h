// Valid model trees of the shapes a reader meets: what the plug-in's writer makes, trees with
// children, linked and shared occurrences, a cycle, unnamed entities, and the awkward
// tessellations the format allows (points out of range, other types and face kinds, calls
// made to fail). The seed corpora are written from them and the document target embeds them.
#pragma once

#include <string>
#include <vector>

#include "standins/a3dlib/model.h"

namespace kvfuzz {

struct SeedModel {
  std::string name;  // a file name stem
  a3dstore::Model model;
};

std::vector<SeedModel> SeedModels();

// The seed models as model files, in the same order; a model the writer refuses is left out
// (none is).
std::vector<std::vector<uint8_t>> SeedModelFiles();

}  // namespace kvfuzz
