// What a model file holds, in a few numbers: for printing what an opened document contains.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace a3dstore {

struct ModelFileSummary {
  std::string modelFileName;  // empty when the model file is unnamed
  double unit = 0;
  uint32_t occurrences = 0;    // rows of the occurrence table
  uint32_t tessellations = 0;  // rows of the tessellation table, of any type
  uint64_t triangles = 0;      // the sum over every face's sizes array
  uint64_t coordinates = 0;    // doubles in all coordinate arrays (three per point)
};

// False when the bytes are not a model file that LoadModelFile accepts.
bool SummarizeModelFile(const uint8_t* data, size_t size, ModelFileSummary* out);

}  // namespace a3dstore
