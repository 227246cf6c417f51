#include "standins/a3dlib/model_file_summary.h"

#include "standins/a3dlib/model_file.h"

namespace a3dstore {

bool SummarizeModelFile(const uint8_t* data, size_t size, ModelFileSummary* out) {
  Model model;
  if (!out || LoadModelFile(data, size, &model) != LoadStatus::kOk) {
    return false;
  }
  ModelFileSummary summary;
  summary.modelFileName = model.file.base.name.value_or(std::string());
  summary.unit = model.file.unit;
  summary.occurrences = uint32_t(model.occurrences.size());
  summary.tessellations = uint32_t(model.tessellations.size());
  for (const Tessellation& tess : model.tessellations) {
    summary.coordinates += tess.coords.size();
    for (const Face& face : tess.faces) {
      for (uint32_t triangles : face.sizes) {
        summary.triangles += triangles;
      }
    }
  }
  *out = std::move(summary);
  return true;
}

}  // namespace a3dstore
